// The resources: the version, manifest and icon of the built Quorvel.exe, read back as the system
// reads them, and the pictures that this test exe carries as the program does.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Handles.h"
#include "QuorvelProcess.h"
#include "ResourceIds.h"
#include "ResourcePictures.h"
#include "Window.h"

namespace {

using quorvel::win::ComApartment;
using quorvel::win::LoadPictureResource;
using quorvel::win::SlotPicture;
using quorvel::win::UniqueModule;

// The built exe mapped for its resources only: nothing of it runs.
UniqueModule QuorvelResources() {
  return UniqueModule(LoadLibraryExW(quorvel::test::BuiltQuorvelExe().c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

std::string_view ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) {
  HRSRC info = FindResourceW(module, name, type);
  if (!info)
    return {};
  HGLOBAL loaded = LoadResource(module, info);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  return data ? std::string_view(static_cast<const char*>(data), SizeofResource(module, info))
              : std::string_view();
}

TEST(Resources, VersionOfTheExeReadsBack) {
  const std::wstring exe = quorvel::test::BuiltQuorvelExe();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version resource";
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));

  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);  // 1.0
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);           // .0.0
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));

  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 2 * sizeof(WORD)) << "one translation";
  const auto* translation = static_cast<const WORD*>(value);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1252);

  const std::map<std::wstring, std::wstring> strings = {{L"FileVersion", L"1.0.0.0"},
                                                        {L"ProductVersion", L"1.0.0.0"},
                                                        {L"FileDescription", L"Quorvel"},
                                                        {L"ProductName", L"Quorvel"}};
  for (const auto& [name, expected] : strings) {
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    const std::wstring path = L"\\StringFileInfo\\040904E4\\" + name;
    ASSERT_TRUE(VerQueryValueW(block.data(), path.c_str(), &value, &length));
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), expected);
  }
}

TEST(Resources, ManifestIsEmbeddedInTheExe) {
  const UniqueModule module = QuorvelResources();
  ASSERT_TRUE(module);
  const std::string_view manifest =
      ResourceBytes(module.get(), CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  ASSERT_FALSE(manifest.empty()) << "no manifest of id 1";
  for (const std::string_view needle : {
           std::string_view(">PerMonitorV2</dpiAwareness>"),
           std::string_view(">true/pm</dpiAware>"),
           std::string_view("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
           std::string_view("publicKeyToken=\"6595b64144ccf1df\""),
           std::string_view("level=\"asInvoker\" uiAccess=\"false\""),
           std::string_view("{e2011457-1546-43c5-a5fe-008deee3d3f0}"),  // Vista
           std::string_view("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"),  // 7
           std::string_view("{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"),  // 8
           std::string_view("{1f676c76-80e1-4239-95bb-83d0f6d0da78}"),  // 8.1
           std::string_view("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"),  // 10
       }) {
    EXPECT_NE(manifest.find(needle), std::string_view::npos) << needle;
  }
}

// The icon group's directory as stored in the resource (packed: 14-byte entries).
#pragma pack(push, 2)
struct GroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST(Resources, MainIconHoldsEverySizeAt32Bpp) {
  const UniqueModule module = QuorvelResources();
  ASSERT_TRUE(module);
  const std::string_view group = ResourceBytes(module.get(), L"MAINICON", RT_GROUP_ICON);
  ASSERT_GE(group.size(), 6u) << "no MAINICON";
  WORD header[3];
  std::memcpy(header, group.data(), sizeof header);
  EXPECT_EQ(header[1], 1) << "an icon, not a cursor";
  ASSERT_EQ(group.size(), 6 + header[2] * sizeof(GroupEntry));

  std::map<int, int> bppBySize;
  for (WORD i = 0; i < header[2]; ++i) {
    GroupEntry e;
    std::memcpy(&e, group.data() + 6 + i * sizeof(GroupEntry), sizeof e);
    const int size = e.width == 0 ? 256 : e.width;
    SCOPED_TRACE(size);
    bppBySize[size] = e.bitCount;
    const std::string_view image = ResourceBytes(module.get(), MAKEINTRESOURCEW(e.id), RT_ICON);
    ASSERT_EQ(image.size(), e.bytes);
    if (size == 256) {
      EXPECT_EQ(image.substr(0, 8), std::string_view("\x89PNG\r\n\x1a\n", 8)) << "stored as PNG";
      continue;
    }
    // A bitmap: colour and mask stacked, so the header gives twice the height.
    BITMAPINFOHEADER bmp;
    ASSERT_GE(image.size(), sizeof bmp);
    std::memcpy(&bmp, image.data(), sizeof bmp);
    EXPECT_EQ(bmp.biWidth, size);
    EXPECT_EQ(bmp.biHeight, 2 * size);
    EXPECT_EQ(bmp.biBitCount, 32);
    const std::size_t mask = static_cast<std::size_t>((size + 31) / 32 * 4) * size;
    EXPECT_EQ(image.size(), sizeof bmp + std::size_t(size) * size * 4 + mask);
  }
  EXPECT_EQ(bppBySize, (std::map<int, int>{{16, 32}, {32, 32}, {48, 32}, {256, 32}}));
}

// Straight (not premultiplied) channels of a pixel.
struct Rgba {
  int r, g, b, a;
};
Rgba Unpremultiply(std::uint32_t p) {
  const int a = p >> 24;
  const auto channel = [&](int shift) { return a ? int((p >> shift) & 0xFF) * 255 / a : 0; };
  return {channel(16), channel(8), channel(0), a};
}
bool Coloured(const Rgba& c) {
  return c.a == 255 && std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) >= 64;
}

std::shared_ptr<const SlotPicture> Loaded(int id, int width, int height) {
  auto picture = LoadPictureResource(id);
  EXPECT_NE(picture, nullptr) << "resource " << id << " missing or not decoded";
  if (picture) {
    EXPECT_EQ(picture->Width(), width);
    EXPECT_EQ(picture->Height(), height);
    if (picture->Width() != width || picture->Height() != height)
      return nullptr;
  }
  return picture;
}

TEST(Resources, GlyphsAreADrawingAndItsGreyCopy) {
  const ComApartment com;
  for (int id = IDR_GLYPH_FILEOPEN; id <= IDR_GLYPH_ARROW1D; ++id) {
    SCOPED_TRACE(id);
    const auto glyph = Loaded(id, 32, 16);
    if (!glyph)
      continue;
    int opaque = 0, coloured = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const Rgba left = Unpremultiply(glyph->At(x, y)),
                   right = Unpremultiply(glyph->At(x + 16, y));
        opaque += left.a == 255;
        coloured += Coloured(left);
        ASSERT_EQ(right.a, left.a) << "the copy has the drawing's shape at " << x << "," << y;
        ASSERT_TRUE(right.r == right.g && right.g == right.b) << "grey at " << x + 16 << "," << y;
      }
    }
    // A drawing of some substance with real colour in it, not a faint or grey one.
    EXPECT_GE(opaque, 40);
    EXPECT_GE(coloured, 8);
  }
}

TEST(Resources, AboutPicturesDecodeToTheirSizes) {
  const ComApartment com;
  if (const auto emblem = Loaded(IDR_EMBLEM, 64, 64)) {
    EXPECT_EQ(emblem->At(0, 0) >> 24, 0u) << "the folder stands on a transparent ground";
    int green = 0, dark = 0;
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        const Rgba c = Unpremultiply(emblem->At(x, y));
        green += Coloured(c) && c.g > c.r && c.g > c.b;
        dark += c.a == 255 && std::max({c.r, c.g, c.b}) < 64;  // the word
      }
    }
    EXPECT_GE(green, 64 * 64 / 3);
    EXPECT_GE(dark, 40);
  }
  if (const auto grip = Loaded(IDR_SIZEGRIP, 11, 11)) {
    EXPECT_EQ(grip->At(0, 0) >> 24, 0u) << "dots towards the lower right only";
    int light = 0;
    for (const std::uint32_t p : grip->Pixels()) {
      const Rgba c = Unpremultiply(p);
      if (c.a == 0)
        continue;
      EXPECT_TRUE(c.r == c.g && c.g == c.b && c.r >= 0xA0) << std::hex << p;
      light += c.a == 255;
    }
    EXPECT_GE(light, 6);
    EXPECT_NE(Unpremultiply(grip->At(8, 8)).a, 0) << "a dot in the corner";
  }
  if (const auto shot = Loaded(IDR_SCREENSHOT, 727, 319)) {
    int yellow = 0, white = 0;
    for (const std::uint32_t p : shot->Pixels()) {
      const Rgba c = Unpremultiply(p);
      ASSERT_EQ(c.a, 255) << "a capture has no transparent parts";
      yellow += c.r > 200 && c.g > 160 && c.b < 80;     // the callouts' arrows
      white += c.r == 255 && c.g == 255 && c.b == 255;  // and their boxes
    }
    EXPECT_GE(yellow, 500);
    EXPECT_GE(white, 10000);
  }
}

class IconProbe : public quorvel::win::Window<IconProbe> {
 public:
  using Window::Create;
  using Window::Register;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }
};

// An icon's colour pixels, top-down; empty when it has none.
struct IconPixels {
  int width = 0;
  std::vector<std::uint32_t> pixels;
};
IconPixels PixelsOf(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info))
    return {};
  const quorvel::win::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bmp{};
  if (!colour || !GetObjectW(colour.get(), sizeof bmp, &bmp))
    return {};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = bmp.bmWidth;
  bi.bmiHeader.biHeight = -bmp.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  IconPixels out{bmp.bmWidth, std::vector<std::uint32_t>(std::size_t(bmp.bmWidth) * bmp.bmHeight)};
  const quorvel::win::ScreenDc screen;
  GetDIBits(screen.get(), colour.get(), 0, bmp.bmHeight, out.pixels.data(), &bi, DIB_RGB_COLORS);
  return out;
}

// The image of MAINICON stored for `size`, made into an icon straight from its resource bytes.
quorvel::win::UniqueIcon StoredImage(HMODULE module, int size) {
  const std::string_view group = ResourceBytes(module, L"MAINICON", RT_GROUP_ICON);
  auto* dir = reinterpret_cast<PBYTE>(const_cast<char*>(group.data()));
  const int id = group.empty() ? 0 : LookupIconIdFromDirectoryEx(dir, TRUE, size, size, 0);
  const std::string_view image = ResourceBytes(module, MAKEINTRESOURCEW(id), RT_ICON);
  auto* bits = reinterpret_cast<PBYTE>(const_cast<char*>(image.data()));
  return quorvel::win::UniqueIcon(
      image.empty() ? nullptr
                    : CreateIconFromResourceEx(bits, static_cast<DWORD>(image.size()), TRUE,
                                               0x00030000, size, size, 0));
}

TEST(Resources, WindowClassesCarryTheIconAtBothSizes) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const int smallSide = GetSystemMetrics(SM_CXSMICON), largeSide = GetSystemMetrics(SM_CXICON);
  const IconPixels stored = PixelsOf(StoredImage(instance, smallSide).get());
  ASSERT_EQ(stored.width, smallSide) << "this exe carries MAINICON with a small image";
  constexpr wchar_t kClass[] = L"QuorvelIconProbe";
  for (int round = 0; round < 2; ++round) {
    // The second round finds the shared icons alive after the first class went.
    SCOPED_TRACE(round);
    ASSERT_NE(IconProbe::Register(instance, kClass, 0), 0);
    {
      IconProbe probe;
      ASSERT_NE(probe.Create(0, kClass, L"", WS_POPUP, 0, 0, 10, 10, instance), nullptr);
      const auto small = reinterpret_cast<HICON>(GetClassLongPtrW(probe.Handle(), GCLP_HICONSM));
      const auto large = reinterpret_cast<HICON>(GetClassLongPtrW(probe.Handle(), GCLP_HICON));
      ASSERT_NE(small, nullptr);
      ASSERT_NE(large, nullptr);
      const IconPixels shown = PixelsOf(small);
      EXPECT_EQ(shown.width, smallSide);
      EXPECT_TRUE(shown.pixels == stored.pixels) << "the hand-drawn small image, not a shrunk one";
      EXPECT_EQ(PixelsOf(large).width, largeSide);
    }
    EXPECT_TRUE(UnregisterClassW(kClass, instance));
  }
}

TEST(Resources, ModuleWithoutTheIconRegistersWithoutOne) {
  // Any module can stand for the class's owner; this system DLL has no MAINICON.
  const HINSTANCE other = GetModuleHandleW(L"kernel32.dll");
  ASSERT_NE(other, nullptr);
  constexpr wchar_t kClass[] = L"QuorvelIconlessProbe";
  ASSERT_NE(IconProbe::Register(other, kClass, 0), 0);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  ASSERT_TRUE(GetClassInfoExW(other, kClass, &wc));
  EXPECT_EQ(wc.hIcon, nullptr);
  EXPECT_TRUE(UnregisterClassW(kClass, other));
}

}  // namespace
