#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace yinshi {

// The engine's work files are regular files in its own folder. Whatever else
// stands under one of their names is refused, never opened through: a
// symbolic link (to a file elsewhere, to a device, to nothing) would have the
// engine write over a file that is not its own, a FIFO would block it for
// ever, and a device can hand it bytes without end.

// Opens an existing regular file for reading; -1 for anything else.
int OpenWorkFileToRead(const std::filesystem::path& path);

// Replace empties the file, Append writes at its end, Keep (read and write,
// for random access) leaves it as it is. A missing file is created.
enum class WriteMode { Replace, Append, Keep };
// Opens a regular file for writing, or creates one; -1 for anything else,
// which is then left as it was.
int OpenWorkFileToWrite(const std::filesystem::path& path, WriteMode mode);

// Which part of a file a reader wants: all of it, or the first line (up to
// and with its line feed).
enum class ReadExtent { WholeFile, FirstLine };
// The file's bytes, or nullopt on a read error or when what is wanted runs
// past `cap` bytes: a work file longer than it can be is not the engine's.
std::optional<std::string> ReadCapped(int fd, std::size_t cap, ReadExtent extent = ReadExtent::WholeFile);

}  // namespace yinshi
