// The strip in-process on the core's fakes, for tests of what it does with input.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

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
  std::unique_ptr<TForm1> form = std::make_unique<TForm1>(
      GetModuleHandleW(nullptr), kExe, AppPorts{icons, dialogs, shell, files, ansi, commands});
};

}  // namespace quorvel::test
