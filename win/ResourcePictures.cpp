#include "ResourcePictures.h"

#include <windows.h>

#include <cstdint>
#include <span>

namespace quorvel::win {

std::shared_ptr<const SlotPicture> LoadPictureResource(int id) {
  // Resources of a module stay mapped for its lifetime: nothing here needs freeing.
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
  if (!info)
    return nullptr;
  HGLOBAL loaded = LoadResource(module, info);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = SizeofResource(module, info);
  if (!data || size == 0)
    return nullptr;
  return DecodeImage(std::span(static_cast<const std::uint8_t*>(data), size));
}

}  // namespace quorvel::win
