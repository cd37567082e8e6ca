#include "platform/work_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>

namespace yinshi {

namespace {

// O_NOFOLLOW refuses a link of any kind; O_NONBLOCK keeps the open of a FIFO
// from waiting for its other end (a regular file ignores it).
constexpr int kWorkFileFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

// The descriptor when it is a regular file, else closed and -1.
int OnlyRegular(int fd) {
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) return fd;
    ::close(fd);
    errno = EINVAL;
    return -1;
}

}  // namespace

int OpenWorkFileToRead(const std::filesystem::path& path) {
    return OnlyRegular(::open(path.c_str(), O_RDONLY | kWorkFileFlags));
}

int OpenWorkFileToWrite(const std::filesystem::path& path, WriteMode mode) {
    int flags = O_CREAT | kWorkFileFlags;
    flags |= mode == WriteMode::Keep ? O_RDWR : O_WRONLY;
    if (mode == WriteMode::Append) flags |= O_APPEND;
    // Emptied only once it is known to be a regular file: O_TRUNC would act
    // before the check.
    const int fd = OnlyRegular(::open(path.c_str(), flags, 0644));
    if (fd >= 0 && mode == WriteMode::Replace && ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::optional<std::string> ReadCapped(int fd, std::size_t cap, ReadExtent extent) {
    std::string bytes;
    char buffer[65536];
    for (;;) {
        // One byte past the cap tells a file of exactly `cap` bytes from a longer one.
        const std::size_t want = std::min(sizeof buffer, cap + 1 - bytes.size());
        const ssize_t n = ::read(fd, buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) return bytes;
        const std::size_t before = bytes.size();
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (extent == ReadExtent::FirstLine) {
            const std::size_t end = bytes.find('\n', before);
            if (end != std::string::npos && end < cap) {
                bytes.resize(end + 1);
                return bytes;
            }
        }
        if (bytes.size() > cap) return std::nullopt;
    }
}

}  // namespace yinshi
