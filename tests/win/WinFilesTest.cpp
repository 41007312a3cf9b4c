#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Handles.h"
#include "TempFolder.h"
#include "Utf16.h"
#include "WinFiles.h"

namespace {

using quorvel::Bytes;
using quorvel::test::TempFolder;
using quorvel::test::WriteBytes;
using quorvel::win::ToU16;
using quorvel::win::Win32FilePort;

std::wstring In(const TempFolder& folder, const std::wstring& name) {
  return (folder.Path() / name).wstring();
}

// "\\?\" reaches folders whose paths are longer than MAX_PATH.
std::wstring Extended(const std::wstring& path) {
  return L"\\\\?\\" + path;
}

std::vector<std::wstring> ListFolder(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry{};
  const HANDLE first = FindFirstFileW(Extended(folder + L"\\*").c_str(), &entry);
  if (first == INVALID_HANDLE_VALUE)
    return names;
  const quorvel::win::UniqueFind find(first);
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..")
      names.push_back(name);
  } while (FindNextFileW(find.get(), &entry));
  return names;
}

const Bytes kOld = {'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', 's'};
const Bytes kNew = {0xFF, 0xFE, 'n', 0, 'e', 0, 'w', 0};

TEST(WinFiles, ReadAll_GivesTheWholeFileOrNothing) {
  TempFolder dir;
  Bytes large(3 << 20);  // more than one read
  for (std::size_t i = 0; i < large.size(); ++i)
    large[i] = static_cast<std::uint8_t>(i * 7);
  WriteBytes(dir.Path() / L"large.bin", large);
  WriteBytes(dir.Path() / L"empty.bin", {});
  ASSERT_TRUE(CreateDirectoryW((In(dir, L"folder")).c_str(), nullptr));

  struct Case {
    const char* label;
    const wchar_t* name;
    std::optional<Bytes> expected;
    bool exists;  // what tells a missing file from one that cannot be read
  };
  const Case cases[] = {
      {"large", L"large.bin", large, true},
      {"empty", L"empty.bin", Bytes{}, true},
      {"missing", L"missing.bin", std::nullopt, false},
      {"folder", L"folder", std::nullopt, true},
      {"missing folder", L"no-such-folder\\file.bin", std::nullopt, false},
  };
  Win32FilePort files;
  for (const Case& c : cases) {
    const auto got = files.ReadAll(ToU16(In(dir, c.name)));
    EXPECT_EQ(files.Exists(ToU16(In(dir, c.name))), c.exists) << c.label;
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.label;
    if (got) {
      EXPECT_TRUE(*got == *c.expected) << c.label;
    }
  }
}

TEST(WinFiles, ReadAll_ReadsAFileThatAnotherHandleHoldsOpenForWriting) {
  TempFolder dir;
  WriteBytes(dir.Path() / L"open.ini", kOld);
  const quorvel::win::UniqueHandle writer(
      CreateFileW((In(dir, L"open.ini")).c_str(), GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(writer);
  EXPECT_EQ(Win32FilePort().ReadAll(ToU16(In(dir, L"open.ini"))), kOld);
}

TEST(WinFiles, Replace_CreatesAndOverwritesLeavingOnlyTheTarget) {
  TempFolder dir;
  Win32FilePort files;
  const auto path = ToU16(In(dir, L"Quorvel.ini"));

  ASSERT_TRUE(files.ReplaceAtomically(path, kOld));
  EXPECT_EQ(files.ReadAll(path), kOld);
  // Shorter than before: nothing of the old contents may remain at the end.
  ASSERT_TRUE(files.ReplaceAtomically(path, kNew));
  EXPECT_EQ(files.ReadAll(path), kNew);
  ASSERT_TRUE(files.ReplaceAtomically(path, {}));
  EXPECT_EQ(files.ReadAll(path), Bytes{});

  EXPECT_EQ(ListFolder(dir.Path().wstring()), std::vector<std::wstring>{L"Quorvel.ini"});
}

TEST(WinFiles, Replace_FailsWithoutLeavingAnything) {
  struct Case {
    const char* what;
    std::function<void(const TempFolder&)> prepare;
    const wchar_t* target;
    std::vector<std::wstring> expectedNames;
  };
  const Case cases[] = {
      {"missing folder", [](const TempFolder&) {}, L"missing\\Quorvel.ini", {}},
      {"target is a folder",
       [](const TempFolder& dir) {
         ASSERT_TRUE(CreateDirectoryW((In(dir, L"Quorvel.ini")).c_str(), nullptr));
         WriteBytes(dir.Path() / L"Quorvel.ini" / L"inner.txt", kOld);
       },
       L"Quorvel.ini",
       {L"Quorvel.ini"}},
      {"empty folder as target",
       [](const TempFolder& dir) {
         ASSERT_TRUE(CreateDirectoryW((In(dir, L"Quorvel.ini")).c_str(), nullptr));
       },
       L"Quorvel.ini",
       {L"Quorvel.ini"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder dir;
    c.prepare(dir);
    EXPECT_FALSE(Win32FilePort().ReplaceAtomically(ToU16(In(dir, c.target)), kNew));
    EXPECT_EQ(ListFolder(dir.Path().wstring()), c.expectedNames);
    const DWORD attributes = GetFileAttributesW((In(dir, c.target)).c_str());
    if (!c.expectedNames.empty()) {
      EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u) << "the folder must stay a folder";
    }
  }
}

TEST(WinFiles, Replace_KeepsTheOldFileWhenItCannotBeReplaced) {
  TempFolder dir;
  const std::wstring path = In(dir, L"Quorvel.ini");
  WriteBytes(path, kOld);
  {
    // Held open without FILE_SHARE_DELETE, the file cannot be renamed over.
    const quorvel::win::UniqueHandle holder(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                        nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_FALSE(Win32FilePort().ReplaceAtomically(ToU16(path), kNew));
  }
  EXPECT_EQ(Win32FilePort().ReadAll(ToU16(path)), kOld);
  EXPECT_EQ(ListFolder(dir.Path().wstring()), std::vector<std::wstring>{L"Quorvel.ini"});
}

TEST(WinFiles, LongAndUnicodePathsWork) {
  TempFolder dir, shallow;
  // Nested folders past MAX_PATH, made with the prefix the plain path lacks.
  std::wstring deep = dir.Path().wstring();
  while (deep.size() < 300) {
    deep += L"\\folder-with-a-long-name";
    ASSERT_TRUE(CreateDirectoryW(Extended(deep).c_str(), nullptr));
  }
  const std::wstring unicode = L"設定\U0001F600\u00E9.ini";
  Win32FilePort files;
  for (const std::wstring& folder : {deep, shallow.Path().wstring()}) {
    const std::wstring path = folder + L"\\" + unicode;
    SCOPED_TRACE(folder.size() > MAX_PATH ? "long path" : "short path");
    ASSERT_TRUE(files.ReplaceAtomically(ToU16(path), kNew));
    EXPECT_EQ(files.ReadAll(ToU16(path)), kNew);
    EXPECT_EQ(ListFolder(folder), std::vector<std::wstring>{unicode});
  }
}

TEST(WinFiles, LongPathForm_PrefixesOnlyLongAbsolutePaths) {
  const std::wstring tail(MAX_PATH, L'x');
  struct Case {
    const char* label;
    std::wstring in, out;
  };
  const Case cases[] = {
      {"short", L"C:\\short\\Quorvel.ini", L"C:\\short\\Quorvel.ini"},
      {"drive", L"C:\\a\\" + tail, L"\\\\?\\C:\\a\\" + tail},
      {"dots", L"C:\\a\\.\\b\\..\\" + tail, L"\\\\?\\C:\\a\\" + tail},
      {"slashes", L"C:/a/" + tail, L"\\\\?\\C:\\a\\" + tail},
      {"unc", L"\\\\server\\share\\" + tail, L"\\\\?\\UNC\\server\\share\\" + tail},
      {"prefixed", L"\\\\?\\C:\\a\\" + tail, L"\\\\?\\C:\\a\\" + tail},
      {"relative", L"relative\\" + tail, L"relative\\" + tail},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(quorvel::win::LongPathForm(c.in) == c.out) << c.label;
  }
}

}  // namespace
