// Small readings of the layer's windows shared by the mirror's parts.
#include "window_facts.h"

#include <QFontMetrics>
#include <algorithm>

#include "win/updown.h"

namespace tq::ui::qt {

std::u16string TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

QString ToQt(const std::u16string& text) { return QString::fromStdU16String(text); }

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

bool SameName(const std::u16string& a, const char16_t* b) {
  const std::u16string other(b);
  if (a.size() != other.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    if (lower(a[i]) != lower(other[i])) return false;
  }
  return true;
}

std::u16string ClassOf(HWND window) {
  char16_t name[32] = {};
  GetClassNameW(window, name, 32);
  return name;
}

Kind KindOfControl(HWND control) {
  const std::u16string name = ClassOf(control);
  const DWORD style = StyleOf(control);
  if (SameName(name, WC_EDITW)) return (style & ES_MULTILINE) ? Kind::MultiEdit : Kind::Edit;
  if (SameName(name, WC_LISTBOXW)) return Kind::List;
  if (SameName(name, WC_COMBOBOXW)) return Kind::Combo;
  if (SameName(name, UPDOWN_CLASSW)) return Kind::Spin;
  if (SameName(name, WC_BUTTONW)) {
    switch (style & BS_TYPEMASK) {
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE: return Kind::Check;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON: return Kind::Radio;
      case BS_GROUPBOX: return Kind::Group;
      default: return Kind::Push;
    }
  }
  switch (style & SS_TYPEMASK) {
    case SS_BITMAP:
    case SS_ICON: return Kind::Picture;
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME: return Kind::Frame;
    default: return Kind::Label;
  }
}

// The bitmap a picture control's template names in its text ("#101" or
// "101"), from the module of its dialog, as Win32 loads it at creation.
HBITMAP TemplateBitmap(HWND control) {
  const std::u16string text = TextOf(control);
  if (text.empty()) return nullptr;
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(control, GWLP_HINSTANCE));
  bool ok = false;
  const int id = QString::fromStdU16String(text.front() == u'#' ? text.substr(1) : text).toInt(&ok);
  return ok ? LoadBitmapW(instance, MAKEINTRESOURCEW(id)) : LoadBitmapW(instance, text.c_str());
}

// A label's text as Win32 draws it without a mnemonic target: "&&" is an
// ampersand, a single "&" only underlines (which a label without a buddy
// cannot show) and is dropped.
QString WithoutPrefix(const QString& text) {
  QString out;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// List lines: tabs kept for a list that draws them at its stops, else
// shown as wide gaps.
QString ListLine(const std::u16string& line, bool tabbed) {
  return tabbed ? ToQt(line) : ToQt(line).replace(u'\t', QStringLiteral("    "));
}

// A one-line text wider than its control, as the desktop font is wider
// than the one the dialogs were drawn for, gets a smaller font until it
// fits (down to 6 points) rather than being cut.
void FitText(QWidget* widget, const QString& text, int room) {
  QFont font = widget->parentWidget() != nullptr ? widget->parentWidget()->font() : widget->font();
  const QString plain = WithoutPrefix(text);
  while (QFontMetrics(font).horizontalAdvance(plain) > room && font.pointSizeF() > 6.0) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  widget->setFont(font);
}

int VirtualKeyOf(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_F1: return VK_F1;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Tab: return VK_TAB;
    default: return 0;
  }
}

const tq::res::DialogTemplate* TemplateOf(HWND dialog) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
  const int id = TemplateId(dialog);
  return id == 0 ? nullptr : tq::res::FindDialog(instance, MAKEINTRESOURCEW(id));
}

QFont FontOf(const tq::res::DialogTemplate* dialogTemplate) {
  if (dialogTemplate != nullptr && (dialogTemplate->style & DS_SETFONT)) {
    return DialogFont(dialogTemplate->fontName, dialogTemplate->fontPointSize);
  }
  return DialogFont(nullptr, 0);
}

}  // namespace tq::ui::qt
