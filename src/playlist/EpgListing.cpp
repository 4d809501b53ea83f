#include "playlist/ExportLines.h"
#include "playlist/ExportRun.h"
#include "playlist/Exporters.h"
#include "playlist/TextCleanup.h"
#include "store/LogoSchema.h"
#include "store/Statement.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <string>

namespace listrion::playlist {
namespace {

// Writes the archive rows; false when Cancel stopped it.
bool writeListing(store::Database& archive, ExportRun& run, EncodedLineWriter& out)
{
    // Rows of one group stay together in the order they were archived.
    store::Statement rows =
        archive.prepare("SELECT grupa, Name, TVGname, tvgID FROM Epg ORDER BY grupa, rowid");
    std::string previous;
    bool first = true;
    while (rows.step()) {
        if (run.cancelled()) {
            return false;
        }
        EpgArchiveRow row{rows.columnText(0), rows.columnText(1), rows.columnText(2),
                          rows.columnText(3)};
        // Groups compare as the archive orders them (letter case and trailing blanks aside),
        // so one group never gets split by a blank line.
        if (!first && store::compareText(row.grupa, previous) != 0) {
            out.line(" ");
        }
        out.line(epgListingLine(row));
        run.rowWritten(row.grupa, row.name);
        previous = std::move(row.grupa);
        first = false;
    }
    return true;
}

} // namespace

std::filesystem::path exportTarget(ExportFormat format, const std::filesystem::path& chosen)
{
    if (format != ExportFormat::Epg) {
        return chosen;
    }
    std::string name = chosen.filename().string();
    TextCleanup::replaceAll(name, ".M3U", ".m3u");
    TextCleanup::replaceAll(name, ".m3u", ".txt");
    return chosen.parent_path() / name;
}

ExportResult Export_EPG(const ExportRequest& request, ProgressObserver* observer)
{
    ExportRun run(request, exportTarget(ExportFormat::Epg, request.target), observer);
    return run.run([&](EncodedLineWriter& out) {
        store::Database archive = store::LogoSchema::open(request.logoMdb);
        store::Transaction reading(archive);
        return writeListing(archive, run, out);
    });
}

} // namespace listrion::playlist
