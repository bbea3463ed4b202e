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
  // Blue, green, red, unused: the byte order of Qt's 32-bit RGB on a
  // little-endian machine.
  const QImage image(data->pixels.data(), data->width, data->height, data->width * 4, QImage::Format_RGB32);
  return QPixmap::fromImage(image.copy());
}

}  // namespace tq::ui::qt
