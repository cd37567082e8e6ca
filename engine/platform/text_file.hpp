#pragma once
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace yinshi {

// A sequential text file written the way the engine's files are: every write
// appends to the open line, EndLine writes CR LF (an empty line when no line is
// open), and closing ends an open line first, so every line ends with CR LF.
class TextOut {
public:
    TextOut() = default;
    TextOut(const TextOut&) = delete;
    TextOut& operator=(const TextOut&) = delete;
    ~TextOut() { Close(); }

    // Create afresh (replacing an old file) or open for appending; false when
    // the file cannot be opened.
    bool Create(const std::filesystem::path& path);
    bool Append(const std::filesystem::path& path);
    bool IsOpen() const { return out_.is_open(); }
    bool LineOpen() const { return lineOpen_; }

    void Write(std::string_view text);
    void EndLine();
    void Close();
    // False once a write has failed (full disk and the like).
    bool Good() const { return good_; }

private:
    std::ofstream out_;
    bool lineOpen_ = false;
    bool good_ = true;
};

// Reads a text file the way the engine reads its files back: whole lines, and
// items in the manner of a sequential INPUT (quoted strings, or bare items
// ending at a comma or a line end; numbers also end at a blank).
class TextIn {
public:
    // Reads the whole file; false when it cannot be opened.
    bool Open(const std::filesystem::path& path);
    bool AtEnd() const;
    // The next line without its line end (CR LF, LF or CR).
    std::optional<std::string> Line();
    // The next item: blanks and line ends before it are skipped; a quoted item
    // runs to the closing quote; a bare item runs to a comma or a line end and
    // loses its trailing blanks. The comma or line end after it is consumed.
    std::optional<std::string> Item();
    // The next number item: as Item(), but a blank also ends it; read with ReadNumber.
    std::optional<float> Number();

private:
    void SkipSeparatorAfterItem();
    std::string text_;
    std::size_t pos_ = 0;
};

bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

}  // namespace yinshi
