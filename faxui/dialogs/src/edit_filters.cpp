#include "dialogs/edit_filters.h"

#include <string>
#include <vector>

#include "win/user.h"

namespace tq::faxui {

namespace {

// Codes 1 to 4 are separators inside the plug-in's records; nothing typed
// may bring them in.
bool IsReservedCode(char16_t c) { return c >= 1 && c <= 4; }

bool Allowed(char16_t c, char16_t low, char16_t high, FilterType type) {
  if (IsReservedCode(c)) return false;
  const bool inRange = c >= low && c <= high;
  switch (type) {
    case FilterType::OnlyRange: return inRange;
    case FilterType::RefuseLow: return c != low;
    case FilterType::RefuseLowAndHigh: return c != low && c != high;
    case FilterType::RangeAndStar: return inRange || c == u'*';
    case FilterType::RangeStarAndHash: return inRange || c == u'*' || c == u'#';
  }
  return false;
}

// Replaces the field's text from its start through character `at` by
// `replacement`; the field then sends its next change notification.
void ReplaceThrough(HWND dialog, int editId, int at, const std::u16string& replacement) {
  SendDlgItemMessageW(dialog, editId, EM_SETSEL, 0, at + 1);
  SendDlgItemMessageW(dialog, editId, EM_REPLACESEL, FALSE,
                      reinterpret_cast<LPARAM>(replacement.c_str()));
}

constexpr UINT kSimpleBeep = 0xFFFFFFFFu;  // MessageBeep(-1)

// Beeps and takes out character `at`, keeping the text before it.
void RemoveRefused(HWND dialog, int editId, const char16_t* text, int at, UINT beep) {
  MessageBeep(beep);
  ReplaceThrough(dialog, editId, at, std::u16string(text, static_cast<std::size_t>(at)));
}

}  // namespace

int FirstRefusedCharacter(const char16_t* text, char16_t low, char16_t high, FilterType type) {
  for (int i = 0; text[i] != u'\0'; ++i) {
    if (!Allowed(text[i], low, high, type)) return i;
  }
  return -1;
}

int FirstFaxNumberFault(const char16_t* text, char16_t* upperCase) {
  *upperCase = 0;
  for (int i = 0; text[i] != u'\0'; ++i) {
    const char16_t c = text[i];
    if (c >= u'a' && c <= u'z') {
      *upperCase = static_cast<char16_t>(c - u'a' + u'A');
      return i;
    }
    const bool accepted = c >= u'!' && c <= u'z' && c != u',' && c != u'[' && c != u']';
    if (!accepted) return i;
  }
  return -1;
}

int FilterEditText(HWND dialog, int editId, const char16_t* text, char16_t low, char16_t high,
                   FilterType type) {
  const int at = FirstRefusedCharacter(text, low, high, type);
  if (at < 0) return 1;
  RemoveRefused(dialog, editId, text, at, kSimpleBeep);
  return 0;
}

int FilterFaxNumber(HWND dialog, int editId, const char16_t* text) {
  char16_t upperCase = 0;
  const int at = FirstFaxNumberFault(text, &upperCase);
  if (at < 0) return 1;
  std::u16string replacement(text, static_cast<std::size_t>(at));
  if (upperCase != 0) {
    replacement.push_back(upperCase);
  } else {
    MessageBeep(kSimpleBeep);
  }
  ReplaceThrough(dialog, editId, at, replacement);
  return 0;
}

void FilterBoundedNumber(HWND dialog, int editId, int digits, int maximum, std::int32_t& kept) {
  std::vector<char16_t> text(static_cast<std::size_t>(digits) + 1, u'\0');
  ReadEditText(dialog, editId, text.data(), digits + 1);
  const int at = FirstRefusedCharacter(text.data(), u'0', u'9', FilterType::OnlyRange);
  if (at >= 0) {
    RemoveRefused(dialog, editId, text.data(), at, MB_OK);
    return;
  }
  int value = 0;
  for (int i = 0; text[i] != u'\0'; ++i) value = value * 10 + (text[i] - u'0');
  if (value <= maximum) {
    kept = value;
    return;
  }
  MessageBeep(MB_OK);
  const std::string shown = std::to_string(kept);
  SetDlgItemTextW(dialog, editId, std::u16string(shown.begin(), shown.end()).c_str());
}

void ReadEditText(HWND dialog, int editId, char16_t* buffer, int size) {
  if (size <= 0) return;
  buffer[0] = u'\0';
  GetDlgItemTextW(dialog, editId, buffer, size);
}

}  // namespace tq::faxui
