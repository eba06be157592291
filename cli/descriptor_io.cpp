#include "cli/descriptor_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tarnel::cli {

bool ReadSome(int fd, char* data, std::size_t size, std::size_t& got, std::string& error) {
  while (true) {
    const ssize_t count = ::read(fd, data, size);
    if (count >= 0) {
      got = static_cast<std::size_t>(count);
      return true;
    }
    if (errno != EINTR) {
      error = std::strerror(errno);
      return false;
    }
  }
}

bool WriteAll(int fd, std::string_view data, std::string& error) {
  while (!data.empty()) {
    const ssize_t count = ::write(fd, data.data(), data.size());
    if (count < 0) {
      if (errno == EINTR) {
        continue;
      }
      error = std::strerror(errno);
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

}  // namespace tarnel::cli
