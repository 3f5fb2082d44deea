#include "tools/common/cli.h"

#include <clocale>
#include <cstdio>
#include <new>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "engine/package/errors.h"

namespace pavonix::cli {

int Run(std::string_view tool, int argc, char** argv, const std::function<int(std::vector<std::string>&)>& body) {
#ifdef _WIN32
  // The same bytes on every system: no CR before each LF.
  _setmode(_fileno(stdout), _O_BINARY);
  // File names arrive in the ANSI code page, and fopen takes them so.  The file
  // system calls of the standard library widen them through the C library,
  // whose default locale reads bytes above 127 as Latin-1: a "€" or any
  // non-Western letter would name another file there.  The system's own code
  // page keeps both views of a name alike.
  std::setlocale(LC_CTYPE, "");
#endif
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const std::string name(tool);
  try {
    return body(args);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", name.c_str(), e.what(), name.c_str());
    return kExitUsage;
  } catch (const ToolError& e) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), e.what());
  } catch (const EPavonixError& e) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), e.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: out of memory\n", name.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), e.what());
  }
  return kExitBadFile;
}

int64_t ParseInteger(std::string_view option, std::string_view text, int64_t min, int64_t max) {
  const std::string what(option);
  if (text.empty()) throw UsageError(what + " needs a number");
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') throw UsageError(what + ": '" + std::string(text) + "' is not a whole number");
    value = value * 10 + (c - '0');
    if (value > max) break;
  }
  if (value < min || value > max) {
    throw UsageError(what + " must be between " + std::to_string(min) + " and " + std::to_string(max));
  }
  return value;
}

std::string OptionValue(const std::vector<std::string>& args, size_t& i) {
  if (i + 1 >= args.size()) throw UsageError(args[i] + " needs a value");
  return args[++i];
}

bool HasExtension(std::string_view name, std::string_view extension) {
  if (name.size() < extension.size()) return false;
  const std::string_view tail = name.substr(name.size() - extension.size());
  for (size_t i = 0; i < tail.size(); ++i) {
    char a = tail[i], b = extension[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

}  // namespace pavonix::cli
