#include <gtest/gtest.h>

#include "PathFolder.h"

namespace quorvel {
namespace {

TEST(FolderOfPath, WellFormedPaths) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"C:\\edit.exe", u"C:\\"},
      {u"C:\\Tools\\edit.exe", u"C:\\Tools"},
      {u"C:/Tools/edit.exe", u"C:/Tools"},
      {u"edit.exe", u""},
      {u"\\edit.exe", u"\\"},
      {u"\\\\server\\share\\app.exe", u"\\\\server\\share"},
      {u"\\\\?\\C:\\Tools\\a.exe", u"\\\\?\\C:\\Tools"},
      {u"\\\\?\\C:\\a.exe", u"\\\\?\\C:\\"},
      {u"D:\\ツール\\\U0001F600 app\\x.exe", u"D:\\ツール\\\U0001F600 app"},
      {u"C:\\odd\xD800\\x.exe", u"C:\\odd\xD800"},  // a lone surrogate is a legal name
  };
  for (const auto& [path, folder] : cases) {
    const auto got = FolderOfPath(path);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, folder);
  }
}

TEST(FolderOfPath, MalformedPathsAreRefused) {
  const std::u16string cases[] = {
      u"",
      u"   ",
      u"C:\\a<b\\x.exe",
      u"C:\\a|b.exe",
      u"C:\\what?.exe",
      u"C:\\x\"y.exe",
      u"C:\\dir\\a:b.exe",
      u"C:\\tab\there.exe",
      std::u16string(u"C:\\a\0b.exe", 10),
      u"C:\\" + std::u16string(32765, u'a'),
  };
  for (const auto& path : cases)
    EXPECT_FALSE(FolderOfPath(path).has_value());
  EXPECT_TRUE(FolderOfPath(u"C:\\" + std::u16string(32760, u'a')).has_value());
}

}  // namespace
}  // namespace quorvel
