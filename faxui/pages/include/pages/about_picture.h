// The picture of the "À propos de" page, drawn by the program: a sheet of
// paper leaving a fax machine's slot, under a quill.
#pragma once

#include <vector>

#include "win/types.h"

namespace tq::faxui {

inline constexpr int kAboutPictureWidth = 324;
inline constexpr int kAboutPictureHeight = 188;

// Blue, green, red, unused; rows top-down.
std::vector<BYTE> AboutPicturePixels();

}  // namespace tq::faxui
