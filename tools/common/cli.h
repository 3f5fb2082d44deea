// What every portable tool shares: exit codes, error reporting, option parsing.
//
// Exit codes: 0 success, 1 a bad file (the message names the file and the
// problem), 2 bad usage (a one-line reason, then a hint to --help).
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pavonix::cli {

constexpr int kExitOk = 0;
constexpr int kExitBadFile = 1;
constexpr int kExitUsage = 2;

// Bad usage: exit code 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A bad file or a failed job: exit code 1.  The message should name the file.
class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Runs body with the arguments after the program name and turns its errors into
// messages on stderr ("<tool>: <message>") and exit codes.  On Windows it first
// puts stdout in binary mode and takes file names in the system's code page.  Engine errors and
// std::bad_alloc count as bad files (1); UsageError gives 2.
int Run(std::string_view tool, int argc, char** argv, const std::function<int(std::vector<std::string>&)>& body);

// A whole decimal number in [min, max], or UsageError naming the option.
int64_t ParseInteger(std::string_view option, std::string_view text, int64_t min, int64_t max);

// Takes the value of an option that needs one: "--interval 5".  Advances i.
std::string OptionValue(const std::vector<std::string>& args, size_t& i);

// True when the name ends with the extension, compared without regard to ASCII case.
bool HasExtension(std::string_view name, std::string_view extension);

}  // namespace pavonix::cli
