#include "engine/startup/command_line.h"

#include <cstdint>

namespace pavonix {
namespace {

bool IsBlank(char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; }

// Reads one argument starting at pos; returns the position after it.
size_t NextArgument(std::string_view line, size_t pos, std::string& argument) {
  argument.clear();
  for (;;) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    // An empty pair of quotes in front of an argument is skipped.
    if (pos + 1 < line.size() && line[pos] == '"' && line[pos + 1] == '"') {
      pos += 2;
      continue;
    }
    break;
  }
  while (pos < line.size() && line[pos] != '\0' && !IsBlank(line[pos])) {
    if (line[pos] == '"') {
      ++pos;
      while (pos < line.size() && line[pos] != '\0' && line[pos] != '"') argument += line[pos++];
      if (pos < line.size() && line[pos] == '"') ++pos;
    } else {
      argument += line[pos++];
    }
  }
  return pos;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> result;
  std::string argument;
  size_t pos = NextArgument(commandLine, 0, argument);
  result.push_back(argument);  // the program name, empty or not
  for (;;) {
    pos = NextArgument(commandLine, pos, argument);
    if (argument.empty()) break;
    result.push_back(argument);
  }
  return result;
}

bool TryReadInt32(std::string_view text, int32_t& value) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return false;

  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (magnitude > 0xFFFFFFFFull) return false;
  }
  int64_t result;
  if (hex) {
    // Hexadecimal digits give a 32-bit pattern: $FFFFFFFF is -1, -$1 is -1 too.
    uint32_t bits = static_cast<uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    result = static_cast<int32_t>(bits);
  } else {
    result = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (result > INT32_MAX || result < INT32_MIN) return false;
  }
  value = static_cast<int32_t>(result);
  return true;
}

int32_t ReadWindowHandle(std::string_view text) {
  int32_t value = 0;
  return TryReadInt32(text, value) ? value : 0;
}

StartupState ParseRunMode(const std::vector<std::string>& arguments) {
  StartupState state;
  if (arguments.size() < 2) {
    state.mode = RunMode::SettingsNoArgument;
    return state;
  }
  // Upper-case the first argument, drop its first character whatever it is, and
  // look at the letter after it.
  const std::string& first = arguments[1];
  const char letter = first.size() >= 2 ? UpperAscii(first[1]) : '\0';
  const bool hasSecond = arguments.size() >= 3;
  if (letter == 'U') {
    state.mode = RunMode::Uninstall;
  } else if (letter == 'C') {
    state.mode = RunMode::Settings;
  } else if (letter == 'A' && hasSecond) {
    state.mode = RunMode::ChangePassword;
    state.parentWindow = ReadWindowHandle(arguments[2]);
  } else if (letter == 'P' && hasSecond) {
    state.mode = RunMode::Preview;
    state.parentWindow = ReadWindowHandle(arguments[2]);
  } else {
    state.mode = RunMode::Show;
  }
  return state;
}

}  // namespace pavonix
