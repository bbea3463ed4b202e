#include "static_picture.h"

#include <QImage>

#include "win/resource.h"

namespace tq::ui::qt {

QPixmap PictureOf(HBITMAP bitmap) {
  const tq::res::BitmapResource* data = tq::res::BitmapData(bitmap);
  return data == nullptr ? QPixmap() : PictureOf(*data);
}

QPixmap PictureOf(const tq::res::BitmapResource& bitmap) {
  const tq::res::BitmapResource* data = &bitmap;
  if (data->width <= 0 || data->height <= 0 ||
      data->pixels.size() < static_cast<size_t>(data->width) * static_cast<size_t>(data->height) * 4) {
    return {};
  }
  // Blue, green, red, unused. Qt's 32-bit RGB wants 0xFF in the unused
  // byte (resource bitmaps leave 0 there), or some drawing paths take the
  // picture as transparent.
  QImage image(data->width, data->height, QImage::Format_RGB32);
  for (int y = 0; y < data->height; ++y) {
    const BYTE* from = data->pixels.data() + static_cast<size_t>(y) * data->width * 4;
    auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < data->width; ++x, from += 4) to[x] = qRgb(from[2], from[1], from[0]);
  }
  return QPixmap::fromImage(image);
}

}  // namespace tq::ui::qt
