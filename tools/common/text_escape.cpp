#include "tools/common/text_escape.h"

#include <cstdio>

namespace pavonix {

std::string JsonString(std::string_view bytes) {
  std::string out = "\"";
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; continue;
      case '\\': out += "\\\\"; continue;
      case '\n': out += "\\n"; continue;
      case '\r': out += "\\r"; continue;
      case '\t': out += "\\t"; continue;
      default: break;
    }
    if (c < 0x20 || c >= 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string QuotedText(std::string_view bytes) {
  std::string out = "\"";
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c >= 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      out += escape;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

}  // namespace pavonix
