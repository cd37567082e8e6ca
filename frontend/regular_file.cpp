#include "regular_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace yinshi::frontend {
namespace {

// O_NOFOLLOW refuses a link of any kind; O_NONBLOCK keeps the open of a FIFO from waiting
// for its other end (a regular file ignores it).
constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

// Why `path` could not be used: a folder keeps the system's word for it, anything else that
// is not a regular file is said so.
std::string Reason(const std::filesystem::path& path, int err) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : kNotARegularFile;
    return std::strerror(err);
}

// The descriptor, checked to be a regular file; -1 with the reason otherwise.
int OpenChecked(const std::filesystem::path& path, int flags, std::string& reason) {
    const int fd = ::open(path.c_str(), flags | kFlags, 0644);
    if (fd < 0) {
        reason = Reason(path, errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        reason = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : kNotARegularFile;
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

FileBytes ReadRegularFile(const std::filesystem::path& path, std::size_t cap) {
    FileBytes result;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 && errno == ENOENT) {
        result.error = std::strerror(ENOENT);
        result.missing = true;
        return result;
    }
    std::string reason;
    const int fd = OpenChecked(path, O_RDONLY, reason);
    if (fd < 0) {
        result.error = reason;
        return result;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, cap + 1 - result.bytes.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) result.error = std::strerror(errno);
        if (n <= 0) break;
        result.bytes.append(buffer, static_cast<std::size_t>(n));
        if (result.bytes.size() > cap) {
            result.error = std::strerror(EFBIG);
            break;
        }
    }
    ::close(fd);
    if (result.error) result.bytes.clear();
    return result;
}

std::optional<std::string> WriteRegularFile(const std::filesystem::path& path, std::string_view bytes) {
    std::string reason;
    const int fd = OpenChecked(path, O_WRONLY | O_CREAT, reason);
    if (fd < 0) return reason;
    // Emptied only once it is known to be a regular file: O_TRUNC would act before the check.
    int err = ::ftruncate(fd, 0) == 0 ? 0 : errno;
    while (err == 0 && !bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) err = n < 0 ? errno : EIO;
        if (n > 0) bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err != 0) return std::string(std::strerror(err));
    return std::nullopt;
}

bool HoldsOtherThanAFile(const std::filesystem::path& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

}  // namespace yinshi::frontend
