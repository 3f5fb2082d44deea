// Turning the engine's command line into a run mode, once, at process start-up.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pavonix {

enum class RunMode : int32_t {
  SettingsNoArgument = 1,  // no argument at all
  Settings = 2,            // /c, /c:1234
  Show = 3,                // /s and every other switch
  Preview = 4,             // /p <parent window>
  ChangePassword = 5,      // /a <parent window>
  Uninstall = 6,           // /u
};

// Splits a command line as the platform's runtime does for its parameter list:
// runs of blanks (every character up to and including the space) separate
// arguments, double quotes group blanks into one argument and are removed, and an
// empty pair of quotes is not an argument.  Element 0 is the program name.  The
// list ends at the first argument that comes out empty, as the platform's count
// of parameters does.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Reads a signed 32-bit whole number the way the platform's string-to-integer
// conversion does: leading spaces and a sign allowed, "$", "x", "X", "0x" or "0X"
// in front selects hexadecimal (up to eight digits, taken as a 32-bit pattern).
// Returns false, and leaves value alone, on any failure.
bool TryReadInt32(std::string_view text, int32_t& value);

// The same, with 0 for any failure.
int32_t ReadWindowHandle(std::string_view text);

struct StartupState {
  RunMode mode = RunMode::SettingsNoArgument;
  int32_t parentWindow = 0;  // 0 when the mode takes none or the number is bad
};

// Decides the run mode from the split arguments (element 0 is the program name).
StartupState ParseRunMode(const std::vector<std::string>& arguments);

}  // namespace pavonix
