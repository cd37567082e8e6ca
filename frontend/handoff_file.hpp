#pragma once
// DXS.DAT, the one file the window hands to the engine.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace yinshi::frontend {

inline constexpr const char* kHandOffName = "DXS.DAT";

// The exact bytes of the file: a double quote, the text unescaped, a double quote, CR LF.
std::string HandOffBytes(std::string_view utf8Text);

// Replaces DXS.DAT in `folder`. Returns a description of the failure, or nothing on success;
// a write that the disk refuses (full, read-only) is a failure even when the open succeeded.
std::optional<std::string> WriteHandOffFile(const std::filesystem::path& folder, std::string_view utf8Text);

}  // namespace yinshi::frontend
