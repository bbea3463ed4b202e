// The dialog item calls: each is GetDlgItem plus the message Win32 sends.
#include "window.h"

using namespace tq::ui;

extern "C" UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int size) {
  if (buffer != nullptr && size > 0) buffer[0] = 0;
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return 0;
  return static_cast<UINT>(GetWindowTextW(control, buffer, size));
}

extern "C" BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  HWND control = GetDlgItem(dialog, id);
  return control == nullptr ? FALSE : SetWindowTextW(control, text);
}

// Leading blanks, an optional sign (signed only), decimal digits and nothing
// after them; anything else, or an overflow, is not translated and gives 0.
extern "C" UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated != nullptr) *translated = FALSE;
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return 0;
  char16_t buffer[64];
  GetWindowTextW(control, buffer, 64);
  const char16_t* p = buffer;
  while (*p == u' ' || *p == u'\t') ++p;
  bool negative = false;
  if (isSigned && (*p == u'-' || *p == u'+')) negative = *p++ == u'-';
  if (*p < u'0' || *p > u'9') return 0;
  unsigned long long value = 0;
  for (; *p >= u'0' && *p <= u'9'; ++p) {
    value = value * 10 + static_cast<unsigned>(*p - u'0');
    if (value > (isSigned ? 0x80000000ull : 0xFFFFFFFFull)) return 0;
  }
  while (*p == u' ' || *p == u'\t') ++p;
  if (*p != 0) return 0;
  if (isSigned && !negative && value > 0x7FFFFFFFull) return 0;
  if (translated != nullptr) *translated = TRUE;
  return negative ? static_cast<UINT>(-static_cast<long long>(value)) : static_cast<UINT>(value);
}

extern "C" BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  const std::string digits = isSigned ? std::to_string(static_cast<INT>(value)) : std::to_string(value);
  std::u16string text(digits.begin(), digits.end());
  return SetDlgItemTextW(dialog, id, text.c_str());
}

extern "C" BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return FALSE;
  SendMessageW(control, BM_SETCHECK, check, 0);
  return TRUE;
}

extern "C" UINT IsDlgButtonChecked(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control == nullptr ? 0 : static_cast<UINT>(SendMessageW(control, BM_GETCHECK, 0, 0));
}

// Checks `check` and unchecks every other control whose identifier lies
// between `first` and `last`; sends no notification.
extern "C" BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
  return OnOwnerThread([&]() -> BOOL {
    Window* window = FindWindowRecord(dialog);
    if (window == nullptr) return FALSE;
    const std::vector<Window*> children = window->children;
    for (Window* child : children) {
      if (child->id < first || child->id > last) continue;
      SendMessageW(child->handle, BM_SETCHECK, child->id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
  });
}

// The group of a control runs from the control at or before it that has
// WS_GROUP to the one before the next WS_GROUP control.
extern "C" HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  return OnOwnerThread([&]() -> HWND {
    Window* window = FindWindowRecord(dialog);
    if (window == nullptr || window->children.empty()) return nullptr;
    const auto& items = window->children;
    const int count = static_cast<int>(items.size());
    int at = 0;
    for (int i = 0; i < count; ++i) {
      if (items[i]->handle == control) at = i;
    }
    int start = at;
    while (start > 0 && (items[start]->style & WS_GROUP) == 0) --start;
    int end = at + 1;
    while (end < count && (items[end]->style & WS_GROUP) == 0) ++end;
    const int size = end - start;
    for (int step = 1; step <= size; ++step) {
      const int offset = previous ? (at - start - step + size * 2) % size : (at - start + step) % size;
      Window* candidate = items[start + offset];
      if (candidate->Visible() && candidate->Enabled()) return candidate->handle;
    }
    return control;
  });
}

extern "C" HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  return OnOwnerThread([&]() -> HWND {
    Window* window = FindWindowRecord(dialog);
    if (window == nullptr || window->children.empty()) return nullptr;
    const auto& items = window->children;
    const int count = static_cast<int>(items.size());
    int at = previous ? 0 : count - 1;
    for (int i = 0; i < count; ++i) {
      if (items[i]->handle == control) at = i;
    }
    for (int step = 1; step <= count; ++step) {
      const int index = previous ? (at - step + count * 2) % count : (at + step) % count;
      Window* candidate = items[index];
      if ((candidate->style & WS_TABSTOP) && candidate->Visible() && candidate->Enabled()) {
        return candidate->handle;
      }
    }
    return static_cast<HWND>(nullptr);
  });
}

extern "C" BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  if (!IsWindow(dialog) || rect == nullptr) return FALSE;
  const RECT mapped = DialogUnitsToPixels(static_cast<short>(rect->left), static_cast<short>(rect->top),
                                          static_cast<short>(rect->right - rect->left),
                                          static_cast<short>(rect->bottom - rect->top));
  *rect = mapped;
  return TRUE;
}
