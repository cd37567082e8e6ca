#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace yinshi {

// dj.dat: random access, records of 1001 bytes, record r at (r-1)*1001: a
// 16-bit little-endian length and that many bytes of text. Opening does not
// empty the file.
class FactorFile {
public:
    static constexpr int kRecordSize = 1001;
    static constexpr int kMaxText = kRecordSize - 2;

    FactorFile() = default;
    FactorFile(const FactorFile&) = delete;
    FactorFile& operator=(const FactorFile&) = delete;
    ~FactorFile() { Close(); }

    // False when the file cannot be opened or is not a regular file (work_file.hpp).
    bool Open(const std::filesystem::path& path);
    bool IsOpen() const { return fd_ >= 0; }
    // False once a record could not be written; true again at the next open.
    bool Good() const { return good_; }
    void Close();
    // False (and nothing written) for a text longer than 999 bytes or a failed write.
    // The bytes of the record after the text are written as zeros.
    bool Put(int record, std::string_view text);
    // The text of record r; nullopt when the record lies beyond the end of the
    // file, or its length field exceeds 999 or runs past the end (a damaged file).
    std::optional<std::string> Get(int record) const;

private:
    int fd_ = -1;
    bool good_ = true;
};

}  // namespace yinshi
