// Helpers shared by the fuzz targets: showing arbitrary bytes in a failure
// report. The x87 state is read and set through calc/x87.h.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace tarnel::fuzz {

// `text` in single quotes with control bytes as \xNN, so that NULs and TABs
// stay visible; other bytes are kept as they are.
inline std::string Quoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '\'') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  quoted += '\'';
  return quoted;
}

}  // namespace tarnel::fuzz
