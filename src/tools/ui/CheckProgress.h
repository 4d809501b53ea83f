#pragma once

#include "tools/LinkCheckRun.h"

#include <atomic>
#include <mutex>

namespace listrion::tools::ui {

// Carries a run's counters to the link checker window, which shows the latest at its own pace,
// and its stop button to the run.
class CheckProgress final : public LinkCheckObserver {
public:
    void progress(const LinkCheckCounts& counts) override
    {
        const std::lock_guard lock(m_mutex);
        m_latest = counts;
    }
    bool stopRequested() override { return m_stop.load(std::memory_order_relaxed); }

    void stop() { m_stop = true; }
    LinkCheckCounts latest() const
    {
        const std::lock_guard lock(m_mutex);
        return m_latest;
    }

private:
    mutable std::mutex m_mutex;
    LinkCheckCounts m_latest;
    std::atomic<bool> m_stop{false};
};

} // namespace listrion::tools::ui
