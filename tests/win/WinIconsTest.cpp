#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Handles.h"
#include "TempFolder.h"
#include "Utf16.h"
#include "WinIcons.h"

namespace {

using quorvel::Bytes;
using quorvel::test::TempFolder;
using quorvel::test::WriteBytes;
using quorvel::win::SlotPicture;
using quorvel::win::ToU16;
using quorvel::win::UniqueBitmap;
using quorvel::win::UniqueIcon;
using quorvel::win::Win32IconPort;

constexpr int kSize = 32;

// The test icon's quadrants, straight alpha (0xAARRGGBB): red, half-transparent green,
// transparent, quarter-opaque white.
std::uint32_t Straight(int x, int y) {
  const bool right = x >= kSize / 2, bottom = y >= kSize / 2;
  if (!bottom)
    return right ? 0x8000FF00 : 0xFFFF0000;
  return right ? 0x40FFFFFF : 0;
}

struct Probe {
  int x, y;
  std::uint32_t premultiplied;
};
const Probe kQuadrants[] = {
    {4, 4, 0xFFFF0000}, {27, 4, 0x80008000}, {4, 27, 0}, {27, 27, 0x40404040}};

void Put(Bytes& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A one-image 32 bpp ICO file of the test icon, made independently of the code under test.
Bytes TestIco() {
  Bytes ico;
  const std::uint32_t mask = kSize / 8 * kSize, colour = kSize * kSize * 4;
  Put(ico, 0, 2), Put(ico, 1, 2), Put(ico, 1, 2);
  Put(ico, kSize, 1), Put(ico, kSize, 1), Put(ico, 0, 2), Put(ico, 1, 2), Put(ico, 32, 2);
  Put(ico, 40 + colour + mask, 4), Put(ico, 22, 4);
  Put(ico, 40, 4), Put(ico, kSize, 4), Put(ico, 2 * kSize, 4), Put(ico, 1, 2), Put(ico, 32, 2);
  for (int i = 0; i < 6; ++i)
    Put(ico, 0, 4);
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; ++x)
      Put(ico, Straight(x, y), 4);
  }
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; x += 8) {
      std::uint8_t bits = 0;
      for (int b = 0; b < 8; ++b) {
        if (Straight(x + b, y) >> 24 == 0)
          bits |= static_cast<std::uint8_t>(0x80 >> b);
      }
      ico.push_back(bits);
    }
  }
  return ico;
}

void ExpectPixels(const quorvel::PicturePtr& decoded, int size, std::span<const Probe> probes) {
  const auto* picture = dynamic_cast<const SlotPicture*>(decoded.get());
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->Width(), size);
  ASSERT_EQ(picture->Height(), size);
  for (const Probe& p : probes) {
    EXPECT_EQ(picture->At(p.x, p.y), p.premultiplied) << "at " << p.x << "," << p.y;
  }
}

class WinIcons : public testing::Test {
 protected:
  quorvel::win::ComApartment com;
  Win32IconPort icons;
  TempFolder dir;
};

TEST_F(WinIcons, DecodeIco_GivesPremultipliedPixelsTopDown) {
  ASSERT_TRUE(com.ok());
  ExpectPixels(icons.DecodeIco(TestIco()), kSize, kQuadrants);
}

TEST_F(WinIcons, DecodeIco_NullForWhatIsNoImage) {
  const Bytes ico = TestIco();
  const Bytes garbage(300, 0x5A);
  struct Case {
    const char* label;
    std::span<const std::uint8_t> bytes;
  };
  const Case cases[] = {
      {"empty", {}},
      {"garbage", garbage},
      {"header only", std::span(ico).first(22)},
      {"cut in the pixels", std::span(ico).first(22 + 40 + 100)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(icons.DecodeIco(c.bytes), nullptr) << c.label;
  }
}

TEST_F(WinIcons, DecodeImage_NullOnAThreadWithoutCom) {
  const Bytes ico = TestIco();
  quorvel::PicturePtr decoded = std::make_shared<SlotPicture>(0, 0, std::vector<std::uint32_t>{});
  std::thread([&] { decoded = quorvel::win::DecodeImage(ico); }).join();
  EXPECT_EQ(decoded, nullptr);
}

// The one-image 32 bpp form that ToIcoBytes writes is read without the codecs, so without COM.
TEST_F(WinIcons, DecodeIco_ReadsTheFormOfToIcoBytesOnAThreadWithoutCom) {
  const Bytes ico = TestIco();
  quorvel::PicturePtr decoded;
  std::thread([&] { decoded = Win32IconPort().DecodeIco(ico); }).join();
  ExpectPixels(decoded, kSize, kQuadrants);
}

TEST_F(WinIcons, IcoFileRoundTripsThroughExtractionAndIcoBytes) {
  const Bytes ico = TestIco();
  const std::filesystem::path unicodeDir = dir.Path() / L"アイコン\U0001F600";
  ASSERT_TRUE(CreateDirectoryW(unicodeDir.c_str(), nullptr));
  const std::filesystem::path paths[] = {dir.Path() / L"test.ico",
                                         unicodeDir / L"テスト\U0001F600.ico"};
  for (const auto& path : paths)
    WriteBytes(path, ico);

  const int systemSize = GetSystemMetrics(SM_CXICON);
  for (const auto& path : paths) {
    for (int sizePx : {0, kSize}) {
      SCOPED_TRACE(testing::Message() << (&path == paths ? "ascii" : "unicode") << " " << sizePx);
      const auto icon = icons.ExtractFirstIcon(ToU16(path.wstring()), sizePx);
      ASSERT_NE(icon, nullptr);
      const auto bytes = icons.ToIcoBytes(*icon);
      ASSERT_TRUE(bytes);
      const int size = sizePx ? sizePx : systemSize;
      if (size == kSize) {
        ExpectPixels(icons.DecodeIco(*bytes), kSize, kQuadrants);
      } else {
        ExpectPixels(icons.DecodeIco(*bytes), size, {});
      }
    }
  }
}

TEST_F(WinIcons, ExtractFirstIcon_AskedSizeFromAProgram) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::u16string notepad = ToU16(std::wstring(system) + L"\\notepad.exe");
  for (int sizePx : {0, 48}) {
    SCOPED_TRACE(sizePx);
    const auto icon = icons.ExtractFirstIcon(notepad, sizePx);
    ASSERT_NE(icon, nullptr);
    const auto bytes = icons.ToIcoBytes(*icon);
    ASSERT_TRUE(bytes);
    const int size = sizePx ? sizePx : GetSystemMetrics(SM_CXICON);
    ExpectPixels(icons.DecodeIco(*bytes), size, {});
  }
}

TEST_F(WinIcons, ExtractFirstIcon_NullForFilesWithoutIcons) {
  WriteBytes(dir.Path() / L"notes.txt", {'h', 'i', '\r', '\n'});
  ASSERT_TRUE(CreateDirectoryW((dir.Path() / L"folder").c_str(), nullptr));
  struct Case {
    const char* label;
    const wchar_t* name;
  };
  const Case cases[] = {{"text file", L"notes.txt"},
                        {"missing file", L"missing.exe"},
                        {"folder", L"folder"},
                        {"missing folder", L"gone\\missing.ico"}};
  for (const Case& c : cases) {
    for (int sizePx : {0, kSize}) {
      EXPECT_EQ(icons.ExtractFirstIcon(dir.File(c.name), sizePx), nullptr)
          << c.label << " at " << sizePx;
    }
  }
}

UniqueBitmap RightHalfMask() {
  std::vector<std::uint8_t> rows;
  for (int y = 0; y < kSize; ++y)
    rows.insert(rows.end(), {0x00, 0x00, 0xFF, 0xFF});
  return UniqueBitmap(CreateBitmap(kSize, kSize, 1, 1, rows.data()));
}

// A DIB section of the given depth, every pixel set to the same bytes.
UniqueBitmap FilledDib(int bits, std::uint32_t value) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kSize;
  info.bmiHeader.biHeight = -kSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bits);
  info.bmiHeader.biCompression = BI_RGB;
  void* data = nullptr;
  UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &data, nullptr, 0));
  if (!dib)
    return dib;
  const int stride = (kSize * bits / 8 + 3) / 4 * 4;
  auto* bytes = static_cast<std::uint8_t*>(data);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x)
      std::memcpy(bytes + y * stride + x * bits / 8, &value, bits / 8);
  }
  return dib;
}

UniqueIcon IconFrom(const UniqueBitmap& colour, const UniqueBitmap& mask) {
  ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
  return UniqueIcon(CreateIconIndirect(&info));
}

UniqueIcon Monochrome() {
  // AND: right half set (transparent). XOR: top half white, bottom half black.
  std::vector<std::uint8_t> andBits, xorBits;
  for (int y = 0; y < kSize; ++y) {
    andBits.insert(andBits.end(), {0x00, 0x00, 0xFF, 0xFF});
    const std::uint8_t x = y < kSize / 2 ? 0xFF : 0x00;
    xorBits.insert(xorBits.end(), {x, x, x, x});
  }
  return UniqueIcon(CreateIcon(nullptr, kSize, kSize, 1, 1, andBits.data(), xorBits.data()));
}

// The test icon's quadrants in a 32 bpp DIB section, straight alpha.
UniqueBitmap QuadrantDib() {
  UniqueBitmap dib = FilledDib(32, 0);
  DIBSECTION section{};
  if (!dib || !GetObjectW(dib.get(), sizeof section, &section))
    return UniqueBitmap();
  auto* pixels = static_cast<std::uint32_t*>(section.dsBm.bmBits);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x)
      pixels[y * kSize + x] = Straight(x, y);
  }
  return dib;
}

// An icon is read through its bitmaps when its size is not known, and drawn when it is (as
// ExtractFirstIcon knows it): both give the same picture.
TEST_F(WinIcons, ToIcoBytes_TakesAlphaFromTheMaskWhenTheColoursHaveNone) {
  const UniqueBitmap mask = RightHalfMask();
  const UniqueBitmap blue24 = FilledDib(24, 0x0000FF), green32 = FilledDib(32, 0x0000FF00);
  const UniqueBitmap quadrants = QuadrantDib();
  ASSERT_TRUE(mask && blue24 && green32 && quadrants);
  for (const int side : {0, kSize}) {
    struct Case {
      const char* label;
      UniqueIcon icon;
      std::vector<Probe> probes;
    };
    Case cases[] = {
        {"24 bpp", IconFrom(blue24, mask), {{4, 4, 0xFF0000FF}, {4, 27, 0xFF0000FF}, {27, 4, 0}}},
        {"32 bpp, alpha all 0", IconFrom(green32, mask), {{4, 4, 0xFF00FF00}, {27, 27, 0}}},
        {"monochrome", Monochrome(), {{4, 4, 0xFFFFFFFF}, {4, 27, 0xFF000000}, {27, 4, 0}}},
        {"32 bpp with alpha", IconFrom(quadrants, mask),
         std::vector<Probe>(std::begin(kQuadrants), std::end(kQuadrants))},
    };
    for (Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.label << ", side " << side);
      ASSERT_TRUE(c.icon);
      const auto bytes = icons.ToIcoBytes(quorvel::win::IconHandle(std::move(c.icon), side));
      ASSERT_TRUE(bytes);
      ExpectPixels(icons.DecodeIco(*bytes), kSize, c.probes);
    }
  }
}

TEST_F(WinIcons, ToIcoBytes_WritesACompleteOneImageIcoFile) {
  const UniqueBitmap mask = RightHalfMask(), colour = FilledDib(32, 0x0000FF00);
  const auto bytes = icons.ToIcoBytes(quorvel::win::IconHandle(IconFrom(colour, mask)));
  ASSERT_TRUE(bytes);
  const auto u16 = [&](std::size_t at) { return (*bytes)[at] | (*bytes)[at + 1] << 8; };
  const auto u32 = [&](std::size_t at) { return std::uint32_t(u16(at) | u16(at + 2) << 16); };
  const std::uint32_t colourBytes = kSize * kSize * 4, maskBytes = kSize * kSize / 8;
  ASSERT_EQ(bytes->size(), 22 + 40 + colourBytes + maskBytes);
  EXPECT_EQ(u16(0), 0);
  EXPECT_EQ(u16(2), 1) << "type icon";
  EXPECT_EQ(u16(4), 1) << "one image";
  EXPECT_EQ((*bytes)[6], kSize);
  EXPECT_EQ((*bytes)[7], kSize);
  EXPECT_EQ(u16(12), 32) << "bits per pixel";
  EXPECT_EQ(u32(14), 40 + colourBytes + maskBytes);
  EXPECT_EQ(u32(18), 22u);
  EXPECT_EQ(u32(22), 40u);
  EXPECT_EQ(u32(30), 2u * kSize) << "height doubled";
  EXPECT_EQ(u16(36), 32);
  // The AND mask's first row (the bottom one): left half opaque, right half transparent.
  const std::size_t maskAt = 22 + 40 + colourBytes;
  EXPECT_EQ(u32(maskAt), 0xFFFF0000u);
}

TEST_F(WinIcons, ToIcoBytes_NulloptForAnIconFromElsewhere) {
  struct Foreign : quorvel::Icon {};
  EXPECT_FALSE(icons.ToIcoBytes(Foreign()));
}

}  // namespace
