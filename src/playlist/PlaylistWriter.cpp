#include "playlist/PlaylistWriter.h"

#include "playlist/EncodedLineWriter.h"
#include "playlist/Extras.h"
#include "playlist/PlaylistEncoding.h"
#include "store/Schema.h"
#include "store/Tables.h"
#include "store/Transaction.h"

#include <charconv>
#include <chrono>
#include <exception>
#include <system_error>

namespace listrion::playlist {
namespace {

using Clock = std::chrono::steady_clock;

// The observer hears the counters every so many channels (and at the end).
constexpr std::int64_t kReportEvery = 1024;

constexpr std::string_view kAllGroups = "SELECT grupa FROM Grupa WHERE broj>0 ORDER BY broj, rowid";
constexpr std::string_view kTickedGroups =
    "SELECT grupa FROM Grupa WHERE broj>0 AND izberi<>0 ORDER BY broj, rowid";
// Served by the Playlist_grupa_broj index: one lookup per group, rows already in order.
constexpr std::string_view kChannelsOfGroup =
    "SELECT tvgid, tvgname, logo, grupa, parent_code, name, link FROM Playlist WHERE grupa=? "
    "ORDER BY broj, rowid";
constexpr std::string_view kChannelsOfGroupWithExtras =
    "SELECT tvgid, tvgname, logo, grupa, parent_code, name, link, extras FROM Playlist "
    "WHERE grupa=? ORDER BY broj, rowid";
enum Column { TvgId, TvgName, Logo, Grupa, ParentCode, Name, Link, ExtrasText };

// A parental code is present unless the column is empty or holds the number 0 (the reader
// stores 0, the channel dialog "0", the parental-code commands clear it with the empty text).
bool holdsCode(std::string_view code)
{
    if (code == "0") {
        return false;
    }
    while (!code.empty() && code.front() == ' ') {
        code.remove_prefix(1);
    }
    while (!code.empty() && code.back() == ' ') {
        code.remove_suffix(1);
    }
    if (code.empty()) {
        return false;
    }
    if (code.front() == '+' || code.front() == '-') {
        code.remove_prefix(1);
    }
    double number = 1;
    const auto [end, error] = std::from_chars(code.data(), code.data() + code.size(), number);
    return error != std::errc() || end != code.data() + code.size() || number != 0;
}

// Names and tvg-names are written on one line: line breaks inside them are dropped (the reader
// splits lines at CR as well as LF, so a CR would break the entry too).
void appendOnOneLine(std::string& out, std::string_view text)
{
    if (text.find('\n') == std::string_view::npos && text.find('\r') == std::string_view::npos) {
        out.append(text);
        return;
    }
    for (char c : text) {
        if (c != '\n' && c != '\r') {
            out.push_back(c);
        }
    }
}

// The line of the columns; the kept attributes, when there are any, go before the comma.
void appendExtinf(std::string& line, const store::Statement& st, std::string_view attributes)
{
    line.assign("#EXTINF:-1 tvg-id=\"");
    line.append(st.columnView(TvgId));
    line.append("\" tvg-name=\"");
    appendOnOneLine(line, st.columnView(TvgName));
    line.append("\" tvg-logo=\"");
    line.append(st.columnView(Logo));
    line.append("\" group-title=\"");
    line.append(st.columnView(Grupa));
    line.push_back('"');
    // Read by its type first: the reader's numbers need no conversion to text when they are 0.
    const store::Value code = st.columnValue(ParentCode);
    const bool number = std::holds_alternative<std::int64_t>(code);
    if (number ? std::get<std::int64_t>(code) != 0
               : !store::isNull(code) && holdsCode(st.columnView(ParentCode))) {
        line.append(" parent-code=\"");
        line.append(st.columnView(ParentCode));
        line.push_back('"');
    }
    if (!attributes.empty()) {
        line.push_back(' ');
        line.append(attributes);
    }
    line.push_back(',');
    appendOnOneLine(line, st.columnView(Name));
}

std::string header(const store::Database& db, PlaylistMode mode)
{
    std::string line = "#EXTM3U";
    store::Statement st = db.prepare("SELECT ssepgurl FROM SS_Epg ORDER BY rowid LIMIT 1");
    if (st.step()) {
        line += " x-tvg-url=\"" + std::string(st.columnView(0)) + '"';
    }
    if (mode == PlaylistMode::Full) {
        if (const std::string kept = store::playlistExtras(db); !kept.empty()) {
            line += ' ' + kept;
        }
    }
    return line;
}

class SaveRun {
public:
    SaveRun(const SaveOptions& options, ProgressObserver* observer, SaveResult& result)
        : m_options(options), m_observer(observer), m_result(result)
    {
    }

    // False when the observer asked to stop.
    bool write(const std::filesystem::path& file, std::string_view groupQuery)
    {
        // Saving only reads: it works on a read-only store and beside a program that writes.
        store::Database db = store::Schema::openForReading(m_options.dataMdb);
        // The rows are read once, in order: a small page cache keeps the memory of a large
        // save low and costs nothing.
        db.exec("PRAGMA cache_size=-4096");
        // One consistent view of the store for the whole file.
        const store::ReadTransaction snapshot(db);
        const FileEncoding encoding = recordedEncoding(db, *m_options.codepage);
        EncodedLineWriter out(file, *encoding.codepage);
        if (encoding.bom) {
            out.raw("\xEF\xBB\xBF");
        }
        const bool full = m_options.mode == PlaylistMode::Full;
        out.line(header(db, m_options.mode));
        store::Statement groups = db.prepare(groupQuery);
        store::Statement channels =
            db.prepare(full ? kChannelsOfGroupWithExtras : kChannelsOfGroup);
        while (groups.step()) {
            m_progress.group = groups.columnText(0);
            ++m_result.groups;
            channels.reset();
            channels.bind(1, groups.columnView(0));
            while (channels.step()) {
                if (m_observer != nullptr && m_observer->cancelRequested()) {
                    return false;
                }
                const Extras::Parts extras =
                    full ? Extras::split(channels.columnView(ExtrasText)) : Extras::Parts{};
                appendExtinf(m_line, channels, extras.attributes);
                out.line(m_line);
                Extras::forEachOptionLine(extras.optionLines,
                                          [&out](std::string_view option) { out.line(option); });
                const std::string_view link = channels.columnView(Link);
                out.line(link.empty() ? extras.addressLine : link);
                ++m_result.written;
                if (m_result.written % kReportEvery == 0) {
                    report();
                }
            }
        }
        out.commit();
        report();
        return true;
    }

private:
    void report()
    {
        if (m_observer != nullptr) {
            m_progress.written = m_result.written;
            m_observer->progress(m_progress);
        }
    }

    const SaveOptions& m_options;
    ProgressObserver* m_observer;
    SaveResult& m_result;
    Progress m_progress;
    std::string m_line;
};

SaveResult save(const std::filesystem::path& file, const SaveOptions& options,
                ProgressObserver* observer, std::string_view groupQuery)
{
    const auto started = Clock::now();
    SaveResult result;
    if (file.empty()) {
        result.status = SaveStatus::NotReplaced;
        result.message = "no file name";
        return result;
    }
    std::error_code ignored;
    if (!options.replaceExisting && std::filesystem::exists(file, ignored)) {
        result.status = SaveStatus::NotReplaced;
        result.message = file.string() + " exists and was not replaced";
        return result;
    }
    try {
        SaveRun run(options, observer, result);
        if (!run.write(file, groupQuery)) {
            result.status = SaveStatus::Cancelled;
            result.message = "saving was cancelled; nothing was written";
        }
    } catch (const std::exception& e) {
        result.status = SaveStatus::Failed;
        result.message = e.what();
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    return result;
}

} // namespace

SaveResult Save_Playlist(const std::filesystem::path& file, const SaveOptions& options,
                         ProgressObserver* observer)
{
    return save(file, options, observer, kAllGroups);
}

SaveResult Export_Groups(const std::filesystem::path& file, const SaveOptions& options,
                         ProgressObserver* observer)
{
    return save(file, options, observer, kTickedGroups);
}

} // namespace listrion::playlist
