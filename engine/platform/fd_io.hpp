#pragma once
#include <cstddef>
#include <string_view>

namespace yinshi {

// Writes all of `bytes` to `fd`, retrying after interruptions. Output that the
// other end no longer takes is dropped: the screen is not worth a crash.
void WriteAll(int fd, std::string_view bytes);
inline void WriteAll(int fd, const char* bytes, std::size_t size) { WriteAll(fd, std::string_view(bytes, size)); }

// True when reading `fd` would not block (a byte, end of input or an error is
// waiting), within `timeoutMs` milliseconds (0: just look; -1: wait).
bool Readable(int fd, int timeoutMs);

// Like Readable(), and also woken by `wakeFd` (-1: none) becoming readable.
enum class Ready { No, Fd, Wake };
Ready ReadableOrWoken(int fd, int wakeFd, int timeoutMs);

// Reads up to `size` bytes, retrying after interruptions; 0 at end of input or
// on an error.
std::size_t ReadSome(int fd, char* into, std::size_t size);

}  // namespace yinshi
