#include "playlist/PlaylistRestructure.h"

#include "playlist/AtomicFile.h"
#include "playlist/LineReader.h"
#include "playlist/LineText.h"
#include "playlist/TextCleanup.h"

#include <system_error>

namespace listrion::playlist {
namespace {

constexpr std::int64_t kReportEvery = 50;

std::size_t findAnyCase(std::string_view text, std::string_view lowerNeedle)
{
    for (std::size_t at = text.find('#'); at != std::string_view::npos;
         at = text.find('#', at + 1)) {
        std::size_t i = 0;
        while (i < lowerNeedle.size() && at + i < text.size() &&
               LineText::asciiLower(text[at + i]) == lowerNeedle[i]) {
            ++i;
        }
        if (i == lowerNeedle.size()) {
            return at;
        }
    }
    return std::string_view::npos;
}

} // namespace

std::string restructuredLine(std::string_view line)
{
    std::string out(line);
    const std::size_t first = findAnyCase(line, "#extinf:");
    if (first != std::string_view::npos) {
        out[first] = '?';
    }
    TextCleanup::replaceAll(out, "?EXTINF", "#EXTINF");
    return out;
}

bool Prepisi_Playlistu(const std::filesystem::path& source, const std::filesystem::path& target,
                       ProgressObserver* observer)
{
    LineReader reader(source);
    AtomicFile copy(target);
    Progress progress;
    progress.activity = Activity::Restructuring;
    std::string_view line;
    while (reader.next(line)) {
        if (observer != nullptr && observer->cancelRequested()) {
            return false;
        }
        copy.write(restructuredLine(line));
        copy.write("\r\n");
        if (++progress.line % kReportEvery == 0 && observer != nullptr) {
            observer->progress(progress);
        }
    }
    copy.commit();
    return true;
}

} // namespace listrion::playlist
