#include "host/ansi_text.h"

#include <cstring>

#include "win/kernel.h"
#include "win/text.h"

namespace tq::host {

bool Utf8ToAnsi(std::string_view utf8, std::string& ansi) {
  const std::u16string wide = Utf8ToUtf16(utf8);
  ansi.clear();
  if (wide.empty()) return utf8.empty();
  const int length = static_cast<int>(wide.size());
  const int needed = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return false;
  ansi.resize(static_cast<std::size_t>(needed));
  BOOL usedDefault = FALSE;
  const int made = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, ansi.data(), needed, nullptr, &usedDefault);
  if (made <= 0) {
    ansi.clear();
    return false;
  }
  ansi.resize(static_cast<std::size_t>(made));
  return !usedDefault;
}

std::string AnsiSlotToUtf8(const char* text, std::size_t slot) {
  const std::size_t length = strnlen(text, slot);
  if (length == 0) return {};
  const int needed = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
  if (needed <= 0) return std::string(text, length);
  std::u16string wide(static_cast<std::size_t>(needed), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), wide.data(), needed);
  return Utf16ToUtf8(wide);
}

}  // namespace tq::host
