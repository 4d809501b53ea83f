#pragma once

#include "store/Value.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace listrion::cli {

// Writes the tab-separated listings: fields separated by one TAB, lines ended by LF, NULL as
// \N, text with backslash, TAB, LF and CR written as \\, \t, \n and \r.
class TsvWriter {
public:
    explicit TsvWriter(std::ostream& out) : m_out(out) {}
    ~TsvWriter();
    TsvWriter(const TsvWriter&) = delete;
    TsvWriter& operator=(const TsvWriter&) = delete;

    TsvWriter& text(std::string_view value);
    TsvWriter& integer(std::int64_t value);
    TsvWriter& null();
    TsvWriter& value(const store::Value& value);
    void endLine();
    void flush();

private:
    void separate();

    std::ostream& m_out;
    std::string m_buffer;
    bool m_lineStarted = false;
};

} // namespace listrion::cli
