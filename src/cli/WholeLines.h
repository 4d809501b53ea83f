#pragma once

#include <streambuf>
#include <string>

namespace listrion::cli {

// Standard output of a command, passed on a whole line at a time: what a command that fails
// had written of its last line is dropped (dropPartialLine), so no half line reaches the output
// before the error on standard error. Lines are passed on in blocks, so a long listing costs no
// more than direct output.
class WholeLines final : public std::streambuf {
public:
    explicit WholeLines(std::streambuf* target) : m_target(target) {}
    WholeLines(const WholeLines&) = delete;
    WholeLines& operator=(const WholeLines&) = delete;

    // A command that failed: its whole lines are passed on, the rest is dropped.
    void dropPartialLine();
    // A command that ended: everything is passed on, a last line without a line end too.
    void finish();

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    void passWholeLines();

    std::streambuf* m_target;
    std::string m_pending;
};

} // namespace listrion::cli
