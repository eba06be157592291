// Reading and writing file descriptors with every failure reported: the
// command-line tool must never lose output, or end early, without saying so.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnel::cli {

// Reads what is available, at most `size` bytes, into `data`; `got` is 0 at
// the end of the input. False with the system's reason in `error` when the
// read fails (a directory, for instance).
bool ReadSome(int fd, char* data, std::size_t size, std::size_t& got, std::string& error);

// Writes all of `data`. False with the system's reason in `error` when a
// write fails (a full disk, a pipe whose reader has gone while SIGPIPE is
// ignored, a closed descriptor).
bool WriteAll(int fd, std::string_view data, std::string& error);

}  // namespace tarnel::cli
