#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "PathFolder.h"

namespace quorvel {
namespace {

constexpr std::size_t kLongest = 32767;

TEST(FolderOfPath, DropsTheLastComponentAndItsSeparator) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"C:\\edit.exe", u"C:\\"},  // a drive's root keeps its backslash
      {u"C:/edit.exe", u"C:/"},
      {u"C:\\Tools\\edit.exe", u"C:\\Tools"},
      {u"C:/Tools/edit.exe", u"C:/Tools"},
      {u"C:\\Tools/sub\\edit.exe", u"C:\\Tools/sub"},
      {u"C:\\Program Files\\My App\\a.exe", u"C:\\Program Files\\My App"},
      {u"C:\\Tools\\", u"C:\\Tools"},
      {u"edit.exe", u""},
      {u"C:edit.exe", u"C:"},  // drive-relative: the drive's current folder
      {u"\\edit.exe", u"\\"},
      {u"\\\\server\\share\\app.exe", u"\\\\server\\share"},
      {u"\\\\?\\C:\\Tools\\a.exe", u"\\\\?\\C:\\Tools"},
      {u"\\\\?\\C:\\a.exe", u"\\\\?\\C:\\"},
      {u"\\\\?\\UNC\\server\\share\\a.exe", u"\\\\?\\UNC\\server\\share"},
      {u" C\\x.exe", u" C"},  // blanks inside a path are legal
      {u"D:\\ツール\\\U0001F600 アプリ\\x.exe", u"D:\\ツール\\\U0001F600 アプリ"},
      {u"C:\\odd\xD800\\x\xDC00.exe", u"C:\\odd\xD800"},  // lone surrogates are legal names
      {u"C:\\" + std::u16string(kLongest - 3, u'a'), u"C:\\"},
  };
  int i = 0;
  for (const auto& [path, folder] : cases) {
    SCOPED_TRACE(testing::Message() << "case " << i++);
    const std::optional<std::u16string> got = FolderOfPath(path);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, folder);
  }
}

TEST(FolderOfPath, RefusesMalformedPaths) {
  const std::u16string cases[] = {
      u"",
      u" ",
      u"    ",
      u"C:\\a<b\\x.exe",
      u"C:\\a>b\\x.exe",
      u"C:\\x\"y.exe",
      u"C:\\a|b.exe",
      u"C:\\what?.exe",
      u"C:\\star*.exe",
      u"\\\\?\\C:\\what?.exe",  // only the prefix may hold a question mark
      u"C:\\dir\\a:b.exe",
      u"\\\\?\\C:\\a:b.exe",
      u":\\x.exe",
      u"C:\\tab\there.exe",
      std::u16string(u"C:\\a\0b.exe", 10),
      u"C:\\a\x1F.exe",
      u"C:\\" + std::u16string(kLongest - 2, u'a'),
  };
  int i = 0;
  for (const auto& path : cases) {
    SCOPED_TRACE(testing::Message() << "case " << i++);
    EXPECT_FALSE(FolderOfPath(path).has_value());
  }
}

}  // namespace
}  // namespace quorvel
