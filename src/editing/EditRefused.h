#pragma once

#include <stdexcept>
#include <string>

namespace listrion::editing {

// A command refused because of what it was given; nothing was changed. what() says why in
// English (the command line shows it); windows show the language text for the reason.
class EditRefused : public std::runtime_error {
public:
    enum class Reason {
        EmptyName,     // a group or channel name is empty
        NameTooLong,   // a text is longer than kMaxTextLength characters
        NameTaken,     // another group already has that name
        NoSuchGroup,   // the group named is not there
        NoSuchChannel, // the channel is not there
        BadType,       // a type other than Live, VOD and Radio
        NoType,        // no type given
        NothingTicked, // a command on ticked rows found none
        NoLink,        // a channel without a stream link
        NeedsMerge,    // the names would make two groups one; the caller did not allow it
        NoNameColumn,  // a name tool with neither the name nor the tvg-name chosen
        BadCode,       // a parental code that is not four digits
    };

    EditRefused(Reason reason, const std::string& message)
        : std::runtime_error(message), m_reason(reason)
    {
    }
    Reason reason() const { return m_reason; }

private:
    Reason m_reason;
};

// The longest group name, channel name or other text field the commands accept, in characters.
inline constexpr std::size_t kMaxTextLength = 1000;

} // namespace listrion::editing
