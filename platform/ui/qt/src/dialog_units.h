// Dialog units to pixels as Win32 converts them: the horizontal base unit
// is the dialog font's average character width (over the 52 Latin letters,
// rounded), the vertical one its height; x and widths are in quarters of
// the first, y and heights in eighths of the second.
#pragma once

#include <QFont>
#include <QRect>

namespace tq::ui::qt {

struct BaseUnits {
  int x = 6;
  int y = 13;
};

BaseUnits BaseUnitsOf(const QFont& font);

// The dialog font of a template: its own font when it names one this
// system has (DS_SETFONT), else the desktop's sans serif, at the template's
// size or 8 points.
QFont DialogFont(const char16_t* fontName, int pointSize);

// MulDiv as Win32 rounds it (half away from zero).
int MulDiv(int number, int numerator, int denominator);

QRect DialogUnitsToPixels(const BaseUnits& units, int x, int y, int cx, int cy);

}  // namespace tq::ui::qt
