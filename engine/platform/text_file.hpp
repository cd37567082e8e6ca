#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/work_file.hpp"

namespace yinshi {

// A sequential text file written the way the engine's files are: every write
// appends to the open line, EndLine writes CR LF (an empty line when no line is
// open), and closing ends an open line first, so every line ends with CR LF.
// Each finished line goes to the file at once, so a run that is killed leaves
// every line it completed on disk.
class TextOut {
public:
    TextOut() = default;
    TextOut(const TextOut&) = delete;
    TextOut& operator=(const TextOut&) = delete;
    ~TextOut() { Close(); }

    // Create afresh (replacing an old file) or open for appending; false when
    // the file cannot be opened or is not a regular file (work_file.hpp).
    bool Create(const std::filesystem::path& path);
    bool Append(const std::filesystem::path& path);
    bool IsOpen() const { return fd_ >= 0; }
    bool LineOpen() const { return lineOpen_; }

    void Write(std::string_view text);
    void EndLine();
    // Puts an open line's text on disk too, without ending the line.
    void Flush();
    void Close();
    // False once opening, a write or the close has failed (a full disk and the
    // like); it stays false after the close, until the next open.
    bool Good() const { return good_; }
    // The bytes that reached the file since it was opened.
    std::size_t Written() const { return written_; }

private:
    bool Open(const std::filesystem::path& path, WriteMode mode);
    int fd_ = -1;
    std::size_t written_ = 0;
    std::string pending_;
    bool lineOpen_ = false;
    bool good_ = true;
};

// Reads a text file the way the engine reads its files back: whole lines, and
// items in the manner of a sequential INPUT (quoted strings, or bare items
// ending at a comma or a line end; numbers also end at a blank).
class TextIn {
public:
    // Reads the file (or its first line) whole; false when it cannot be
    // opened, is no regular file or holds more than `cap` bytes.
    bool Open(const std::filesystem::path& path, std::size_t cap, ReadExtent extent = ReadExtent::WholeFile);
    std::size_t Size() const { return text_.size(); }
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
// The whole file; nullopt when it is missing or cannot be read (a folder, a
// link, no permission, an input/output error) or holds more than `cap` bytes.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t cap);
// True only when nothing at all is at `path`: a file that exists but cannot be
// read is not missing.
bool FileMissing(const std::filesystem::path& path);

}  // namespace yinshi
