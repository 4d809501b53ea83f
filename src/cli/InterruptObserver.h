#pragma once

#include "playlist/Progress.h"

namespace listrion::cli {

// Ctrl+C stops a long run like its window's Cancel button: while the observer lives, SIGINT
// only sets a flag that cancelRequested() reports.
class InterruptObserver final : public playlist::ProgressObserver {
public:
    InterruptObserver();
    ~InterruptObserver() override;
    InterruptObserver(const InterruptObserver&) = delete;
    InterruptObserver& operator=(const InterruptObserver&) = delete;

    void progress(const playlist::Progress&) override {}
    bool cancelRequested() override;

private:
    void (*m_previous)(int);
};

} // namespace listrion::cli
