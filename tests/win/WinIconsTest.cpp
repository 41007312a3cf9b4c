#include <windows.h>

#include <gtest/gtest.h>

#include "Handles.h"
#include "TempFolder.h"
#include "WinIcons.h"

namespace quorvel::win {
namespace {

using test::TempFolder;

constexpr int kSize = 32;
constexpr std::uint32_t kRed = 0xFFFF0000;        // opaque, BGRA in memory
constexpr std::uint32_t kHalfGreen = 0x8000FF00;  // alpha 128, not premultiplied
constexpr std::uint32_t kHalfGreenPremultiplied = 0x80008000;

// A 32 x 32 icon file: left half red, right half half-transparent green, bottom row clear.
std::vector<unsigned char> IcoFile() {
  std::vector<unsigned char> b;
  auto put = [&b](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
      b.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  const std::uint32_t maskBytes = 4 * kSize;  // 32 bits a row
  const std::uint32_t image = 40 + kSize * kSize * 4 + maskBytes;
  put(0, 2), put(1, 2), put(1, 2);
  put(kSize, 1), put(kSize, 1), put(0, 1), put(0, 1), put(1, 2), put(32, 2), put(image, 4);
  put(22, 4);
  put(40, 4), put(kSize, 4), put(kSize * 2, 4), put(1, 2), put(32, 2), put(0, 4);
  put(0, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
  for (int row = 0; row < kSize; ++row) {  // bottom-up
    for (int x = 0; x < kSize; ++x)
      put(row == 0 ? 0 : (x < kSize / 2 ? kRed : kHalfGreen), 4);
  }
  for (std::uint32_t i = 0; i < maskBytes; ++i)
    put(i < 4 ? 0xFF : 0, 1);
  return b;
}

class WinIconsTest : public ::testing::Test {
 protected:
  ComApartment com;
  TempFolder folder;
  Win32IconPort port;

  std::shared_ptr<const SlotPicture> Picture(const std::u16string& path, int size) {
    const auto icon = port.ExtractFirstIcon(path, size);
    if (!icon)
      return nullptr;
    const auto bytes = port.ToIcoBytes(*icon);
    if (!bytes)
      return nullptr;
    return std::dynamic_pointer_cast<const SlotPicture>(port.DecodeIco(*bytes));
  }
};

TEST_F(WinIconsTest, AnIconFileRoundTripsItsPixels) {
  for (const std::wstring name : {L"plain.ico", L"ツール \U0001F600.ico"}) {
    test::WriteBytes(folder.Path() / name, IcoFile());
    const auto picture = Picture(folder.File(name), 0);
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->Width(), kSize);
    ASSERT_EQ(picture->Height(), kSize);
    EXPECT_EQ(picture->At(3, 3), kRed);
    EXPECT_EQ(picture->At(kSize - 3, 3), kHalfGreenPremultiplied);
    EXPECT_EQ(picture->At(3, kSize - 1) >> 24, 0u) << "the clear row stays clear";
  }
}

TEST_F(WinIconsTest, ASystemProgramGivesAPictureAtTheAskedSize) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring w = std::wstring(windows) + L"\\notepad.exe";
  const std::u16string notepad(w.begin(), w.end());
  for (int size : {0, 32, 48}) {
    const auto picture = Picture(notepad, size);
    ASSERT_NE(picture, nullptr) << size;
    EXPECT_EQ(picture->Width(), size == 0 ? GetSystemMetrics(SM_CXICON) : size);
    bool anyOpaque = false;
    for (std::uint32_t p : picture->Pixels())
      anyOpaque |= (p >> 24) == 0xFF;
    EXPECT_TRUE(anyOpaque);
  }
}

TEST_F(WinIconsTest, FilesWithoutIconsGiveNone) {
  test::WriteBytes(folder.Path() / L"readme.txt", {'h', 'i'});
  for (const std::wstring name : {L"readme.txt", L"missing.exe", L"ない.exe"}) {
    for (int size : {0, 48})
      EXPECT_EQ(port.ExtractFirstIcon(folder.File(name), size), nullptr);
  }
}

TEST_F(WinIconsTest, DamagedIcoBytesDecodeToNothing) {
  const std::vector<unsigned char> whole = IcoFile();
  const std::vector<std::vector<unsigned char>> cases = {
      {},
      {0, 0, 1, 0},
      std::vector<unsigned char>(100, 0xAB),
      std::vector<unsigned char>(whole.begin(), whole.begin() + 30),
  };
  for (const auto& bytes : cases)
    EXPECT_EQ(port.DecodeIco(bytes), nullptr) << bytes.size();
}

}  // namespace
}  // namespace quorvel::win
