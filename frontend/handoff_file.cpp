#include "handoff_file.hpp"

#include "regular_file.hpp"

namespace yinshi::frontend {

std::string HandOffBytes(std::string_view utf8Text) {
    std::string bytes;
    bytes.reserve(utf8Text.size() + 4);
    bytes += '"';
    bytes += utf8Text;
    bytes += "\"\r\n";
    return bytes;
}

std::optional<std::string> WriteHandOffFile(const std::filesystem::path& folder, std::string_view utf8Text) {
    return WriteRegularFile(folder / kHandOffName, HandOffBytes(utf8Text));
}

}  // namespace yinshi::frontend
