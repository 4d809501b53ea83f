#pragma once

#include "playlist/Progress.h"

#include <atomic>
#include <mutex>

namespace listrion::tools::ui {

// Carries a worker's progress to a window, which reads the latest at its own pace, and the
// window's stop button to the worker.
class RunObserver final : public playlist::ProgressObserver {
public:
    void progress(const playlist::Progress& p) override
    {
        const std::lock_guard lock(m_mutex);
        m_latest = p;
    }
    bool cancelRequested() override { return m_stop.load(std::memory_order_relaxed); }

    void stop() { m_stop = true; }
    playlist::Progress latest()
    {
        const std::lock_guard lock(m_mutex);
        return m_latest;
    }

private:
    std::mutex m_mutex;
    playlist::Progress m_latest;
    std::atomic<bool> m_stop{false};
};

} // namespace listrion::tools::ui
