#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/startup/command_line.h"
#include "engine/startup/dispatch.h"
#include "engine/startup/os_version.h"

namespace pavonix {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsThePlatformRules) {
  struct Case {
    const char* label;
    const char* line;
    Args expected;
  };
  const Case cases[] = {
      {"program only", "saver.scr", {"saver.scr"}},
      {"quoted program with blank", "\"C:\\My Saver\\x.scr\" /s", {"C:\\My Saver\\x.scr", "/s"}},
      {"runs of blanks", "x.scr   /p\t\t1234  ", {"x.scr", "/p", "1234"}},
      {"control characters are blanks", "x.scr\x01/s\x1f" "a", {"x.scr", "/s", "a"}},
      {"quotes group and vanish", "x.scr /p \"12\"34", {"x.scr", "/p", "1234"}},
      {"quoted blank", "x.scr \"a b\" c", {"x.scr", "a b", "c"}},
      {"empty quotes are no argument", "x.scr \"\" /s", {"x.scr", "/s"}},
      {"empty quotes before an argument", "x.scr \"\"/s", {"x.scr", "/s"}},
      {"unclosed quote runs to the end", "x.scr \"/p 5", {"x.scr", "/p 5"}},
      {"lone quote at the end ends the list", "x.scr /s \"", {"x.scr", "/s"}},
      {"high characters are not blanks", "x.scr /\xfc", {"x.scr", "/\xfc"}},
      {"empty line", "", {""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitCommandLine(c.line), c.expected) << c.label;
  }
}

TEST(ReadWindowHandle, ConvertsLikeThePlatform) {
  struct Case {
    const char* text;
    int32_t expected;
  };
  const Case cases[] = {
      {"1234", 1234},     {"$4D2", 1234},        {"0x4d2", 1234},      {"x4D2", 1234},
      {"X4d2", 1234},     {"0X4D2", 1234},       {"  77", 77},         {"+5", 5},
      {"-5", -5},         {"-$10", -16},         {"$FFFFFFFF", -1},    {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},                {"2147483648", 0},    {"$100000000", 0},
      {"", 0},            {"abc", 0},            {"12a", 0},           {"$", 0},
      {"0x", 0},          {" ", 0},              {"12 ", 0},           {"1 2", 0},
      {"-", 0},           {"0", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadWindowHandle(c.text), c.expected) << "text \"" << c.text << "\"";
  }
}

TEST(ParseRunMode, CommandLinesGiveModesAndHandles) {
  struct Case {
    const char* line;
    RunMode mode;
    int32_t handle;
  };
  const Case cases[] = {
      {"x.scr", RunMode::SettingsNoArgument, 0},
      {"x.scr /S", RunMode::Show, 0},
      {"x.scr /s", RunMode::Show, 0},
      {"x.scr -s", RunMode::Show, 0},
      {"x.scr xs", RunMode::Show, 0},
      {"x.scr s", RunMode::Show, 0},
      {"x.scr /", RunMode::Show, 0},
      {"x.scr /q", RunMode::Show, 0},
      {"x.scr /c:4711", RunMode::Settings, 0},
      {"x.scr /C", RunMode::Settings, 0},
      {"x.scr /c 99", RunMode::Settings, 0},
      {"x.scr /p 1234", RunMode::Preview, 1234},
      {"x.scr /P $4D2", RunMode::Preview, 1234},
      {"x.scr /p", RunMode::Show, 0},
      {"x.scr /p abc", RunMode::Preview, 0},
      {"x.scr /p 0", RunMode::Preview, 0},
      {"x.scr /a 1234", RunMode::ChangePassword, 1234},
      {"x.scr /a", RunMode::Show, 0},
      {"x.scr /u", RunMode::Uninstall, 0},
      {"x.scr /U extra args", RunMode::Uninstall, 0},
      {"x.scr /\xfc", RunMode::Show, 0},
      {"x.scr \"\" /p 5", RunMode::Preview, 5},
      {"x.scr /pa 5", RunMode::Preview, 5},
  };
  for (const Case& c : cases) {
    const StartupState state = ParseRunMode(SplitCommandLine(c.line));
    EXPECT_EQ(state.mode, c.mode) << c.line;
    EXPECT_EQ(state.parentWindow, c.handle) << c.line;
  }
}

TEST(ClassifyOSVersion, FollowsTheVersionTable) {
  struct Case {
    const char* label;
    uint32_t major, minor, platform;
    uint8_t expected;
  };
  const Case cases[] = {
      {"Windows 95", 4, 0, 1, 0},     {"Windows 98", 4, 10, 1, 1},  {"Windows Me", 4, 90, 1, 2},
      {"NT 3.51", 3, 51, 2, 3},       {"NT 4.0", 4, 0, 2, 4},       {"Windows 2000", 5, 0, 2, 6},
      {"Windows XP", 5, 1, 2, 5},     {"Server 2003", 5, 2, 2, 5},  {"Windows 7", 6, 1, 2, 1},
      {"Windows 10", 10, 0, 2, 1},    {"unknown 4.x", 4, 3, 2, 2},  {"Win32s 3.1", 3, 10, 0, 3},
      {"zero", 0, 0, 0, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyOSVersion(c.major, c.minor, c.platform), c.expected) << c.label;
  }
}

TEST(Dispatch, StartsTheModesWorkAndReturnsItsExitCode) {
  std::string log;
  ModeHandlers h;
  h.showWindow = [&] { log += "show;"; return 1; };
  h.settingsDialog = [&] { log += "settings;"; return 0; };
  h.previewWindow = [&](int32_t parent) { log += "preview " + std::to_string(parent) + ";"; return 0; };
  h.changePassword = [&](int32_t parent) { log += "password " + std::to_string(parent) + ";"; };
  h.runUninstall = [&] { log += "uninstall;"; };
  h.restoreForeground = [&] { log += "foreground;"; };

  struct Case {
    StartupState state;
    int code;
    const char* log;
  };
  const Case cases[] = {
      {{RunMode::Show, 0}, 1, "show;"},  // no package: ends at once
      {{RunMode::SettingsNoArgument, 0}, 0, "settings;"},
      {{RunMode::Settings, 0}, 0, "settings;"},
      {{RunMode::Preview, 42}, 0, "preview 42;"},
      {{RunMode::Preview, 0}, 0, ""},
      {{RunMode::ChangePassword, 7}, 0, "password 7;"},
      {{RunMode::ChangePassword, 0}, 0, ""},
      {{RunMode::Uninstall, 0}, 0, "uninstall;"},
  };
  for (const Case& c : cases) {
    log.clear();
    EXPECT_EQ(Dispatch(c.state, h), c.code) << static_cast<int>(c.state.mode);
    EXPECT_EQ(log, c.log) << static_cast<int>(c.state.mode);
  }
  // A show that ran brings the previous window back.
  log.clear();
  h.showWindow = [&] { log += "show;"; return 0; };
  EXPECT_EQ(Dispatch({RunMode::Show, 0}, h), 0);
  EXPECT_EQ(log, "show;foreground;");
  // Modes with nothing to start yet end with exit code 0.
  EXPECT_EQ(Dispatch({RunMode::Show, 0}, ModeHandlers{}), 0);
}

}  // namespace
}  // namespace pavonix
