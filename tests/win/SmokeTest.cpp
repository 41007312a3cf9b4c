#include <gtest/gtest.h>

#include "Utf16.h"

TEST(Utf16, KeepsEveryCodeUnit) {
  const std::u16string s = u"C:\\ツール\\\U0001F600\xD800.exe";
  EXPECT_EQ(quorvel::win::ToU16(quorvel::win::ToWide(s)), s);
}
