#include "pages/about_picture.h"

#include <cmath>

namespace tq::faxui {

namespace {

struct Colour {
  BYTE r, g, b;
};

void Put(std::vector<BYTE>& pixels, int x, int y, Colour c) {
  if (x < 0 || y < 0 || x >= kAboutPictureWidth || y >= kAboutPictureHeight) return;
  BYTE* p = &pixels[(static_cast<size_t>(y) * kAboutPictureWidth + x) * 4];
  p[0] = c.b, p[1] = c.g, p[2] = c.r, p[3] = 0;
}

void Fill(std::vector<BYTE>& pixels, int left, int top, int right, int bottom, Colour c) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) Put(pixels, x, y, c);
  }
}

}  // namespace

std::vector<BYTE> AboutPicturePixels() {
  std::vector<BYTE> pixels(static_cast<size_t>(kAboutPictureWidth) * kAboutPictureHeight * 4);
  // A sky from deep to pale blue.
  for (int y = 0; y < kAboutPictureHeight; ++y) {
    const int shade = 90 + y * 140 / kAboutPictureHeight;
    Fill(pixels, 0, y, kAboutPictureWidth, y + 1, {static_cast<BYTE>(shade / 3), static_cast<BYTE>(shade / 2 + 40),
                                                   static_cast<BYTE>(std::min(255, shade + 40))});
  }
  // The machine, its slot, and the sheet coming out with its lines of text.
  Fill(pixels, 92, 118, 232, 170, {60, 64, 72});
  Fill(pixels, 104, 112, 220, 120, {30, 32, 36});
  Fill(pixels, 112, 24, 212, 116, {250, 250, 246});
  for (int line = 0; line < 7; ++line) {
    const int y = 36 + line * 11;
    Fill(pixels, 122, y, line % 3 == 2 ? 170 : 202, y + 3, {150, 160, 180});
  }
  Fill(pixels, 200, 132, 220, 140, {120, 220, 120});  // the ready light
  // The quill, a slanted feather over the sheet.
  for (int t = 0; t < 120; ++t) {
    const int x = 236 - t, y = 10 + t * 3 / 4;
    const int half = t < 20 ? t / 3 : (t > 100 ? (120 - t) / 4 : 7);
    for (int d = -half; d <= half; ++d) Put(pixels, x + d, y - d / 2, {235, 225, 200});
    Put(pixels, x, y, {120, 90, 40});
  }
  return pixels;
}

}  // namespace tq::faxui
