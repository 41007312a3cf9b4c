#include "WinIcons.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstring>

#include "Utf16.h"

using Microsoft::WRL::ComPtr;

namespace quorvel::win {

namespace {

// ExtractIconW says "no icon" with 0, and "not an icon-bearing file" with 1 on Windows.
bool IsRealIcon(HICON h) {
  return reinterpret_cast<std::uintptr_t>(h) > 1;
}

template <typename T>
void Append(Bytes& out, const T& value) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
  out.insert(out.end(), p, p + sizeof(T));
}

}  // namespace

std::unique_ptr<Icon> Win32IconPort::ExtractFirstIcon(const std::u16string& path, int sizePx) {
  const std::wstring wide = ToWide(path);
  HICON icon = nullptr;
  if (sizePx > 0) {
    UINT id = 0;
    // Takes the image nearest the slot's physical size, so icons stay sharp when scaled.
    if (PrivateExtractIconsW(wide.c_str(), 0, sizePx, sizePx, &icon, &id, 1, LR_DEFAULTCOLOR) !=
            1 ||
        !IsRealIcon(icon)) {
      if (IsRealIcon(icon))
        DestroyIcon(icon);
      icon = nullptr;
    }
  }
  if (!icon)
    icon = ExtractIconW(GetModuleHandleW(nullptr), wide.c_str(), 0);
  if (!IsRealIcon(icon))
    return nullptr;
  return std::make_unique<IconHandle>(UniqueIcon(icon));
}

std::optional<Bytes> Win32IconPort::ToIcoBytes(const Icon& icon) {
  ICONINFO info{};
  if (!GetIconInfo(static_cast<const IconHandle&>(icon).get(), &info))
    return std::nullopt;
  const UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bm{};
  if (!mask || !GetObjectW(colour ? colour.get() : mask.get(), sizeof bm, &bm)) {
    return std::nullopt;
  }
  const int w = bm.bmWidth;
  const int h = colour ? bm.bmHeight : bm.bmHeight / 2;  // a monochrome icon stacks both masks
  if (w <= 0 || h <= 0 || w > 1024 || h > 1024)
    return std::nullopt;

  const ScreenDc screen;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up, as ICO files store it
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(w) * h);

  // The AND mask, one bit a pixel, rows padded to 32 bits.
  const size_t maskStride = ((static_cast<size_t>(w) + 31) / 32) * 4;
  std::vector<std::uint8_t> maskBits(maskStride * h);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } mi{};
  mi.header = bi.bmiHeader;
  mi.header.biBitCount = 1;
  if (!GetDIBits(screen.get(), mask.get(), 0, h, maskBits.data(),
                 reinterpret_cast<BITMAPINFO*>(&mi), DIB_RGB_COLORS)) {
    return std::nullopt;
  }

  if (colour) {
    if (!GetDIBits(screen.get(), colour.get(), 0, h, pixels.data(), &bi, DIB_RGB_COLORS)) {
      return std::nullopt;
    }
  } else {
    // Monochrome: the XOR half of the mask bitmap gives black or white.
    std::vector<std::uint8_t> xorBits(maskStride * h * 2);
    mi.header.biHeight = h * 2;
    if (!GetDIBits(screen.get(), mask.get(), 0, h * 2, xorBits.data(),
                   reinterpret_cast<BITMAPINFO*>(&mi), DIB_RGB_COLORS)) {
      return std::nullopt;
    }
    // Read bottom-up, the lower half of the bitmap (the XOR mask) comes first.
    std::vector<std::uint8_t> andHalf(xorBits.begin() + maskStride * h, xorBits.end());
    std::vector<std::uint8_t> xorHalf(xorBits.begin(), xorBits.begin() + maskStride * h);
    maskBits = andHalf;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool white = xorHalf[y * maskStride + x / 8] & (0x80 >> (x % 8));
        pixels[static_cast<size_t>(y) * w + x] = white ? 0x00FFFFFF : 0;
      }
    }
  }

  // Icons without an alpha channel take their transparency from the mask.
  bool hasAlpha = false;
  for (std::uint32_t p : pixels)
    hasAlpha |= (p >> 24) != 0;
  if (!hasAlpha) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool transparent = maskBits[y * maskStride + x / 8] & (0x80 >> (x % 8));
        auto& p = pixels[static_cast<size_t>(y) * w + x];
        p = transparent ? 0 : (p | 0xFF000000u);
      }
    }
  }

  const DWORD imageSize =
      static_cast<DWORD>(sizeof(BITMAPINFOHEADER) + pixels.size() * 4 + maskBits.size());
  Bytes out;
  out.reserve(6 + 16 + imageSize);
  Append<WORD>(out, 0);  // reserved
  Append<WORD>(out, 1);  // type: icon
  Append<WORD>(out, 1);  // one image
  Append<BYTE>(out, static_cast<BYTE>(w >= 256 ? 0 : w));
  Append<BYTE>(out, static_cast<BYTE>(h >= 256 ? 0 : h));
  Append<BYTE>(out, 0);  // no palette
  Append<BYTE>(out, 0);
  Append<WORD>(out, 1);   // planes
  Append<WORD>(out, 32);  // bits per pixel
  Append<DWORD>(out, imageSize);
  Append<DWORD>(out, 22);  // the image follows header and entry
  BITMAPINFOHEADER header = bi.bmiHeader;
  header.biHeight = h * 2;  // colour and mask together
  header.biSizeImage = static_cast<DWORD>(pixels.size() * 4 + maskBits.size());
  Append(out, header);
  const auto* px = reinterpret_cast<const std::uint8_t*>(pixels.data());
  out.insert(out.end(), px, px + pixels.size() * 4);
  out.insert(out.end(), maskBits.begin(), maskBits.end());
  return out;
}

PicturePtr Win32IconPort::DecodeIco(std::span<const std::uint8_t> ico) {
  if (ico.size() < 22 || ico.size() > 0x7FFFFFFF)
    return nullptr;
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&factory)))) {
    return nullptr;
  }
  ComPtr<IWICStream> stream;
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(ico.data()),
                                          static_cast<DWORD>(ico.size())))) {
    return nullptr;
  }
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return nullptr;
  }
  UINT w = 0, h = 0;
  if (FAILED(converter->GetSize(&w, &h)) || w == 0 || h == 0 || w > 1024 || h > 1024) {
    return nullptr;
  }
  std::vector<std::uint32_t> pixels(static_cast<size_t>(w) * h);
  if (FAILED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(pixels.data())))) {
    return nullptr;
  }
  return std::make_shared<SlotPicture>(static_cast<int>(w), static_cast<int>(h), std::move(pixels));
}

}  // namespace quorvel::win
