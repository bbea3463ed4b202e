// The one spooler call the plug-ins make: GetPrinterW at level 2, for the
// printer's name and port. A printer handle here is made by the host
// stand-in, which knows the printer it prints to.
#pragma once

#include "win/kernel.h"

inline constexpr DWORD ERROR_INVALID_LEVEL = 124;

struct PRINTER_INFO_2W {
  LPWSTR pServerName;
  LPWSTR pPrinterName;
  LPWSTR pShareName;
  LPWSTR pPortName;
  LPWSTR pDriverName;
  LPWSTR pComment;
  LPWSTR pLocation;
  void* pDevMode;
  LPWSTR pSepFile;
  LPWSTR pPrintProcessor;
  LPWSTR pDatatype;
  LPWSTR pParameters;
  void* pSecurityDescriptor;
  DWORD Attributes;
  DWORD Priority;
  DWORD DefaultPriority;
  DWORD StartTime;
  DWORD UntilTime;
  DWORD Status;
  DWORD cJobs;
  DWORD AveragePPM;
};

// Level 2 only (else ERROR_INVALID_LEVEL). The record and its texts go into
// `buffer`; when `size` is too small, *needed gets the size and the call
// fails with ERROR_INSUFFICIENT_BUFFER, as on Windows. Texts the printer
// lacks are null.
extern "C" BOOL GetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed);

namespace tq::gdi {

// A printer handle answering GetPrinterW with these names; the texts are
// copied. Deleted by DeletePrinterHandle.
HANDLE CreatePrinterHandle(const char16_t* printerName, const char16_t* portName);
void DeletePrinterHandle(HANDLE printer);

}  // namespace tq::gdi
