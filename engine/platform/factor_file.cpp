#include "platform/factor_file.hpp"

#include <sys/stat.h>
#include <unistd.h>
#include <array>
#include <cerrno>
#include <cstdint>

#include "platform/work_file.hpp"

namespace yinshi {

namespace {

// Runs `io` (a pread or a pwrite at an offset) until all `size` bytes have gone,
// retrying after interruptions; false on an error or an end of file.
template <typename Byte, typename Io>
bool Whole(Io io, Byte* bytes, std::size_t size, off_t at) {
    while (size > 0) {
        const ssize_t n = io(bytes, size, at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
        at += n;
    }
    return true;
}

bool WriteAt(int fd, const char* bytes, std::size_t size, off_t at) {
    return Whole([fd](const char* b, std::size_t n, off_t a) { return ::pwrite(fd, b, n, a); }, bytes, size, at);
}

bool ReadAt(int fd, char* bytes, std::size_t size, off_t at) {
    return Whole([fd](char* b, std::size_t n, off_t a) { return ::pread(fd, b, n, a); }, bytes, size, at);
}

}  // namespace

bool FactorFile::Open(const std::filesystem::path& path) {
    Close();
    fd_ = OpenWorkFileToWrite(path, WriteMode::Keep);
    good_ = true;
    return fd_ >= 0;
}

void FactorFile::Close() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

bool FactorFile::Put(int record, std::string_view text) {
    if (fd_ < 0 || record < 1 || text.size() > static_cast<std::size_t>(kMaxText)) return false;
    // The whole record is written, the bytes after the text as zeros, so that a
    // record never shows the remains of a longer text from an earlier run.
    std::array<char, kRecordSize> bytes{};
    bytes[0] = static_cast<char>(text.size() & 0xFF);
    bytes[1] = static_cast<char>((text.size() >> 8) & 0xFF);
    text.copy(bytes.data() + 2, text.size());
    const bool ok = WriteAt(fd_, bytes.data(), bytes.size(), static_cast<off_t>(record - 1) * kRecordSize);
    if (!ok) good_ = false;
    return ok;
}

std::optional<std::string> FactorFile::Get(int record) const {
    if (fd_ < 0 || record < 1) return std::nullopt;
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return std::nullopt;
    const off_t size = st.st_size;
    const off_t start = static_cast<off_t>(record - 1) * kRecordSize;
    std::array<unsigned char, 2> head{};
    if (start + 2 > size || !ReadAt(fd_, reinterpret_cast<char*>(head.data()), 2, start)) return std::nullopt;
    const std::size_t length = static_cast<std::size_t>(head[0]) | (static_cast<std::size_t>(head[1]) << 8);
    // A length that cannot fit its record was not written by Put: the file is
    // damaged, and reading on would take the next record's bytes as text.
    if (length > static_cast<std::size_t>(kMaxText) || start + 2 + static_cast<off_t>(length) > size)
        return std::nullopt;
    std::string text(length, '\0');
    if (!ReadAt(fd_, text.data(), length, start + 2)) return std::nullopt;
    return text;
}

}  // namespace yinshi
