#include "platform/factor_file.hpp"

#include <array>
#include <cstdint>

namespace yinshi {

bool FactorFile::Open(const std::filesystem::path& path) {
    Close();
    // An fstream opened for reading and writing does not create the file, and
    // opening for writing alone would empty it: touch it first in append mode.
    { std::ofstream touch(path, std::ios::binary | std::ios::app); }
    io_.open(path, std::ios::binary | std::ios::in | std::ios::out);
    good_ = true;
    return io_.is_open();
}

void FactorFile::Close() {
    if (io_.is_open()) io_.close();
    io_.clear();
}

bool FactorFile::Put(int record, std::string_view text) {
    if (!io_.is_open() || record < 1 || text.size() > static_cast<std::size_t>(kMaxText)) return false;
    // The whole record is written, the bytes after the text as zeros, so that a
    // record never shows the remains of a longer text from an earlier run.
    std::array<char, kRecordSize> bytes{};
    bytes[0] = static_cast<char>(text.size() & 0xFF);
    bytes[1] = static_cast<char>((text.size() >> 8) & 0xFF);
    text.copy(bytes.data() + 2, text.size());
    io_.clear();
    io_.seekp(static_cast<std::streamoff>(record - 1) * kRecordSize);
    io_.write(bytes.data(), kRecordSize);
    io_.flush();
    bool ok = static_cast<bool>(io_);
    io_.clear();
    if (!ok) good_ = false;
    return ok;
}

std::optional<std::string> FactorFile::Get(int record) {
    if (!io_.is_open() || record < 1) return std::nullopt;
    io_.clear();
    io_.seekg(0, std::ios::end);
    std::streamoff size = io_.tellg();
    std::streamoff start = static_cast<std::streamoff>(record - 1) * kRecordSize;
    if (size < 0 || start + 2 > size) {
        io_.clear();
        return std::nullopt;
    }
    io_.seekg(start);
    std::array<unsigned char, 2> head{};
    io_.read(reinterpret_cast<char*>(head.data()), 2);
    std::size_t length = static_cast<std::size_t>(head[0]) | (static_cast<std::size_t>(head[1]) << 8);
    // A length that cannot fit its record was not written by Put: the file is
    // damaged, and reading on would take the next record's bytes as text.
    if (!io_ || length > static_cast<std::size_t>(kMaxText) || start + 2 + static_cast<std::streamoff>(length) > size) {
        io_.clear();
        return std::nullopt;
    }
    std::string text(length, '\0');
    io_.read(text.data(), static_cast<std::streamsize>(length));
    bool ok = static_cast<bool>(io_);
    io_.clear();
    if (!ok) return std::nullopt;
    return text;
}

}  // namespace yinshi
