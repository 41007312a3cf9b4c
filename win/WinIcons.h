// The icon port: icons taken from files, written as ICO bytes, decoded into slot pictures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "Handles.h"
#include "Ports.h"

namespace quorvel::win {

class IconHandle final : public Icon {
 public:
  // side: the square size in pixels that the icon was made at, 0 when not known.
  explicit IconHandle(UniqueIcon icon, int side = 0) noexcept
      : icon_(std::move(icon)), side_(side) {}
  HICON get() const noexcept { return icon_.get(); }
  int Side() const noexcept { return side_; }

 private:
  UniqueIcon icon_;
  int side_;
};

// Pixels as 32-bit premultiplied BGRA (0xAARRGGBB in memory order B, G, R, A), rows top-down.
class SlotPicture final : public Picture {
 public:
  // pixels must hold width * height values.
  SlotPicture(int width, int height, std::vector<std::uint32_t> pixels);

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  const std::vector<std::uint32_t>& Pixels() const noexcept { return pixels_; }
  std::uint32_t At(int x, int y) const { return pixels_.at(std::size_t(y) * width_ + x); }

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

// The icon as a one-image, 32 bpp ICO file; nullopt when the system cannot read its bitmaps.
std::optional<Bytes> IcoFromIcon(HICON icon);
// The same for an icon of a known size, drawn at side x side pixels rather than read through
// GetIconInfo, whose copies of both bitmaps cost more than the rest of the conversion.
std::optional<Bytes> IcoFromIcon(HICON icon, int side);

// Frame 0 of any image the system's codecs read (ICO, PNG, ...); null when it cannot be
// decoded, also when the calling thread has not initialised COM.
std::shared_ptr<const SlotPicture> DecodeImage(std::span<const std::uint8_t> bytes);

class Win32IconPort final : public IconPort {
 public:
  // sizePx 0 asks ExtractIconW itself, which gives the system's large icon size.
  std::unique_ptr<Icon> ExtractFirstIcon(const std::u16string& path, int sizePx) override;
  // Icons not made by ExtractFirstIcon yield nullopt.
  std::optional<Bytes> ToIcoBytes(const Icon& icon) override;
  PicturePtr DecodeIco(std::span<const std::uint8_t> ico) override;
};

}  // namespace quorvel::win
