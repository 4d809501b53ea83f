#pragma once

#include "playlist/Progress.h"

namespace listrion::cli {

// Ctrl+C stops a long run like its window's Cancel button: while the observer lives, SIGINT
// (and SIGTERM, so a plain kill also lets the run remove what it was writing) only counts a
// request that cancelRequested() and cancelRequests() report.
class InterruptObserver final : public playlist::ProgressObserver {
public:
    InterruptObserver();
    ~InterruptObserver() override;
    InterruptObserver(const InterruptObserver&) = delete;
    InterruptObserver& operator=(const InterruptObserver&) = delete;

    void progress(const playlist::Progress&) override {}
    bool cancelRequested() override;
    int cancelRequests() override;

private:
    void (*m_previousInterrupt)(int);
    void (*m_previousTerminate)(int);
};

} // namespace listrion::cli
