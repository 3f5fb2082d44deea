// The commands of mpftool.  Each takes the arguments after its own name and
// returns the exit code; bad usage raises cli::UsageError, a bad file
// cli::ToolError or an engine error.
#pragma once

#include <string>
#include <vector>

namespace pavonix::mpftool {

using Args = std::vector<std::string>;

// The whole tool: args are the arguments after the program name.
int MpfTool(Args& args);

int Pack(const Args& args);
int Info(const Args& args);
int Extract(const Args& args);
int Set(const Args& args);
int Check(const Args& args);

// "1 slide", "3 slides".
std::string Counted(size_t n, const char* one, const char* many);

// True when args ask for help; prints the text then.
bool HelpRequested(const Args& args, const char* text);

}  // namespace pavonix::mpftool
