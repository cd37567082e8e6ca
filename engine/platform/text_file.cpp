#include "platform/text_file.hpp"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/number_form.hpp"

namespace yinshi {

bool TextOut::Open(const std::filesystem::path& path, WriteMode mode) {
    Close();
    fd_ = OpenWorkFileToWrite(path, mode);
    written_ = 0;
    lineOpen_ = false;
    pending_.clear();
    good_ = fd_ >= 0;
    return good_;
}

bool TextOut::Create(const std::filesystem::path& path) { return Open(path, WriteMode::Replace); }

bool TextOut::Append(const std::filesystem::path& path) { return Open(path, WriteMode::Append); }

namespace {

// False when the bytes could not all be written.
bool WriteFully(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

void TextOut::Flush() {
    if (fd_ < 0 || pending_.empty()) return;
    if (WriteFully(fd_, pending_))
        written_ += pending_.size();
    else
        good_ = false;
    pending_.clear();
}

void TextOut::Write(std::string_view text) {
    // Nothing written leaves the line as it was: a later close adds no line end.
    if (fd_ < 0 || text.empty()) return;
    pending_.append(text);
    lineOpen_ = true;
}

void TextOut::EndLine() {
    if (fd_ < 0) return;
    pending_.append("\r\n");
    lineOpen_ = false;
    Flush();
}

void TextOut::Close() {
    if (fd_ < 0) return;
    if (lineOpen_) EndLine();
    Flush();
    if (::close(fd_) != 0) good_ = false;
    fd_ = -1;
}

bool TextIn::Open(const std::filesystem::path& path, std::size_t cap, ReadExtent extent) {
    std::optional<std::string> all;
    const int fd = OpenWorkFileToRead(path);
    if (fd >= 0) {
        all = ReadCapped(fd, cap, extent);
        ::close(fd);
    }
    text_ = all.value_or(std::string());
    pos_ = 0;
    return all.has_value();
}

bool TextIn::AtEnd() const { return pos_ >= text_.size(); }

std::optional<std::string> TextIn::Line() {
    if (AtEnd()) return std::nullopt;
    std::size_t end = text_.find_first_of("\r\n", pos_);
    if (end == std::string::npos) end = text_.size();
    std::string line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    return line;
}

void TextIn::SkipSeparatorAfterItem() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == ',' || text_[pos_] == '\n') {
        ++pos_;
    } else if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    }
}

std::optional<std::string> TextIn::Item() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\r' || text_[pos_] == '\n')) ++pos_;
    if (AtEnd()) return std::nullopt;
    std::string item;
    if (text_[pos_] == '"') {
        std::size_t close = text_.find('"', pos_ + 1);
        if (close == std::string::npos) close = text_.size();
        item = text_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close < text_.size() ? close + 1 : close;
    } else {
        std::size_t end = text_.find_first_of(",\r\n", pos_);
        if (end == std::string::npos) end = text_.size();
        item = text_.substr(pos_, end - pos_);
        while (!item.empty() && item.back() == ' ') item.pop_back();
        pos_ = end;
    }
    SkipSeparatorAfterItem();
    return item;
}

std::optional<float> TextIn::Number() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\r' || text_[pos_] == '\n')) ++pos_;
    if (AtEnd()) return std::nullopt;
    std::size_t end = text_.find_first_of(" ,\r\n", pos_);
    if (end == std::string::npos) end = text_.size();
    float v = ReadNumber(std::string_view(text_).substr(pos_, end - pos_));
    pos_ = end;
    SkipSeparatorAfterItem();
    return v;
}

bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = OpenWorkFileToWrite(path, WriteMode::Replace);
    if (fd < 0) return false;
    const bool written = WriteFully(fd, bytes);
    return (::close(fd) == 0) && written;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t cap) {
    const int fd = OpenWorkFileToRead(path);
    if (fd < 0) return std::nullopt;
    std::optional<std::string> bytes = ReadCapped(fd, cap);
    ::close(fd);
    return bytes;
}

bool FileMissing(const std::filesystem::path& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) != 0 && errno == ENOENT;
}

}  // namespace yinshi
