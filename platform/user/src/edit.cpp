// The edit control: single-line, multi-line, password and read-only, with
// Win32's selection, limit and notification behaviour.
#include <algorithm>

#include "window.h"

namespace tq::ui {
namespace {

constexpr int kDefaultLimit = 0x7FFF;       // before EM_LIMITTEXT, as Win32
constexpr int kLargestLimit = 0x7FFFFFFE;   // EM_LIMITTEXT 0

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }
char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

class Edit final : public Control {
 public:
  LRESULT Message(Window& self, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) override {
    switch (message) {
      case WM_CREATE: return create(self);
      case WM_SETTEXT: return setText(self, reinterpret_cast<LPCWSTR>(lParam));
      case WM_CHAR: return character(self, static_cast<char16_t>(wParam));
      case WM_KEYDOWN: return keyDown(self, static_cast<int>(wParam));
      case WM_GETDLGCODE: return dialogCode(self);
      case WM_SETFOCUS: NotifyParent(self, EN_SETFOCUS); return 0;
      case WM_KILLFOCUS: NotifyParent(self, EN_KILLFOCUS); return 0;
      case EM_SETSEL: return setSel(self, static_cast<LONG>(wParam), static_cast<LONG>(lParam));
      case EM_GETSEL: return getSel(reinterpret_cast<DWORD*>(wParam), reinterpret_cast<DWORD*>(lParam));
      case EM_REPLACESEL: return replaceSel(self, reinterpret_cast<LPCWSTR>(lParam));
      case EM_LIMITTEXT: return limitText(static_cast<int>(wParam));
      case EM_GETLIMITTEXT: return limit_;
      case EM_SETREADONLY: return setReadOnly(self, wParam != 0);
      case EM_GETMODIFY: return modified_ ? TRUE : FALSE;
      case EM_SETMODIFY: modified_ = wParam != 0; return 0;
      case EM_SETPASSWORDCHAR: return setPasswordChar(self, static_cast<char16_t>(wParam));
      case EM_GETPASSWORDCHAR: return (self.style & ES_PASSWORD) ? password_ : 0;
      case EM_GETLINECOUNT: return lineCount(self);
      case EM_LINEINDEX: return lineIndex(self, static_cast<int>(static_cast<INT_PTR>(wParam)));
      case EM_LINELENGTH: return lineLength(self, static_cast<int>(static_cast<INT_PTR>(wParam)));
      case EM_LINEFROMCHAR: return lineFromChar(self, static_cast<int>(static_cast<INT_PTR>(wParam)));
      case EM_GETLINE: return getLine(self, static_cast<int>(wParam), reinterpret_cast<LPWSTR>(lParam));
      case EM_CANUNDO:
      case EM_UNDO:
        return FALSE;
      case EM_EMPTYUNDOBUFFER:
      case EM_SCROLLCARET:
      case EM_SETTABSTOPS:
        return TRUE;
      default:
        *handled = false;
        return 0;
    }
  }

 private:
  int limit_ = kDefaultLimit;
  int anchor_ = 0;
  int caret_ = 0;
  bool modified_ = false;
  char16_t password_ = u'*';

  int selMin() const { return std::min(anchor_, caret_); }
  int selMax() const { return std::max(anchor_, caret_); }

  LRESULT create(Window& self) {
    // A template's text arrives through the window text, not as a change.
    anchor_ = caret_ = 0;
    (void)self;
    return 0;
  }

  // EN_UPDATE then EN_CHANGE, after every change of the text.
  static void notifyChanged(Window& self) {
    const HWND handle = self.handle;
    Changed(self, Change::Text);
    NotifyParent(self, EN_UPDATE);
    if (Window* still = PeekWindowRecord(handle)) NotifyParent(*still, EN_CHANGE);
  }

  // WM_SETTEXT: the limit does not apply, and EN_CHANGE is still sent.
  LRESULT setText(Window& self, LPCWSTR text) {
    self.text = FromWide(text);
    anchor_ = caret_ = 0;
    modified_ = false;
    notifyChanged(self);
    return TRUE;
  }

  // Replaces the selection with `text`, cut to the limit; false when
  // nothing changed.
  bool replace(Window& self, std::u16string text, bool* hitLimit) {
    const int room = limit_ - (static_cast<int>(self.text.size()) - (selMax() - selMin()));
    if (static_cast<int>(text.size()) > std::max(room, 0)) {
      text.resize(std::max(room, 0));
      *hitLimit = true;
    }
    if (text.empty() && selMin() == selMax()) return false;
    const int start = selMin();
    self.text.replace(start, selMax() - start, text);
    anchor_ = caret_ = start + static_cast<int>(text.size());
    return true;
  }

  LRESULT replaceSel(Window& self, LPCWSTR text) {
    bool hitLimit = false;
    const HWND handle = self.handle;
    const bool changed = replace(self, FromWide(text), &hitLimit);
    if (hitLimit) NotifyParent(self, EN_MAXTEXT);
    Window* still = PeekWindowRecord(handle);
    if (changed && still != nullptr) {
      modified_ = true;
      notifyChanged(*still);
    }
    return 0;
  }

  LRESULT character(Window& self, char16_t c) {
    if (self.style & ES_READONLY) return 0;
    if (c == VK_BACK) {
      if (selMin() == selMax()) {
        if (caret_ == 0) return 0;
        anchor_ = caret_ - 1;
      }
      bool unused = false;
      replace(self, u"", &unused);
      modified_ = true;
      notifyChanged(self);
      return 0;
    }
    std::u16string text(1, c);
    if (c == u'\r' || c == u'\n') {
      if (!(self.style & ES_MULTILINE)) return 0;
      text = u"\r\n";
    } else if (c < 0x20) {
      return 0;  // control characters are shortcuts, not text
    }
    if ((self.style & ES_NUMBER) && (c < u'0' || c > u'9')) {
      MessageBeep(MB_OK);  // a number field refuses other characters
      return 0;
    }
    if (self.style & ES_UPPERCASE) text[0] = Upper(text[0]);
    if (self.style & ES_LOWERCASE) text[0] = Lower(text[0]);
    // A typed character that does not fit whole is refused.
    if (static_cast<int>(self.text.size()) - (selMax() - selMin()) + static_cast<int>(text.size()) > limit_) {
      NotifyParent(self, EN_MAXTEXT);
      return 0;
    }
    bool unused = false;
    if (replace(self, text, &unused)) {
      modified_ = true;
      notifyChanged(self);
    }
    return 0;
  }

  LRESULT keyDown(Window& self, int key) {
    const int length = static_cast<int>(self.text.size());
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    auto moveTo = [&](int position) {
      caret_ = std::clamp(position, 0, length);
      if (!shift) anchor_ = caret_;
      Changed(self, Change::Selection);
    };
    switch (key) {
      case VK_DELETE: {
        if (self.style & ES_READONLY) return 0;
        if (selMin() == selMax()) {
          if (caret_ >= length) return 0;
          anchor_ = caret_ + 1;
        }
        bool unused = false;
        replace(self, u"", &unused);
        modified_ = true;
        notifyChanged(self);
        return 0;
      }
      case VK_HOME: moveTo(0); return 0;
      case VK_END: moveTo(length); return 0;
      case VK_LEFT: moveTo(caret_ - 1); return 0;
      case VK_RIGHT: moveTo(caret_ + 1); return 0;
      default: return 0;
    }
  }

  static LRESULT dialogCode(const Window& self) {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if ((self.style & ES_MULTILINE) && (self.style & ES_WANTRETURN)) code |= DLGC_WANTALLKEYS;
    return code;
  }

  // Start -1 drops the selection (the caret stays); an end of -1, or past
  // the text, is the end of the text. The order given is kept.
  LRESULT setSel(Window& self, LONG start, LONG end) {
    const LONG length = static_cast<LONG>(self.text.size());
    if (start == -1) {
      anchor_ = caret_;
    } else {
      anchor_ = start < 0 || start > length ? length : start;
      caret_ = end < 0 || end > length ? length : end;
    }
    Changed(self, Change::Selection);
    return TRUE;
  }

  LRESULT getSel(DWORD* start, DWORD* end) const {
    if (start != nullptr) *start = static_cast<DWORD>(selMin());
    if (end != nullptr) *end = static_cast<DWORD>(selMax());
    if (selMax() > 0xFFFF) return -1;
    return MAKELONG(selMin(), selMax());
  }

  LRESULT limitText(int limit) {
    limit_ = limit <= 0 ? kLargestLimit : limit;  // existing text is kept
    return 0;
  }

  static LRESULT setReadOnly(Window& self, bool readOnly) {
    if (readOnly) {
      self.style |= ES_READONLY;
    } else {
      self.style &= ~ES_READONLY;
    }
    Changed(self, Change::Style);
    return TRUE;
  }

  LRESULT setPasswordChar(Window& self, char16_t c) {
    if (self.style & ES_MULTILINE) return FALSE;
    if (c == 0) {
      self.style &= ~ES_PASSWORD;
    } else {
      self.style |= ES_PASSWORD;
      password_ = c;
    }
    Changed(self, Change::Style);
    return TRUE;
  }

  // Lines of a multi-line edit are separated by "\r\n".
  static std::vector<int> lineStarts(const Window& self) {
    std::vector<int> starts{0};
    if (!(self.style & ES_MULTILINE)) return starts;
    for (size_t i = 0; i + 1 < self.text.size(); ++i) {
      if (self.text[i] == u'\r' && self.text[i + 1] == u'\n') starts.push_back(static_cast<int>(i + 2));
    }
    return starts;
  }

  static int lineEnd(const Window& self, const std::vector<int>& starts, size_t line) {
    return line + 1 < starts.size() ? starts[line + 1] - 2 : static_cast<int>(self.text.size());
  }

  static LRESULT lineCount(const Window& self) { return static_cast<LRESULT>(lineStarts(self).size()); }

  LRESULT lineFromChar(const Window& self, int index) const {
    if (index < 0) index = selMin();
    const auto starts = lineStarts(self);
    return std::upper_bound(starts.begin(), starts.end(), index) - starts.begin() - 1;
  }

  LRESULT lineIndex(const Window& self, int line) const {
    const auto starts = lineStarts(self);
    if (line < 0) line = static_cast<int>(lineFromChar(self, caret_));
    return line < static_cast<int>(starts.size()) ? starts[line] : -1;
  }

  LRESULT lineLength(const Window& self, int index) const {
    const auto starts = lineStarts(self);
    const auto line = static_cast<size_t>(lineFromChar(self, index < 0 ? selMin() : index));
    return lineEnd(self, starts, line) - starts[line];
  }

  // The buffer's first WORD holds its size in characters; no terminator.
  static LRESULT getLine(const Window& self, int line, LPWSTR buffer) {
    const auto starts = lineStarts(self);
    if (buffer == nullptr || line < 0 || line >= static_cast<int>(starts.size())) return 0;
    const int size = static_cast<WORD>(buffer[0]);
    const int length = lineEnd(self, starts, line) - starts[line];
    const int count = std::min(size, length);
    std::copy_n(self.text.data() + starts[line], count, buffer);
    return count;
  }
};

}  // namespace

std::unique_ptr<Control> MakeEdit() { return std::make_unique<Edit>(); }

}  // namespace tq::ui
