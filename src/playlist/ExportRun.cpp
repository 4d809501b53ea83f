#include "playlist/ExportRun.h"

#include "playlist/PlaylistEncoding.h"
#include "store/Schema.h"

namespace listrion::playlist {
namespace {

// The wait panel repaints often enough with a report every few hundred rows.
constexpr std::int64_t kReportEvery = 256;

} // namespace

ExportRun::ExportRun(const ExportRequest& request, std::filesystem::path target,
                     ProgressObserver* observer)
    : m_request(request), m_observer(observer)
{
    m_result.file = std::move(target);
    std::error_code error;
    // A path whose state cannot be read is left to the writer, which reports why it fails.
    const auto type = std::filesystem::symlink_status(m_result.file, error).type();
    m_existed =
        type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::none;
    m_progress.activity = Activity::Working;
}

bool ExportRun::cancelled()
{
    return m_observer != nullptr && m_observer->cancelRequested();
}

void ExportRun::rowWritten(std::string_view group, std::string_view name)
{
    ++m_result.rows;
    if (m_observer != nullptr && m_result.rows % kReportEvery == 1) {
        m_progress.group.assign(group);
        m_progress.channel.assign(name);
        report();
    }
}

const Codepage& ExportRun::codepage() const
{
    const Codepage& unrecorded =
        m_request.codepage != nullptr ? *m_request.codepage : Codepage::windows1250();
    // The playlist's own code page, so a UTF-8 playlist exports UTF-8 (which the XML declares).
    return *recordedEncoding(store::Schema::openForReading(m_request.dataMdb), unrecorded).codepage;
}

void ExportRun::report()
{
    if (m_observer != nullptr) {
        m_progress.written = m_result.rows;
        m_observer->progress(m_progress);
    }
}

} // namespace listrion::playlist
