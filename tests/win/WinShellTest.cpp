#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ExePath.h"
#include "TempFolder.h"
#include "Utf16.h"
#include "WinShell.h"

namespace {

using quorvel::win::ToU16;

bool Started(std::uintptr_t r) {
  return r > 32;
}
bool NoAssociation(std::uintptr_t r) {
  return r == SE_ERR_NOASSOC;
}
bool FileNotFound(std::uintptr_t r) {
  return r == ERROR_FILE_NOT_FOUND;
}
// Windows reports a missing folder as "path not found"; Wine as "file not found".
bool FolderNotFound(std::uintptr_t r) {
  return r == ERROR_PATH_NOT_FOUND || r == ERROR_FILE_NOT_FOUND;
}

TEST(WinShell, PassesFileParametersAndDirectoryThrough) {
  quorvel::test::TempFolder dir, other;
  // A file of a type nothing opens: found, the shell answers "no association" and starts nothing.
  quorvel::test::WriteBytes(dir.Path() / L"probe.quorvel-none", {'x'});
  const std::u16string exe = quorvel::win::ExePath();
  // This test program, asked for a list no test matches, ends at once without output.
  const std::u16string quiet = u"--gtest_list_tests --gtest_filter=NoSuchTest";

  struct Case {
    const char* label;
    std::u16string verb, file, parameters;
    std::optional<std::u16string> directory;
    bool (*expected)(std::uintptr_t);
  };
  const Case cases[] = {
      {"missing file, empty strings", u"OPEN", dir.File(L"missing.exe"), u"", u"", FileNotFound},
      {"missing folder, no directory", u"open", dir.File(L"gone\\missing.exe"), u"", std::nullopt,
       FolderNotFound},
      {"program by full path", u"open", exe, quiet, std::nullopt, Started},
      // A bare name is looked up in the given directory, so the directory must arrive.
      {"bare name found in the directory", u"open", u"probe.quorvel-none", u"",
       ToU16(dir.Path().wstring()), NoAssociation},
      {"bare name absent from the directory", u"open", u"probe.quorvel-none", u"",
       ToU16(other.Path().wstring()), FileNotFound},
  };
  quorvel::win::Win32ShellPort shell;
  for (const Case& c : cases) {
    const std::uintptr_t r = shell.Execute(c.verb, c.file, c.parameters, c.directory);
    EXPECT_TRUE(c.expected(r)) << c.label << ": " << r;
  }
}

}  // namespace
