#include "cli/InterruptObserver.h"

#include <atomic>
#include <csignal>

namespace listrion::cli {
namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void onInterrupt(int)
{
    g_interrupted = true;
}

} // namespace

InterruptObserver::InterruptObserver()
{
    g_interrupted = false;
    m_previous = std::signal(SIGINT, &onInterrupt);
}

InterruptObserver::~InterruptObserver()
{
    std::signal(SIGINT, m_previous);
}

bool InterruptObserver::cancelRequested()
{
    return g_interrupted.load(std::memory_order_relaxed);
}

} // namespace listrion::cli
