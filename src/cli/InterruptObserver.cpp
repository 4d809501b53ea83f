#include "cli/InterruptObserver.h"

#include <atomic>
#include <csignal>

namespace listrion::cli {
namespace {

std::atomic<int> g_requests{0};

extern "C" void onInterrupt(int)
{
    g_requests.fetch_add(1);
}

} // namespace

InterruptObserver::InterruptObserver()
{
    g_requests = 0;
    m_previousInterrupt = std::signal(SIGINT, &onInterrupt);
    m_previousTerminate = std::signal(SIGTERM, &onInterrupt);
}

InterruptObserver::~InterruptObserver()
{
    std::signal(SIGINT, m_previousInterrupt);
    std::signal(SIGTERM, m_previousTerminate);
}

bool InterruptObserver::cancelRequested()
{
    return g_requests.load(std::memory_order_relaxed) > 0;
}

int InterruptObserver::cancelRequests()
{
    return g_requests.load(std::memory_order_relaxed);
}

} // namespace listrion::cli
