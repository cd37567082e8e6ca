#include "platform/text_file.hpp"

#include <iterator>

#include "present/number_form.hpp"

namespace yinshi {

bool TextOut::Create(const std::filesystem::path& path) {
    Close();
    out_.open(path, std::ios::binary | std::ios::trunc);
    lineOpen_ = false;
    good_ = out_.is_open();
    return good_;
}

bool TextOut::Append(const std::filesystem::path& path) {
    Close();
    out_.open(path, std::ios::binary | std::ios::app);
    lineOpen_ = false;
    good_ = out_.is_open();
    return good_;
}

void TextOut::Write(std::string_view text) {
    // Nothing written leaves the line as it was: a later close adds no line end.
    if (!out_.is_open() || text.empty()) return;
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    lineOpen_ = true;
    if (!out_) good_ = false;
}

void TextOut::EndLine() {
    if (!out_.is_open()) return;
    out_.write("\r\n", 2);
    lineOpen_ = false;
    if (!out_) good_ = false;
}

void TextOut::Close() {
    if (!out_.is_open()) return;
    if (lineOpen_) EndLine();
    out_.close();
    if (out_.fail()) good_ = false;
}

bool TextIn::Open(const std::filesystem::path& path) {
    auto all = ReadWholeFile(path);
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
    if (text_[pos_] == ',') {
        ++pos_;
    } else if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    } else if (text_[pos_] == '\n') {
        ++pos_;
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
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace yinshi
