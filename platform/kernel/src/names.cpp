// User and computer names.
#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "internal.h"
#include "win/environment.h"
#include "win/text.h"

namespace {

constexpr size_t kComputerNameLength = 15;

std::string UserName() {
  if (passwd* entry = getpwuid(geteuid()); entry != nullptr && entry->pw_name != nullptr) return entry->pw_name;
  return tq::EnvironmentValue("USER").value_or("");
}

// The host name up to its first dot, upper case, at most 15 characters,
// as Windows keeps a computer name.
std::string ComputerName() {
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0) return {};
  std::string name(host, strnlen(host, sizeof host));
  name = name.substr(0, name.find('.'));
  if (name.size() > kComputerNameLength) name.resize(kComputerNameLength);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

std::string Ansi(const std::u16string& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  }
  return out;
}

// Copies `text` with its terminator. On success *size becomes the length,
// plus one when `countTerminator` (GetUserName does, GetComputerName not).
template <typename Char, typename Text>
BOOL CopyName(const Text& text, Char* buffer, LPDWORD size, bool countTerminator, DWORD tooSmall) {
  if (size == nullptr) return tq::kernel::Fail(ERROR_INVALID_PARAMETER);
  if (text.empty()) return tq::kernel::Fail(ERROR_GEN_FAILURE);
  if (buffer == nullptr || *size < text.size() + 1) {
    *size = static_cast<DWORD>(text.size() + 1);
    return tq::kernel::Fail(tooSmall);
  }
  std::memcpy(buffer, text.data(), text.size() * sizeof(Char));
  buffer[text.size()] = 0;
  *size = static_cast<DWORD>(text.size() + (countTerminator ? 1 : 0));
  return TRUE;
}

}  // namespace

extern "C" BOOL GetUserNameW(LPWSTR buffer, LPDWORD size) {
  return CopyName(tq::Utf8ToUtf16(UserName()), buffer, size, true, ERROR_INSUFFICIENT_BUFFER);
}

extern "C" BOOL GetUserNameA(LPSTR buffer, LPDWORD size) {
  return CopyName(Ansi(tq::Utf8ToUtf16(UserName())), buffer, size, true, ERROR_INSUFFICIENT_BUFFER);
}

extern "C" BOOL GetComputerNameW(LPWSTR buffer, LPDWORD size) {
  return CopyName(tq::Utf8ToUtf16(ComputerName()), buffer, size, false, ERROR_BUFFER_OVERFLOW);
}

extern "C" BOOL GetComputerNameA(LPSTR buffer, LPDWORD size) {
  return CopyName(ComputerName(), buffer, size, false, ERROR_BUFFER_OVERFLOW);
}
