// Bitmaps of the resource scripts as Qt pictures.
#pragma once

#include <QPixmap>

#include "win/resource.h"
#include "win/types.h"

namespace tq::ui::qt {

// The picture behind a LoadBitmapW handle; an empty one for a bad handle.
QPixmap PictureOf(HBITMAP bitmap);
QPixmap PictureOf(const tq::res::BitmapResource& bitmap);

}  // namespace tq::ui::qt
