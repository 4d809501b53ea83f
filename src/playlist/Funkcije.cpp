#include "playlist/Funkcije.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace listrion::playlist::Funkcije {
namespace {

std::string upper(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

} // namespace

bool fileExists(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

std::string partBeside(std::string_view text, char separator, std::string_view side)
{
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos) {
        return {};
    }
    const std::string s = upper(side);
    if (s == "L" || s == "LEFT" || s == "LEVO") {
        return std::string(text.substr(0, at));
    }
    if (s == "D" || s == "RIGHT" || s == "DESNO") {
        std::string rest;
        for (char c : text.substr(at + 1)) {
            if (c != separator) {
                rest.push_back(c);
            }
        }
        return rest;
    }
    return {};
}

std::string withoutLeadingBracketPart(std::string_view text)
{
    for (auto [open, close] : {std::pair{'[', ']'}, std::pair{'(', ')'}}) {
        if (!text.empty() && text.front() == open) {
            const std::size_t end = text.find(close, 1);
            if (end != std::string_view::npos) {
                return std::string(text.substr(end + 1));
            }
        }
    }
    return std::string(text);
}

std::string fileNameOfPath(std::string_view path)
{
    const std::size_t at = path.find_last_of("/\\");
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

bool containsColon(std::string_view text)
{
    return text.find(':') != std::string_view::npos;
}
bool containsPipe(std::string_view text)
{
    return text.find('|') != std::string_view::npos;
}
bool containsOpenBracket(std::string_view text)
{
    return text.find('[') != std::string_view::npos;
}
bool containsCloseBracket(std::string_view text)
{
    return text.find(']') != std::string_view::npos;
}
bool containsOpenParenthesis(std::string_view text)
{
    return text.find('(') != std::string_view::npos;
}
bool containsCloseParenthesis(std::string_view text)
{
    return text.find(')') != std::string_view::npos;
}

} // namespace listrion::playlist::Funkcije
