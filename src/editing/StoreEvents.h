#pragma once

#include <QMetaType>
#include <QObject>

#include <string>
#include <vector>

namespace listrion::editing {

// What a command changed in data.mdb, so that each open window re-reads only what it shows.
struct StoreChange {
    enum Part : unsigned {
        GroupRows = 1u << 0,   // Grupa rows: values, order, number (the group grids)
        GroupNames = 1u << 1,  // group names added, removed or renamed (group lists and menus)
        ChannelRows = 1u << 2, // Playlist rows of the groups named in `groups` (or of all)
        Playlist = 1u << 3,    // the whole playlist was replaced, emptied or restored
    };

    unsigned parts = 0;
    // The groups whose channels changed, by their names after the command; empty means "any".
    std::vector<std::string> groups;
    // A rename: windows showing `renamedFrom` show `renamedTo` afterwards.
    std::string renamedFrom;
    std::string renamedTo;

    bool has(Part part) const { return (parts & part) != 0; }
    bool touchesGroup(const std::string& name) const;
    bool empty() const { return parts == 0; }
};

// The one place that tells every open window that the store changed. A command publishes one
// notice after its transaction has committed; windows connect to changed() and re-read what
// they show, keeping their current row. No window refreshes another one directly.
class StoreEvents : public QObject {
    Q_OBJECT

public:
    explicit StoreEvents(QObject* parent = nullptr);

    // Announces a change; an empty change is not announced. Call on the thread of the windows.
    void publish(const StoreChange& change);

signals:
    void changed(const listrion::editing::StoreChange& change);
};

} // namespace listrion::editing

Q_DECLARE_METATYPE(listrion::editing::StoreChange)
