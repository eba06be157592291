#include "calc/system_locale.h"

#include <langinfo.h>
#include <locale.h>

#include <array>
#include <cstring>
#include <fstream>
#include <map>

namespace tarnel {
namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The KEY=value assignments of a shell-style locale file.
std::map<std::string, std::string> ReadAssignments(std::ifstream& file) {
  std::map<std::string, std::string> assignments;
  std::string line;
  while (std::getline(file, line)) {
    line = Trimmed(line);
    if (line.empty() || line.front() == '#') {
      continue;
    }
    if (line.rfind("export ", 0) == 0) {
      line = Trimmed(line.substr(7));
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos) {
      continue;
    }
    assignments[Trimmed(line.substr(0, equals))] = Unquoted(Trimmed(line.substr(equals + 1)));
  }
  return assignments;
}

}  // namespace

std::vector<std::string> SystemLocaleFiles() {
  return {"/etc/default/locale", "/etc/locale.conf"};
}

std::string SystemLocaleName(const std::vector<std::string>& files) {
  for (const auto& path : files) {
    std::ifstream file(path);
    if (!file) {
      continue;
    }
    const auto assignments = ReadAssignments(file);
    for (const char* key : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
      const auto found = assignments.find(key);
      if (found != assignments.end() && !found->second.empty()) {
        return found->second;
      }
    }
  }
  return {};
}

char RadixOfLocale(const std::string& name) {
  if (name.empty()) {
    return '.';
  }
  locale_t locale = newlocale(LC_NUMERIC_MASK, name.c_str(), static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) {
    return '.';
  }
  const char* radix = nl_langinfo_l(RADIXCHAR, locale);
  char mark = '.';
  // Only a single ASCII character can be matched in a UTF-8 text.
  if (radix != nullptr && std::strlen(radix) == 1 && static_cast<unsigned char>(radix[0]) > 32 &&
      static_cast<unsigned char>(radix[0]) < 128) {
    mark = radix[0];
  }
  freelocale(locale);
  return mark;
}

char ReadSystemDecimalMark(const std::vector<std::string>& files) {
  return RadixOfLocale(SystemLocaleName(files));
}

}  // namespace tarnel
