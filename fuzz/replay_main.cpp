// Replays inputs through a fuzz target without libFuzzer, so that a plain
// build runs every target's checks on its corpus. Each argument is a file
// (one input), a directory (each file in it one input), or --lines FILE:
// each line of FILE that is not empty and does not start with "#" is one
// input made of its first five TAB-separated fields, as in the golden files.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::size_t replayed = 0;

void Replay(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
  ++replayed;
}

bool ReadFile(const std::filesystem::path& path, std::string& content) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  content.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return true;
}

bool ReplayPath(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(path)) {
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
  } else {
    files.push_back(path);
  }
  for (const auto& file : files) {
    std::string content;
    if (!ReadFile(file, content)) {
      return false;
    }
    Replay(content);
  }
  return true;
}

bool ReplayLines(const std::filesystem::path& path) {
  std::string content;
  if (!ReadFile(path, content)) {
    return false;
  }
  std::istringstream lines(content);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    // The fifth TAB, if any, ends the fifth field.
    std::size_t end = std::string::npos;
    std::size_t from = 0;
    for (int tab = 0; tab < 5; ++tab) {
      end = line.find('\t', from);
      if (end == std::string::npos) {
        break;
      }
      from = end + 1;
    }
    Replay(line.substr(0, end));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  LLVMFuzzerInitialize(&argc, &argv);
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--lines" && i + 1 < argc) {
      if (!ReplayLines(argv[++i])) {
        return 1;
      }
    } else if (!ReplayPath(argv[i])) {
      return 1;
    }
  }
  if (replayed == 0) {
    std::fprintf(stderr, "no input replayed\n");
    return 1;
  }
  std::printf("%zu inputs replayed\n", replayed);
  return 0;
}
