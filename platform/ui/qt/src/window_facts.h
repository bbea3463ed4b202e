// Small readings of the layer's windows, shared by the parts of the mirror.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <string>

#include "window_mirror.h"
#include "win/resource.h"
#include "win/user.h"

namespace tq::ui::qt {

std::u16string TextOf(HWND window);
QString ToQt(const std::u16string& text);
DWORD StyleOf(HWND window);
// Window class names compare without case, as Win32 compares them.
bool SameName(const std::u16string& a, const char16_t* b);
std::u16string ClassOf(HWND window);
// The widget kind that shows a control, from its class and style.
Kind KindOfControl(HWND control);
HBITMAP TemplateBitmap(HWND control);
QString WithoutPrefix(const QString& text);
QString ListLine(const std::u16string& line, bool tabbed);
void FitText(QWidget* widget, const QString& text, int room);
// The Win32 key of a Qt key the layer takes (0 for the others).
int VirtualKeyOf(int key);
// The template a dialog or page was made from, and its font.
const tq::res::DialogTemplate* TemplateOf(HWND dialog);
QFont FontOf(const tq::res::DialogTemplate* dialogTemplate);

}  // namespace tq::ui::qt
