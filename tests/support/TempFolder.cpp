#include "support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace listrion::test {

TempFolder::TempFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "listrion-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::filesystem::path TempFolder::write(const std::string& name, const std::string& bytes) const
{
    const std::filesystem::path path = m_path / name;
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace listrion::test
