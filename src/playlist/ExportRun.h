#pragma once

#include "playlist/EncodedLineWriter.h"
#include "playlist/Exporters.h"

#include <exception>
#include <filesystem>
#include <string_view>

namespace listrion::playlist {

// Carries one export from the chosen file to the committed one: refuses an existing file
// without permission to overwrite it, reports progress, polls Cancel once per row and turns
// errors into the result. The target is only replaced when the whole file was written.
class ExportRun {
public:
    ExportRun(const ExportRequest& request, std::filesystem::path target,
              ProgressObserver* observer);

    // True when the target existed before the export started.
    bool targetExisted() const { return m_existed; }

    // Runs `write(EncodedLineWriter&)`, which returns false when it stopped for Cancel.
    template <typename Write> ExportResult run(Write&& write)
    {
        if (m_existed && !m_request.overwrite) {
            m_result.status = ExportStatus::TargetExists;
            return m_result;
        }
        try {
            EncodedLineWriter out(m_result.file, codepage());
            if (!write(out)) {
                m_result.status = ExportStatus::Cancelled;
                return m_result;
            }
            out.commit();
            m_result.status = ExportStatus::Written;
            report();
        } catch (const std::exception& e) {
            m_result.status = ExportStatus::Failed;
            m_result.message = e.what();
        }
        return m_result;
    }

    // Called before a row is written; false when Cancel was asked for.
    bool cancelled();
    // Called after a row was written.
    void rowWritten(std::string_view group, std::string_view name);

private:
    const Codepage& codepage() const;
    void report();

    const ExportRequest& m_request;
    ProgressObserver* m_observer;
    ExportResult m_result;
    Progress m_progress;
    bool m_existed = false;
};

} // namespace listrion::playlist
