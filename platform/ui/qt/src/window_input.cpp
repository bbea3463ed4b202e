// A person's input on the widgets as input steps: one layer call each.
#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>
#include <vector>

#include "win/foreign_window.h"
#include "window_facts.h"
#include "window_mirror.h"

namespace tq::ui::qt {
void Mirror::ListChosen(HWND list, const std::vector<int>& rows) {
  Take([list, rows](std::string* why) { return SelectItems(list, rows, why); });
}

void Mirror::ListScrolled(HWND list, int top) {
  Take([list, top](std::string*) {
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    return true;
  });
}

void Mirror::ListDoubleClicked(HWND list, int row) {
  Take([list, row](std::string* why) { return DoubleClickItem(list, row, why); });
}

void Mirror::ComboChosen(HWND combo, int index) {
  Take([combo, index](std::string* why) { return SelectItems(combo, {index}, why); });
}

void Mirror::ButtonClicked(HWND button) {
  Take([button](std::string* why) { return ClickButton(button, why); });
}

void Mirror::KeyPressed(HWND control, int virtualKey) {
  Take([control, virtualKey](std::string* why) { return PressKey(control, virtualKey, why); });
}

void Mirror::KeyPressed(HWND control, int virtualKey, Qt::KeyboardModifiers modifiers) {
  const bool shift = (modifiers & Qt::ShiftModifier) != 0;
  const bool ctrl = (modifiers & Qt::ControlModifier) != 0;
  Take([control, virtualKey, shift, ctrl](std::string* why) {
    HoldModifiers(shift, ctrl);
    return PressKey(control, virtualKey, why);
  });
}

void Mirror::TabChosen(HWND sheet, int index) {
  Take([sheet, index](std::string* why) { return ShowSheetPageAt(sheet, index, why); });
}

bool Mirror::LayerKey(HWND control, Kind kind, QKeyEvent* key) {
  const Qt::KeyboardModifiers modifiers = key->modifiers();
  const bool ctrl = (modifiers & Qt::ControlModifier) != 0;
  if ((modifiers & Qt::AltModifier) && !ctrl && !key->text().isEmpty() && key->text()[0].isLetterOrNumber()) {
    // A mnemonic, as the dialog manager takes it (Qt's own shortcuts were
    // refused at ShortcutOverride).
    ShowCues(control);
    const char16_t letter = key->text().toStdU16String()[0];
    Take([control, letter](std::string* why) {
      HWND modal = ActiveModalWindow();
      if (modal == nullptr) modal = GetParent(control);
      return PressMnemonic(modal, letter, why);
    });
    return true;
  }
  const int virtualKey = VirtualKeyOf(key->key() == Qt::Key_Backtab ? Qt::Key_Tab : key->key());
  bool taken = false;
  switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: taken = true; break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: taken = ctrl || kind == Kind::List; break;
    case Qt::Key_Home:
    case Qt::Key_End: taken = kind == Kind::List; break;
    case Qt::Key_Up:
    case Qt::Key_Down: taken = kind == Kind::List || kind == Kind::Tabs || kind == Kind::Edit; break;
    case Qt::Key_Left:
    case Qt::Key_Right: taken = kind == Kind::Tabs; break;
    default: break;
  }
  if (!taken || virtualKey == 0) return false;
  ShowCues(control);
  Qt::KeyboardModifiers held = modifiers;
  if (key->key() == Qt::Key_Backtab) held |= Qt::ShiftModifier;
  KeyPressed(control, virtualKey, held);
  return true;
}

void Mirror::CloseAsked(HWND dialog) {
  Take([dialog](std::string*) {
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    return true;
  });
}

bool Mirror::DialogKey(HWND control, QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return LayerKey(control, KindOf(control), key);
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_F1:
      KeyPressed(control, VirtualKeyOf(key->key()));
      return true;
    default: return false;
  }
}

bool Mirror::GroupKey(HWND control, QKeyEvent* key) {
  bool back = false;
  switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left: back = true; break;
    case Qt::Key_Down:
    case Qt::Key_Right: break;
    default: return false;
  }
  // The dialog manager's arrows: the next control of the group gets the
  // focus, and an automatic radio button reached so is checked.
  ShowCues(control);
  auto found = entries_.find(control);
  const HWND dialog = found != entries_.end() ? found->second.top : GetParent(control);
  Take([dialog, control, back](std::string* why) {
    const HWND next = GetNextDlgGroupItem(dialog, control, back ? TRUE : FALSE);
    if (next == nullptr || next == control) return true;
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    if ((StyleOf(next) & BS_TYPEMASK) == BS_AUTORADIOBUTTON && SameName(ClassOf(next), WC_BUTTONW)) {
      return ClickButton(next, why);
    }
    return true;
  });
  return true;
}

bool Mirror::EditKey(HWND edit, QWidget* widget, QKeyEvent* key) {
  auto* line = qobject_cast<QLineEdit*>(widget);
  // Keys act at the layer's selection: a person's mouse selection reached
  // it already, and keys typed ahead must not all land where the first did.
  const auto at = [edit] {
    if (GetFocus() != edit) SetFocus(edit);
  };
  // Typed characters go where the layer's focus is when they are taken: a
  // click or mnemonic just before them may have moved it since Qt gave
  // them to this widget.
  const auto typedTo = [edit] {
    const HWND focus = GetFocus();
    if (focus != nullptr) return focus;
    SetFocus(edit);
    return edit;
  };
  const bool shift = (key->modifiers() & Qt::ShiftModifier) != 0;
  if (key->matches(QKeySequence::Paste)) {
    const std::u16string text = QGuiApplication::clipboard()->text().toStdU16String();
    Take([at, edit, text](std::string*) {
      at();
      if (!(StyleOf(edit) & ES_READONLY)) SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
      return true;
    });
    return true;
  }
  if (key->matches(QKeySequence::SelectAll)) {
    Take([edit](std::string*) { return SendMessageW(edit, EM_SETSEL, 0, -1), true; });
    return true;
  }
  if (key->matches(QKeySequence::Copy)) return line != nullptr && line->echoMode() == QLineEdit::Password;
  if (key->matches(QKeySequence::Cut)) {
    if (line != nullptr && line->echoMode() != QLineEdit::Password) line->copy();
    Take([at, edit](std::string*) { return at(), SendMessageW(edit, WM_KEYDOWN, VK_DELETE, 1), true; });
    return true;
  }
  switch (key->key()) {
    case Qt::Key_Backspace:
      Take([at, edit](std::string*) { return at(), SendMessageW(edit, WM_CHAR, VK_BACK, 1), true; });
      return true;
    case Qt::Key_Delete:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right: {
      const int virtualKey = VirtualKeyOf(key->key());
      Take([at, edit, virtualKey, shift](std::string*) {
        at();
        SHORT held = GetKeyState(VK_CONTROL);
        HoldModifiers(shift, (held & 0x8000) != 0);
        SendMessageW(edit, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
        return true;
      });
      return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if ((StyleOf(edit) & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN)) {
        Take([at, edit](std::string*) {
          at();
          SendMessageW(edit, WM_CHAR, u'\r', 1);
          SendMessageW(edit, WM_CHAR, u'\n', 1);
          return true;
        });
        return true;
      }
      return DialogKey(edit, key);
    default: break;
  }
  if (DialogKey(edit, key)) return true;
  const QString text = key->text();
  if (!text.isEmpty() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && text[0].isPrint()) {
    const std::u16string typed = text.toStdU16String();
    Take([typedTo, typed](std::string*) {
      const HWND target = typedTo();
      for (char16_t c : typed) {
        if (!IsWindow(target)) break;
        SendMessageW(target, WM_CHAR, c, 1);
      }
      return true;
    });
  }
  // Alt+letter reaches the mnemonics; every other key stays with the layer.
  return !(key->modifiers() & Qt::AltModifier);
}

// The layer's window that holds `control` is disabled (a modal window it
// owns is up): its widgets look as before but take no input.
bool Mirror::InDisabledWindow(HWND control) const {
  auto found = entries_.find(control);
  if (found == entries_.end()) return false;
  HWND top = found->second.top;
  if (KindOf(top) == Kind::Page) top = GetParent(top);
  return top != nullptr && !IsWindowEnabled(top);
}

// A click on a window that waits for a program it started brings that
// program's window forward, as a click on a window behind a modal one does.
void Mirror::RaiseWhatHolds(HWND control) const {
  auto found = entries_.find(control);
  if (found == entries_.end()) return;
  HWND top = found->second.top;
  if (KindOf(top) == Kind::Page) top = GetParent(top);
  if (ui::HeldByStartedProgram(top)) ui::RaiseStartedProgram();
}

// A button's mnemonic presses it at once, as the dialog manager does,
// rather than a moment later as Qt animates it: keys typed right after it
// then go where the press moved the focus.
bool Mirror::ButtonMnemonic(HWND control, QWidget* widget) {
  if (!widget->isEnabled()) return true;
  ShowCues(control);
  Take([control](std::string* why) { return ClickButton(control, why); });
  return true;
}

bool Mirror::eventFilter(QObject* watched, QEvent* event) {
  const HWND control = HandleOf(watched);
  if (control == nullptr || syncing_ != 0) return QObject::eventFilter(watched, event);
  const Kind kind = KindOf(control);
  auto* widget = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
      if (InDisabledWindow(control)) {
        if (event->type() == QEvent::MouseButtonPress) RaiseWhatHolds(control);
        return true;
      }
      break;
    default: break;
  }
  switch (event->type()) {
    case QEvent::Shortcut:
      if (kind == Kind::Push || kind == Kind::Check || kind == Kind::Radio) return ButtonMnemonic(control, widget);
      break;
    case QEvent::ShortcutOverride: {
      // Alt+letter is the dialog manager's: Qt's shortcuts for the '&'
      // letters would press a button where the layer only moves the focus.
      auto* key = static_cast<QKeyEvent*>(event);
      if ((key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier)) {
        event->accept();
        return true;
      }
      break;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (kind == Kind::Dialog || kind == Kind::Sheet) {
        // Only what no control took: Escape and Enter stay with the window.
        if (LayerKey(control, kind, key)) return true;
        if (key->key() == Qt::Key_F1) {
          KeyPressed(control, VK_F1);
          return true;
        }
        break;
      }
      if (LayerKey(control, kind, key)) return true;
      if (kind == Kind::Tabs) return DialogKey(control, key);
      if (kind == Kind::Edit || kind == Kind::MultiEdit) return EditKey(control, widget, key);
      if (kind == Kind::List && key->key() == Qt::Key_Delete) {
        KeyPressed(control, VK_DELETE);
        return true;
      }
      if (kind == Kind::Push && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        KeyPressed(control, VK_RETURN);
        return true;
      }
      if (untaken_ && !key->text().isEmpty() && key->text()[0].isPrint() &&
          !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        // Typed while input taken before it waits for the layer (a
        // mnemonic's click that moves the focus to a field): this widget may
        // no longer be the focus, so the characters go to the layer's focus
        // when they are taken, in order.
        const std::u16string typed = key->text().toStdU16String();
        Take([typed](std::string*) {
          const HWND focus = GetFocus();
          for (char16_t c : typed) {
            if (IsWindow(focus)) SendMessageW(focus, WM_CHAR, c, 1);
          }
          return true;
        });
        return true;
      }
      if ((kind == Kind::Push || kind == Kind::Check || kind == Kind::Radio) && GroupKey(control, key)) return true;
      return DialogKey(control, key);
    }
    case QEvent::InputMethod: {
      if (kind != Kind::Edit && kind != Kind::MultiEdit) break;
      const std::u16string typed = static_cast<QInputMethodEvent*>(event)->commitString().toStdU16String();
      if (!typed.empty()) {
        Take([control, typed](std::string*) {
          if (GetFocus() != control) SetFocus(control);
          for (char16_t c : typed) SendMessageW(control, WM_CHAR, c, 1);
          return true;
        });
      }
      return true;
    }
    case QEvent::FocusIn: {
      // A click or a mnemonic moves the focus; the layer's own moves and a
      // window coming back to the front do not ask for anything.
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (scripted_ || GetFocus() == control) break;
      if (reason == Qt::MouseFocusReason) {
        Take([control](std::string*) { return SetFocus(control), true; });
      } else if (reason == Qt::ShortcutFocusReason) {
        // A label's mnemonic: the dialog manager moves there as Tab does.
        ShowCues(control);
        const HWND dialog = GetParent(control);
        Take([dialog, control](std::string*) {
          SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
          return true;
        });
      }
      break;
    }
    case QEvent::MouseButtonPress:
      // The X selection paste would change the text behind the layer's back.
      if ((kind == Kind::Edit || kind == Kind::MultiEdit) &&
          static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
        return true;
      }
      break;
    default: break;
  }
  return QObject::eventFilter(watched, event);
}
}  // namespace tq::ui::qt
