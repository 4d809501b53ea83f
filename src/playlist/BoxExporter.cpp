#include "playlist/ExportLines.h"
#include "playlist/ExportRun.h"
#include "playlist/Exporters.h"
#include "store/Schema.h"
#include "store/Statement.h"
#include "store/Tables.h"
#include "store/Transaction.h"

#include <string>
#include <vector>

namespace listrion::playlist {
namespace {

ExportChannel readChannel(const store::Statement& st)
{
    return {st.columnText(0), st.columnText(1), st.columnText(2),
            st.columnText(3), st.columnText(4), st.columnText(5)};
}

void writeLines(EncodedLineWriter& out, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        out.line(line);
    }
}

// Writes every channel of the groups with broj>0; false when Cancel stopped it.
bool writeChannels(ExportFormat format, store::Database& db, ExportRun& run, EncodedLineWriter& out)
{
    // Enigma2 numbers in steps of two when it replaces an existing bouquet.
    const std::int64_t step = format == ExportFormat::Enigma2 && run.targetExisted() ? 2 : 1;
    std::int64_t number = 0;
    store::Statement groups = db.prepare("SELECT grupa FROM Grupa WHERE broj>0 ORDER BY broj");
    store::Statement channels =
        db.prepare("SELECT grupa, name, tvgname, tvgid, logo, link FROM Playlist "
                   "WHERE grupa = ? ORDER BY broj");
    std::vector<std::string> lines;
    while (groups.step()) {
        channels.reset();
        channels.bind(1, groups.columnText(0));
        while (channels.step()) {
            if (run.cancelled()) {
                return false;
            }
            const ExportChannel channel = readChannel(channels);
            number += step;
            lines.clear();
            appendChannelLines(lines, format, channel, number);
            writeLines(out, lines);
            run.rowWritten(channel.grupa, channel.name);
        }
    }
    return true;
}

} // namespace

ExportResult exportChannelList(ExportFormat format, const ExportRequest& request,
                               ProgressObserver* observer)
{
    if (format == ExportFormat::Epg) {
        ExportResult result;
        result.status = ExportStatus::Failed;
        result.message = "the EPG listing is not a channel list";
        return result;
    }
    ExportRun run(request, request.target, observer);
    return run.run([&](EncodedLineWriter& out) {
        store::Database db = store::Schema::openForReading(request.dataMdb);
        // One consistent reading of the store.
        const store::ReadTransaction reading(db);
        writeLines(out, exportStartLines(format));
        if (!writeChannels(format, db, run, out)) {
            return false;
        }
        writeLines(out, exportEndLines(format));
        return true;
    });
}

ExportResult Export_Enigma2(const ExportRequest& request, ProgressObserver* observer)
{
    return exportChannelList(ExportFormat::Enigma2, request, observer);
}

ExportResult Export_Samsung(const ExportRequest& request, ProgressObserver* observer)
{
    return exportChannelList(ExportFormat::Samsung, request, observer);
}

ExportResult Export_Openbox(const ExportRequest& request, ProgressObserver* observer)
{
    return exportChannelList(ExportFormat::Openbox, request, observer);
}

ExportResult Export_Opticum_HD(const ExportRequest& request, ProgressObserver* observer)
{
    return exportChannelList(ExportFormat::OpticumHd, request, observer);
}

ExportResult Export_LG(const ExportRequest& request, ProgressObserver* observer)
{
    return exportChannelList(ExportFormat::LG, request, observer);
}

ExportResult Export_Azbox(const ExportRequest& request, ProgressObserver* observer)
{
    return exportChannelList(ExportFormat::Azbox, request, observer);
}

ExportResult Export_Openbox_X5(const ExportRequest& request, ProgressObserver* observer)
{
    return exportChannelList(ExportFormat::OpenboxX5, request, observer);
}

ExportResult exportTo(ExportFormat format, const ExportRequest& request, ProgressObserver* observer)
{
    return format == ExportFormat::Epg ? Export_EPG(request, observer)
                                       : exportChannelList(format, request, observer);
}

bool exportGuardPasses(ExportGuard guard, const store::Database& dataMdb)
{
    switch (guard) {
    case ExportGuard::GroupList:
        return store::groupCount(dataMdb) > 0;
    case ExportGuard::ChannelList:
        return store::channelCount(dataMdb) > 0;
    case ExportGuard::None:
        break;
    }
    return true;
}

} // namespace listrion::playlist
