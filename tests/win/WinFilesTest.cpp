#include <windows.h>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "WinFiles.h"

namespace quorvel::win {
namespace {

using test::TempFolder;

const Bytes kOld = {'o', 'l', 'd'};
const Bytes kNew = {0xFF, 0xFE, 'n', 0};

class WinFilesTest : public ::testing::Test {
 protected:
  TempFolder folder;
  Win32FilePort files;
};

TEST_F(WinFilesTest, ReplaceCreatesAndOverwritesAnyName) {
  const std::wstring longName = std::wstring(120, L'l') + L"\\" + std::wstring(120, L'm');
  std::filesystem::create_directories(folder.Path() / std::wstring(120, L'l'));
  for (const std::wstring name : {L"Quorvel.ini", L"設定 \U0001F600.ini", longName.c_str()}) {
    const std::u16string path = folder.File(name);
    EXPECT_EQ(files.ReadAll(path), std::nullopt);
    ASSERT_TRUE(files.ReplaceAtomically(path, kOld));
    EXPECT_EQ(files.ReadAll(path), kOld);
    ASSERT_TRUE(files.ReplaceAtomically(path, kNew));
    EXPECT_EQ(files.ReadAll(path), kNew);
  }
  EXPECT_GT(folder.File(longName).size(), std::size_t{MAX_PATH});
  for (const auto& n : folder.Names())
    EXPECT_EQ(n.find(L".tmp"), std::wstring::npos) << n;
}

TEST_F(WinFilesTest, AFailedReplaceLeavesNothingBehind) {
  // The target is a folder: it cannot be replaced, and nothing else may change.
  const std::u16string dirTarget = folder.File(L"Quorvel.ini");
  std::filesystem::create_directory(folder.Path() / L"Quorvel.ini");
  EXPECT_FALSE(files.ReplaceAtomically(dirTarget, kNew));
  EXPECT_EQ(files.ReadAll(dirTarget), std::nullopt);
  EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Quorvel.ini"});

  // The folder is gone.
  EXPECT_FALSE(files.ReplaceAtomically(folder.File(L"gone\\Quorvel.ini"), kNew));
  EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Quorvel.ini"});
}

TEST_F(WinFilesTest, ReadsAWholeLargeFile) {
  Bytes big(3 << 20);
  for (std::size_t i = 0; i < big.size(); ++i)
    big[i] = static_cast<std::uint8_t>(i * 7);
  const std::u16string path = folder.File(L"big.ini");
  ASSERT_TRUE(files.ReplaceAtomically(path, big));
  EXPECT_EQ(files.ReadAll(path), big);
}

}  // namespace
}  // namespace quorvel::win
