#include "handoff_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

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
    const std::filesystem::path path = folder / kHandOffName;
    // stdio rather than a stream: errno tells the user why (no space, no permission, ...).
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return std::string(std::strerror(errno));
    const std::string bytes = HandOffBytes(utf8Text);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    int err = written ? 0 : errno;
    if (std::fflush(f) != 0 && err == 0) err = errno;
    if (std::fclose(f) != 0 && err == 0) err = errno;
    if (!written && err == 0) err = EIO;
    if (err != 0) return std::string(std::strerror(err));
    return std::nullopt;
}

}  // namespace yinshi::frontend
