// The ANSI registry calls, over the UTF-16 ones.
#include <cstring>
#include <string>
#include <vector>

#include "win/registry.h"

namespace {

// ANSI text of `size` bytes (or up to its terminator when size is -1) as
// UTF-16; a null text stays null.
bool Widen(LPCSTR text, int size, std::u16string& out) {
  out.clear();
  if (text == nullptr || size == 0) return true;
  int length = MultiByteToWideChar(CP_ACP, 0, text, size, nullptr, 0);
  if (length <= 0) return false;
  out.resize(static_cast<size_t>(length));
  return MultiByteToWideChar(CP_ACP, 0, text, size, out.data(), length) == length;
}

const char16_t* OrNull(LPCSTR original, const std::u16string& wide) {
  return original != nullptr ? wide.c_str() : nullptr;
}

}  // namespace

extern "C" LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
  std::u16string wide;
  if (!Widen(subKey, -1, wide)) return ERROR_INVALID_PARAMETER;
  return RegOpenKeyExW(key, OrNull(subKey, wide), options, access, result);
}

extern "C" LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR /*className*/, DWORD options,
                                REGSAM access, void* security, PHKEY result, LPDWORD disposition) {
  std::u16string wide;
  if (!Widen(subKey, -1, wide)) return ERROR_INVALID_PARAMETER;
  return RegCreateKeyExW(key, OrNull(subKey, wide), reserved, nullptr, options, access, security, result,
                         disposition);
}

extern "C" LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                               DWORD dataSize) {
  std::u16string wideName;
  if (!Widen(name, -1, wideName)) return ERROR_INVALID_PARAMETER;
  if ((type != REG_SZ && type != REG_EXPAND_SZ) || data == nullptr || dataSize == 0) {
    return RegSetValueExW(key, OrNull(name, wideName), reserved, type, data, dataSize);
  }
  // Text data: the ANSI bytes as given (usually with their terminator),
  // converted whole, so the stored UTF-16 has a terminator exactly when the
  // ANSI data had one.
  std::u16string text;
  if (!Widen(reinterpret_cast<LPCSTR>(data), static_cast<int>(dataSize), text)) return ERROR_INVALID_PARAMETER;
  return RegSetValueExW(key, OrNull(name, wideName), reserved, type, reinterpret_cast<const BYTE*>(text.data()),
                        static_cast<DWORD>(text.size() * sizeof(char16_t)));
}

extern "C" LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                 LPDWORD dataSize) {
  if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
  std::u16string wideName;
  if (!Widen(name, -1, wideName)) return ERROR_INVALID_PARAMETER;
  DWORD storedType = REG_NONE;
  DWORD size = 0;
  LONG result = RegQueryValueExW(key, OrNull(name, wideName), reserved, &storedType, nullptr, &size);
  if (result != ERROR_SUCCESS) return result;
  std::vector<BYTE> stored(size);
  result = RegQueryValueExW(key, OrNull(name, wideName), reserved, &storedType, stored.data(), &size);
  if (result != ERROR_SUCCESS) return result;
  if (type != nullptr) *type = storedType;
  std::string bytes(reinterpret_cast<const char*>(stored.data()), size);
  if ((storedType == REG_SZ || storedType == REG_EXPAND_SZ) && size >= 2) {
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), stored.data(), text.size() * sizeof(char16_t));
    int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                     nullptr);
    bytes.assign(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                          nullptr);
    }
  }
  auto needed = static_cast<DWORD>(bytes.size());
  if (data == nullptr) {
    if (dataSize != nullptr) *dataSize = needed;
    return ERROR_SUCCESS;
  }
  if (*dataSize < needed) {
    *dataSize = needed;
    return ERROR_MORE_DATA;
  }
  std::memcpy(data, bytes.data(), needed);
  *dataSize = needed;
  return ERROR_SUCCESS;
}
