#include "dialogs/messages.h"

#include "faxui/module_instance.h"
#include "win/user.h"

namespace tq::faxui {

int ShowMessage(HWND dialog, std::u16string_view text, std::u16string_view caption, UINT type) {
  const std::u16string t(text);
  const std::u16string c(caption);
  return MessageBoxW(dialog, t.c_str(), c.c_str(), type);
}

int RefuseField(HWND dialog, std::u16string_view text, std::u16string_view caption, int field, bool selectText) {
  ShowMessage(dialog, text, caption, MB_OK | MB_ICONERROR);
  SetFocus(GetDlgItem(dialog, field));
  if (selectText) SendDlgItemMessageW(dialog, field, EM_SETSEL, 0, -1);
  return 0;
}

std::u16string PluginString(UINT id) {
  const char16_t* text = nullptr;
  const int length = LoadStringW(ModuleInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) return {};
  return std::u16string(text, static_cast<std::size_t>(length));
}

}  // namespace tq::faxui
