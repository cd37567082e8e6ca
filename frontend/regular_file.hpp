#pragma once
// The window program's own files in its folder (DXS.DAT it writes, jg.dat it reads) are
// regular files. Whatever else stands under one of their names is refused, never opened
// through: a symbolic link would send the text to a file elsewhere, a FIFO would hang the
// window, a device could hand it bytes without end.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace yinshi::frontend {

// The reason given for a name that holds no regular file.
inline constexpr const char* kNotARegularFile = "not a regular file";

struct FileBytes {
    std::string bytes;
    std::optional<std::string> error;  // why the file could not be read
    bool missing = false;              // nothing at all is under the name
};

// The whole file, refused when it holds more than `cap` bytes.
FileBytes ReadRegularFile(const std::filesystem::path& path, std::size_t cap);

// Replaces the file's bytes (creating it when missing). Returns why it failed, or nothing.
std::optional<std::string> WriteRegularFile(const std::filesystem::path& path, std::string_view bytes);

// True when something other than a regular file stands under the name.
bool HoldsOtherThanAFile(const std::filesystem::path& path);

}  // namespace yinshi::frontend
