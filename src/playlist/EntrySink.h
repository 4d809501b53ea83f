#pragma once

#include "playlist/LoadRows.h"

namespace listrion::playlist {

// Where the reader puts the rows it makes, in file order: a group row comes right after the
// first channel of that group. A sink copies what it keeps.
class EntrySink {
public:
    virtual ~EntrySink() = default;
    virtual void addChannel(const ChannelRow& row) = 0;
    virtual void addGroup(const GroupRow& row) = 0;
};

} // namespace listrion::playlist
