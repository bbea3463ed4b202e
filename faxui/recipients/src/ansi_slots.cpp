#include "ansi_slots.h"

#include <cstring>
#include <vector>

#include "win/kernel.h"

namespace tq::faxui {

std::string SlotText(const char* slot, std::size_t slotSize) {
  std::size_t length = 0;
  while (length < slotSize && slot[length] != '\0') ++length;
  return std::string(slot, length);
}

std::u16string SlotToWide(const char* slot, std::size_t slotSize, std::size_t maxUnits) {
  const std::string text = SlotText(slot, slotSize);
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::u16string wide(static_cast<std::size_t>(needed), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<LPWSTR>(wide.data()), needed);
  if (wide.size() > maxUnits) wide.resize(maxUnits);
  return wide;
}

void WideToSlot(std::u16string_view text, char* slot, std::size_t slotSize) {
  std::memset(slot, 0, slotSize);
  if (slotSize == 0) return;
  const std::size_t room = slotSize - 1;
  // Fewer units until the ANSI form fits: a double-byte code page may need
  // two bytes for one character, and a character is never split.
  for (std::size_t units = text.size(); units > 0; --units) {
    const auto* wide = reinterpret_cast<LPCWSTR>(text.data());
    const int size = WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, wide, static_cast<int>(units),
                                         nullptr, 0, nullptr, nullptr);
    if (size <= 0) continue;
    if (static_cast<std::size_t>(size) > room) continue;
    std::vector<char> bytes(static_cast<std::size_t>(size));
    WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, wide, static_cast<int>(units), bytes.data(), size,
                        nullptr, nullptr);
    std::memcpy(slot, bytes.data(), bytes.size());
    return;
  }
}

}  // namespace tq::faxui
