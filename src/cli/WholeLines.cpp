#include "cli/WholeLines.h"

namespace listrion::cli {
namespace {

// Whole lines wait until this much has gathered.
constexpr std::size_t kBlock = std::size_t{64} << 10;

} // namespace

std::streambuf::int_type WholeLines::overflow(int_type c)
{
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        m_pending.push_back(traits_type::to_char_type(c));
        if (m_pending.size() >= kBlock) {
            passWholeLines();
        }
    }
    return traits_type::not_eof(c);
}

std::streamsize WholeLines::xsputn(const char* text, std::streamsize count)
{
    m_pending.append(text, static_cast<std::size_t>(count));
    if (m_pending.size() >= kBlock) {
        passWholeLines();
    }
    return count;
}

int WholeLines::sync()
{
    passWholeLines();
    return m_target->pubsync();
}

void WholeLines::passWholeLines()
{
    const std::size_t end = m_pending.rfind('\n');
    if (end == std::string::npos) {
        return;
    }
    m_target->sputn(m_pending.data(), static_cast<std::streamsize>(end + 1));
    m_pending.erase(0, end + 1);
}

void WholeLines::dropPartialLine()
{
    passWholeLines();
    m_pending.clear();
    m_target->pubsync();
}

void WholeLines::finish()
{
    m_target->sputn(m_pending.data(), static_cast<std::streamsize>(m_pending.size()));
    m_pending.clear();
    m_target->pubsync();
}

} // namespace listrion::cli
