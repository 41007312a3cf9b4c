// The strip in-process on the core's fakes, for tests of what it does with input.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "Fakes.h"
#include "Handles.h"
#include "Unit1.h"

namespace quorvel::test {

class StripFixture : public ::testing::Test {
 protected:
  static constexpr char16_t kExe[] = u"C:\\Apps\\Quorvel.exe";
  static constexpr char16_t kIni[] = u"C:\\Apps\\Quorvel.ini";

  win::OleSession ole;  // as the program has it before the strip: pictures and drops need it
  FakeIconPort icons;
  FakeDialogs dialogs;
  FakeShell shell;
  FakeFiles files;
  FakeAnsi ansi;
  FakeCommandDialogs commands;
  std::unique_ptr<TForm1> form = Start();

  // A strip on the fixture's ports, as a start of the program makes it.
  std::unique_ptr<TForm1> Start() {
    return std::make_unique<TForm1>(GetModuleHandleW(nullptr), kExe,
                                    AppPorts{icons, dialogs, shell, files, ansi, commands});
  }

  // Runs `open`, which opens the popup menu, and closes the menu as a click elsewhere would;
  // false if the menu never showed.
  bool WhileMenuOpen(const std::function<void()>& open) {
    const HWND strip = form->Handle();
    std::atomic<bool> sawMenu{false};
    std::thread closer([&] {
      for (int i = 0; i < 300 && !sawMenu; ++i) {
        Sleep(10);
        const HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu && IsWindowVisible(menu))
          sawMenu = true;
      }
      PostMessageW(strip, WM_CANCELMODE, 0, 0);
    });
    open();
    closer.join();
    return sawMenu;
  }
};

}  // namespace quorvel::test
