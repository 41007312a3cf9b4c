#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wincodec.h>
#include <wrl/client.h>

#include "WinIcons.h"

#include "WinFiles.h"
#include "TopDownDib.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "Utf16.h"

namespace quorvel::win {
namespace {

using Microsoft::WRL::ComPtr;

// Larger icons cannot be described by an ICO directory entry.
constexpr int kLargestIco = 256;
// Bounds a decoded image so that a crafted header cannot ask for gigabytes.
constexpr UINT kLargestImage = 8192;
constexpr std::size_t kIcoHeaderBytes = 6 + 16;
constexpr std::size_t kInfoHeaderBytes = 40;

// ExtractIconW signals "no icon" with 0 and "not an icon file" with 1.
UniqueIcon IconOrNull(HICON h) {
  return UniqueIcon(reinterpret_cast<std::uintptr_t>(h) > 1 ? h : nullptr);
}

// The bitmap as 32 bpp pixels, top-down; GetDIBits converts from whatever depth it has.
std::optional<std::vector<std::uint32_t>> Pixels32(HDC dc, HBITMAP bitmap, int width, int rows) {
  BITMAPINFO info = TopDown32(width, rows);
  std::vector<std::uint32_t> pixels(std::size_t(width) * rows);
  if (GetDIBits(dc, bitmap, 0, rows, pixels.data(), &info, DIB_RGB_COLORS) != rows) {
    return std::nullopt;
  }
  return pixels;
}

// Straight-alpha BGRA pixels, top-down, of the icon's image.
std::optional<std::vector<std::uint32_t>> IconPixels(HICON icon, int& width, int& height) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info))
    return std::nullopt;
  // GetIconInfo hands over both bitmaps; owning them at once frees them on every path.
  const UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP maskInfo{};
  if (!mask || !GetObjectW(mask.get(), sizeof maskInfo, &maskInfo))
    return std::nullopt;
  // A monochrome icon keeps AND and XOR masks stacked in one bitmap of twice the height.
  width = maskInfo.bmWidth;
  height = colour ? maskInfo.bmHeight : maskInfo.bmHeight / 2;
  if (width <= 0 || height <= 0 || width > kLargestIco || height > kLargestIco) {
    return std::nullopt;
  }

  const ScreenDc dc;
  if (!dc.get())
    return std::nullopt;
  const auto masks = Pixels32(dc.get(), mask.get(), width, maskInfo.bmHeight);
  if (!masks)
    return std::nullopt;
  const auto transparent = [&](std::size_t i) { return ((*masks)[i] & 0xFFFFFF) != 0; };
  const std::size_t count = std::size_t(width) * height;

  if (!colour) {
    std::vector<std::uint32_t> pixels(count);
    for (std::size_t i = 0; i < count; ++i) {
      // Where the AND mask is set the screen shows through (or is inverted: also transparent).
      if (!transparent(i))
        pixels[i] = ((*masks)[count + i] & 0xFFFFFF) ? 0xFFFFFFFF : 0xFF000000;
    }
    return pixels;
  }

  BITMAP colourInfo{};
  if (!GetObjectW(colour.get(), sizeof colourInfo, &colourInfo))
    return std::nullopt;
  auto pixels = Pixels32(dc.get(), colour.get(), width, height);
  if (!pixels)
    return std::nullopt;
  const bool hasAlpha =
      colourInfo.bmBitsPixel == 32 &&
      std::any_of(pixels->begin(), pixels->end(), [](std::uint32_t p) { return p >> 24 != 0; });
  if (!hasAlpha) {
    // Icons without an alpha channel are opaque except where the mask cuts them out.
    for (std::size_t i = 0; i < count; ++i) {
      (*pixels)[i] = transparent(i) ? 0 : ((*pixels)[i] | 0xFF000000);
    }
  }
  return pixels;
}

// Straight-alpha BGRA pixels, top-down, of the icon drawn at side x side over transparent
// black. An icon with alpha comes out blended, so premultiplied, and is divided back; one
// without has no alpha there, and its mask, drawn on its own, tells what is transparent.
std::optional<std::vector<std::uint32_t>> DrawnPixels(HICON icon, int side) {
  if (side <= 0 || side > kLargestIco)
    return std::nullopt;
  BITMAPINFO info = TopDown32(side, side);
  void* bits = nullptr;
  const UniqueDc dc(CreateCompatibleDC(nullptr));
  const UniqueBitmap dib(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !dib || !bits)
    return std::nullopt;
  const SelectGuard selected(dc.get(), dib.get());
  auto* const drawn = static_cast<std::uint32_t*>(bits);
  const std::size_t count = std::size_t(side) * side;
  // A new DIB section is all zero: transparent black.
  if (!DrawIconEx(dc.get(), 0, 0, icon, side, side, 0, nullptr, DI_NORMAL))
    return std::nullopt;
  GdiFlush();  // the bits are read directly
  std::vector<std::uint32_t> pixels(drawn, drawn + count);
  if (std::any_of(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p >> 24 != 0; })) {
    for (std::uint32_t& p : pixels) {
      const std::uint32_t a = p >> 24;
      const auto divided = [a](std::uint32_t c) {
        return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a);
      };
      p = a == 0 ? 0
                 : a << 24 | divided(p >> 16 & 0xFF) << 16 | divided(p >> 8 & 0xFF) << 8 |
                       divided(p & 0xFF);
    }
    return pixels;
  }
  std::fill(drawn, drawn + count, 0);
  if (!DrawIconEx(dc.get(), 0, 0, icon, side, side, 0, nullptr, DI_MASK))
    return std::nullopt;
  GdiFlush();
  for (std::size_t i = 0; i < count; ++i) {
    // White in the mask is where the screen shows through (or is inverted: also transparent).
    pixels[i] = (drawn[i] & 0xFFFFFF) ? 0 : (pixels[i] | 0xFF000000);
  }
  return pixels;
}

void Put16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One 32 bpp image: directory, BITMAPINFOHEADER with the doubled height, XOR rows bottom-up,
// then the AND mask (set where fully transparent), its rows padded to 32 bits.
Bytes WriteIco(int width, int height, const std::vector<std::uint32_t>& pixels) {
  const auto w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(height);
  const std::uint32_t maskStride = (w + 31) / 32 * 4;
  const std::uint32_t imageBytes = w * h * 4 + maskStride * h;
  Bytes out;
  out.reserve(kIcoHeaderBytes + kInfoHeaderBytes + imageBytes);

  Put16(out, 0);                                       // reserved
  Put16(out, 1);                                       // type: icon
  Put16(out, 1);                                       // image count
  out.push_back(static_cast<std::uint8_t>(w & 0xFF));  // 256 is written as 0
  out.push_back(static_cast<std::uint8_t>(h & 0xFF));
  out.push_back(0);  // palette size
  out.push_back(0);  // reserved
  Put16(out, 1);     // planes
  Put16(out, 32);    // bits per pixel
  Put32(out, static_cast<std::uint32_t>(kInfoHeaderBytes) + imageBytes);
  Put32(out, static_cast<std::uint32_t>(kIcoHeaderBytes));

  Put32(out, static_cast<std::uint32_t>(kInfoHeaderBytes));
  Put32(out, w);
  Put32(out, h * 2);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, BI_RGB);
  Put32(out, imageBytes);
  for (int i = 0; i < 4; ++i)
    Put32(out, 0);  // resolution and palette counts

  for (std::uint32_t y = h; y-- > 0;) {
    for (std::uint32_t x = 0; x < w; ++x)
      Put32(out, pixels[y * w + x]);
  }
  for (std::uint32_t y = h; y-- > 0;) {
    const std::size_t row = out.size();
    out.resize(row + maskStride, 0);
    for (std::uint32_t x = 0; x < w; ++x) {
      if (pixels[y * w + x] >> 24 == 0)
        out[row + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  return out;
}

std::uint32_t Get16(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | std::uint32_t{b[at + 1]} << 8;
}

std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) {
  return Get16(b, at) | Get16(b, at + 2) << 16;
}

// The one-image 32 bpp ICO that WriteIco makes, read without the codecs: every slot picture
// comes this way, and the codecs took longer than the extraction of the icon itself. Null for
// any other file, which the codecs then read; also for one without alpha, as they take the
// AND mask for it.
std::shared_ptr<const SlotPicture> ReadOwnIco(std::span<const std::uint8_t> ico) {
  constexpr std::size_t info = kIcoHeaderBytes;
  if (ico.size() < kIcoHeaderBytes + kInfoHeaderBytes || Get16(ico, 0) != 0 || Get16(ico, 2) != 1 ||
      Get16(ico, 4) != 1 || Get32(ico, 18) != info || Get32(ico, info) != kInfoHeaderBytes ||
      Get16(ico, info + 12) != 1 || Get16(ico, info + 14) != 32 ||
      Get32(ico, info + 16) != BI_RGB) {
    return nullptr;
  }
  const std::uint32_t w = Get32(ico, info + 4), h = Get32(ico, info + 8) / 2;
  if (w == 0 || h == 0 || w > kLargestIco || h > kLargestIco || Get32(ico, info + 8) != h * 2)
    return nullptr;
  const std::size_t rows = info + kInfoHeaderBytes;
  const std::uint32_t maskStride = (w + 31) / 32 * 4;
  if (ico.size() < rows + std::size_t{w} * h * 4 + std::size_t{maskStride} * h)
    return nullptr;
  std::vector<std::uint32_t> pixels(std::size_t{w} * h);
  bool alpha = false;
  for (std::uint32_t y = 0; y < h; ++y) {
    for (std::uint32_t x = 0; x < w; ++x) {
      const std::uint32_t p = Get32(ico, rows + (std::size_t{h - 1 - y} * w + x) * 4);
      const std::uint32_t a = p >> 24;
      const auto times = [a](std::uint32_t c) { return (c * a + 127) / 255; };
      pixels[std::size_t{y} * w + x] =
          a << 24 | times(p >> 16 & 0xFF) << 16 | times(p >> 8 & 0xFF) << 8 | times(p & 0xFF);
      alpha = alpha || a != 0;
    }
  }
  if (!alpha)
    return nullptr;
  return std::make_shared<const SlotPicture>(static_cast<int>(w), static_cast<int>(h),
                                             std::move(pixels));
}

}  // namespace

SlotPicture::SlotPicture(int width, int height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {
  if (width < 0 || height < 0 || pixels_.size() != std::size_t(width) * std::size_t(height)) {
    throw std::invalid_argument("SlotPicture: pixel count does not match the size");
  }
}

std::optional<Bytes> IcoFromIcon(HICON icon) {
  int width = 0, height = 0;
  const auto pixels = IconPixels(icon, width, height);
  if (!pixels)
    return std::nullopt;
  return WriteIco(width, height, *pixels);
}

std::optional<Bytes> IcoFromIcon(HICON icon, int side) {
  const auto pixels = DrawnPixels(icon, side);
  if (!pixels)
    return std::nullopt;
  return WriteIco(side, side, *pixels);
}

std::shared_ptr<const SlotPicture> DecodeImage(std::span<const std::uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > MAXDWORD)
    return nullptr;
  ComPtr<IWICImagingFactory> factory;
  // Fails with CO_E_NOTINITIALIZED on a thread without COM, which is a null result here.
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&factory)))) {
    return nullptr;
  }
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  // The stream only reads the buffer, which outlives every object here.
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()),
                                          static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return nullptr;
  }
  UINT width = 0, height = 0;
  if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 ||
      width > kLargestImage || height > kLargestImage) {
    return nullptr;
  }
  std::vector<std::uint32_t> pixels(std::size_t(width) * height);
  if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(pixels.data())))) {
    return nullptr;
  }
  return std::make_shared<const SlotPicture>(static_cast<int>(width), static_cast<int>(height),
                                             std::move(pixels));
}

std::unique_ptr<Icon> Win32IconPort::ExtractFirstIcon(const std::u16string& path, int sizePx) {
  const std::wstring file = ShellReachablePath(ToWide(path));
  UniqueIcon icon;
  // ExtractIconW gives the system's large size by itself; SHDefExtractIconW, asked for it,
  // takes a second icon along (the small one) and so a third longer under Wine.
  if (sizePx > 0 && sizePx != GetSystemMetrics(SM_CXICON)) {
    HICON sized = nullptr;
    const UINT size = static_cast<UINT>(sizePx);
    if (SHDefExtractIconW(file.c_str(), 0, 0, &sized, nullptr,
                          static_cast<UINT>(MAKELONG(size, size))) == S_OK) {
      icon = IconOrNull(sized);
    }
  }
  int side = sizePx;
  if (!icon) {
    icon = IconOrNull(ExtractIconW(GetModuleHandleW(nullptr), file.c_str(), 0));
    side = GetSystemMetrics(SM_CXICON);
  }
  if (!icon)
    return nullptr;
  // Both functions make the icon at exactly the size they were asked for.
  return std::make_unique<IconHandle>(std::move(icon), side);
}

std::optional<Bytes> Win32IconPort::ToIcoBytes(const Icon& icon) {
  const auto* handle = dynamic_cast<const IconHandle*>(&icon);
  if (!handle || !handle->get())
    return std::nullopt;
  if (handle->Side() > 0)
    return IcoFromIcon(handle->get(), handle->Side());
  return IcoFromIcon(handle->get());
}

PicturePtr Win32IconPort::DecodeIco(std::span<const std::uint8_t> ico) {
  if (auto own = ReadOwnIco(ico))
    return own;
  return DecodeImage(ico);
}

}  // namespace quorvel::win
