// Pictures carried as PNG (RCDATA) resources of the running executable.
#pragma once

#include <memory>

#include "WinIcons.h"

namespace quorvel::win {

// Null when the module has no such resource or it does not decode (COM must be initialised).
std::shared_ptr<const SlotPicture> LoadPictureResource(int id);

}  // namespace quorvel::win
