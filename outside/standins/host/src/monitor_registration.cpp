#include "host/monitor_registration.h"

#include <filesystem>

#include "win/registry.h"
#include "win/text.h"

namespace tq::host {

namespace {

constexpr char16_t kKey[] = u"SOFTWARE\\Kalde\\Varnholtex\\Client\\Ledgra";
constexpr char16_t kLibraryValue[] = u"VqrApi";
constexpr std::size_t kLibraryPathLimit = 128;  // what the plug-in reads, terminator included

bool SetText(HKEY key, const char16_t* name, const std::u16string& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(char16_t))) == ERROR_SUCCESS;
}

}  // namespace

bool InstallMonitor(const std::string& library, std::string& error) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(library, ignored)) {
    error = "monitor install: " + library + " is not a file";
    return false;
  }
  const std::string absolute = std::filesystem::absolute(library, ignored).lexically_normal().string();
  const std::u16string path = Utf8ToUtf16(absolute);
  const int ansiSize = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (ansiSize <= 0 || static_cast<std::size_t>(ansiSize) > kLibraryPathLimit) {
    error = "monitor install: the path " + absolute + " is longer than the 127 bytes the plug-in reads";
    return false;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    error = "monitor install: the registry key cannot be created";
    return false;
  }
  // The library stands for the installed monitor too: it is the file whose
  // presence the plug-in checks.
  const bool written = SetText(key, nullptr, path) && SetText(key, kLibraryValue, path);
  RegCloseKey(key);
  if (!written) error = "monitor install: the registry values cannot be written";
  return written;
}

bool RemoveMonitor(std::string& error) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return true;
  bool removed = true;
  for (const char16_t* name : {static_cast<const char16_t*>(nullptr), kLibraryValue}) {
    const LONG status = RegDeleteValueW(key, name);
    removed = removed && (status == ERROR_SUCCESS || status == static_cast<LONG>(ERROR_FILE_NOT_FOUND));
  }
  RegCloseKey(key);
  if (!removed) error = "monitor remove: the registry values cannot be removed";
  return removed;
}

std::string InstalledMonitorLibrary() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  char16_t value[kLibraryPathLimit + 1] = {};
  DWORD size = sizeof value - sizeof(char16_t);
  DWORD type = 0;
  const bool read = RegQueryValueExW(key, kLibraryValue, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
                        ERROR_SUCCESS &&
                    type == REG_SZ;
  RegCloseKey(key);
  return read ? Utf16ToUtf8(value) : std::string{};
}

}  // namespace tq::host
