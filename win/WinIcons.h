// Icons taken from files, written as ICO bytes, and decoded into slot pictures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "Handles.h"
#include "Ports.h"

namespace quorvel::win {

class IconHandle : public Icon {
 public:
  explicit IconHandle(UniqueIcon icon) : icon_(std::move(icon)) {}
  HICON get() const { return icon_.get(); }

 private:
  UniqueIcon icon_;
};

// 32-bit premultiplied BGRA pixels, rows top-down: what the painter blends.
class SlotPicture : public Picture {
 public:
  SlotPicture(int width, int height, std::vector<std::uint32_t> pixels)
      : width_(width), height_(height), pixels_(std::move(pixels)) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
  std::uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

 private:
  int width_, height_;
  std::vector<std::uint32_t> pixels_;
};

class Win32IconPort : public IconPort {
 public:
  std::unique_ptr<Icon> ExtractFirstIcon(const std::u16string& path, int sizePx) override;
  std::optional<Bytes> ToIcoBytes(const Icon& icon) override;
  PicturePtr DecodeIco(std::span<const std::uint8_t> ico) override;
};

}  // namespace quorvel::win
