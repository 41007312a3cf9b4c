#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ExePath.h"
#include "Utf16.h"

namespace {

TEST(ExePath, NamesThisProgramsFile) {
  const std::wstring path = quorvel::win::ToWide(quorvel::win::ExePath());
  const std::wstring name = L"\\win_tests.exe";
  ASSERT_GT(path.size(), name.size());
  EXPECT_EQ(_wcsicmp(path.substr(path.size() - name.size()).c_str(), name.c_str()), 0);
  EXPECT_EQ(path[1], L':') << "absolute, with a drive";
  const DWORD attributes = GetFileAttributesW(path.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

}  // namespace
