// The decimal separator of the system-wide locale setting (not the user's
// environment), read once at start-up.
#pragma once

#include <string>
#include <vector>

namespace tarnel {

// The files that hold the system-wide locale, in the order they are tried.
std::vector<std::string> SystemLocaleFiles();

// The locale the first readable file of `files` names: LC_ALL, then
// LC_NUMERIC, then LANG. Empty when none names one.
std::string SystemLocaleName(const std::vector<std::string>& files);

// The one-character ASCII radix character of locale `name`, or '.' when the
// locale is not installed or its separator does not fit in one character.
char RadixOfLocale(const std::string& name);

// RadixOfLocale(SystemLocaleName(files)), '.' when no locale is set.
char ReadSystemDecimalMark(const std::vector<std::string>& files = SystemLocaleFiles());

}  // namespace tarnel
