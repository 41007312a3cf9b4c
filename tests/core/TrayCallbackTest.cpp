// Which messages to the tray icon's window act, and how.
#include <gtest/gtest.h>

#include "TrayCallback.h"

namespace quorvel {
namespace {

struct Case {
  const char* what;
  unsigned message;
  std::uint64_t wParam;
  std::int64_t lParam;
  TrayAction expected;
};

TEST(TrayCallback, OnlyTheIconsOwnPressesAct) {
  const Case cases[] = {
      {"left press", TRAY_CALLBACK, 1, 0x201, TrayAction::ToggleStrip},
      {"right press", TRAY_CALLBACK, 1, 0x204, TrayAction::OpenMenu},
      {"upper half of lParam ignored", TRAY_CALLBACK, 1, 0x7FFF'0000'0000'0201,
       TrayAction::ToggleStrip},
      {"negative lParam, low half a press", TRAY_CALLBACK, 1,
       static_cast<std::int64_t>(0xFFFF'FFFF'0000'0204ull), TrayAction::OpenMenu},
      {"left release", TRAY_CALLBACK, 1, 0x202, TrayAction::None},
      {"left double click", TRAY_CALLBACK, 1, 0x203, TrayAction::None},
      {"right release", TRAY_CALLBACK, 1, 0x205, TrayAction::None},
      {"middle press", TRAY_CALLBACK, 1, 0x207, TrayAction::None},
      {"mouse move", TRAY_CALLBACK, 1, 0x200, TrayAction::None},
      {"another icon's id", TRAY_CALLBACK, 2, 0x201, TrayAction::None},
      {"id in the upper half", TRAY_CALLBACK, 0x1'0000'0001, 0x201, TrayAction::None},
      {"another message with a press in lParam", 0x001A /* WM_SETTINGCHANGE */, 0, 0x201,
       TrayAction::None},
      {"WM_USER itself", 0x0400, 1, 0x201, TrayAction::None},
      {"WM_USER + 2", 0x0402, 1, 0x204, TrayAction::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TrayActionFor(c.message, c.wParam, c.lParam), c.expected) << c.what;
}

}  // namespace
}  // namespace quorvel
