#include "dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace tq::ui::qt {

BaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  BaseUnits units;
  units.x = (width / 26 + 1) / 2;
  units.y = metrics.height();
  if (units.x <= 0) units.x = 1;
  if (units.y <= 0) units.y = 1;
  return units;
}

QFont DialogFont(const char16_t* fontName, int pointSize) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  if (fontName != nullptr && *fontName != 0) {
    const QString family = QString::fromUtf16(fontName);
    if (QFontDatabase::hasFamily(family)) font.setFamily(family);
  }
  font.setPointSize(pointSize > 0 ? pointSize : 8);
  return font;
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const long long product = static_cast<long long>(number) * numerator;
  const long long half = (denominator < 0 ? -denominator : denominator) / 2;
  const long long rounded = (product >= 0) == (denominator > 0) ? product + (denominator > 0 ? half : -half)
                                                                  : product - (denominator > 0 ? half : -half);
  return static_cast<int>(rounded / denominator);
}

QRect DialogUnitsToPixels(const BaseUnits& units, int x, int y, int cx, int cy) {
  return QRect(MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(cx, units.x, 4), MulDiv(cy, units.y, 8));
}

}  // namespace tq::ui::qt
