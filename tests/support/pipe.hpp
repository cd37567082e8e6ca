#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace yinshi::testing {

// Both ends of a pipe, closed with the object.
struct Pipe {
    int read = -1;
    int write = -1;
    Pipe() {
        int fds[2];
        if (::pipe(fds) == 0) {
            read = fds[0];
            write = fds[1];
        }
    }
    ~Pipe() {
        if (read >= 0) ::close(read);
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    void CloseWrite() {
        if (write >= 0) ::close(write);
        write = -1;
    }
    void Send(const std::string& bytes) const {
        ASSERT_EQ(::write(write, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
};

}  // namespace yinshi::testing
