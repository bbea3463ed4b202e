#include <cstdint>
#include <cstring>
#include <string>

#include "win/winspool.h"

namespace {

constexpr std::uint32_t kPrinterMagic = 0x50524E54;  // tells a printer handle from any other pointer

struct Printer {
  std::uint32_t magic = kPrinterMagic;
  std::u16string name;
  std::u16string port;
};

Printer* FromHandle(HANDLE handle) {
  auto* printer = static_cast<Printer*>(handle);
  return printer != nullptr && printer->magic == kPrinterMagic ? printer : nullptr;
}

// Places `text` at `at` inside the buffer and returns where it went.
LPWSTR Place(LPBYTE buffer, std::size_t& at, const std::u16string& text) {
  auto* place = reinterpret_cast<LPWSTR>(buffer + at);
  std::memcpy(place, text.c_str(), (text.size() + 1) * sizeof(char16_t));
  at += (text.size() + 1) * sizeof(char16_t);
  return place;
}

}  // namespace

namespace tq::gdi {

HANDLE CreatePrinterHandle(const char16_t* printerName, const char16_t* portName) {
  auto* printer = new Printer;
  printer->name = printerName != nullptr ? printerName : u"";
  printer->port = portName != nullptr ? portName : u"";
  return printer;
}

void DeletePrinterHandle(HANDLE printer) {
  if (Printer* known = FromHandle(printer)) {
    known->magic = 0;
    delete known;
  }
}

}  // namespace tq::gdi

extern "C" BOOL GetPrinterW(HANDLE handle, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed) {
  const Printer* printer = FromHandle(handle);
  if (printer == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (level != 2) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  const std::size_t whole =
      sizeof(PRINTER_INFO_2W) + (printer->name.size() + 1 + printer->port.size() + 1) * sizeof(char16_t);
  if (needed != nullptr) *needed = static_cast<DWORD>(whole);
  if (buffer == nullptr || size < whole) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  PRINTER_INFO_2W info{};
  std::size_t at = sizeof info;
  info.pPrinterName = Place(buffer, at, printer->name);
  info.pPortName = Place(buffer, at, printer->port);
  std::memcpy(buffer, &info, sizeof info);
  return TRUE;
}
