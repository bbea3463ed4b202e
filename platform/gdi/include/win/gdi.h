// The few GDI calls the plug-ins make: printer escapes and AbortDoc on the
// job's device context, and the graphics engine's local time.
//
// A device context here is made by the host stand-in, which answers the
// escapes and the abort through the callbacks it gives.
#pragma once

#include "win/kernel.h"

// What StartDocW is given; the document-event hook receives a pointer to a
// pointer to it at DOCUMENTEVENT_STARTDOC.
struct DOCINFOW {
  int cbSize;
  LPCWSTR lpszDocName;
  LPCWSTR lpszOutput;
  LPCWSTR lpszDatatype;
  DWORD fwType;
};

// Document events a printer driver forwards to its document-event hook.
inline constexpr int DOCUMENTEVENT_CREATEDCPRE = 1;
inline constexpr int DOCUMENTEVENT_CREATEDCPOST = 2;
inline constexpr int DOCUMENTEVENT_RESETDCPRE = 3;
inline constexpr int DOCUMENTEVENT_RESETDCPOST = 4;
inline constexpr int DOCUMENTEVENT_STARTDOC = 5;
inline constexpr int DOCUMENTEVENT_STARTPAGE = 6;
inline constexpr int DOCUMENTEVENT_ENDPAGE = 7;
inline constexpr int DOCUMENTEVENT_ENDDOC = 8;
inline constexpr int DOCUMENTEVENT_ABORTDOC = 9;
inline constexpr int DOCUMENTEVENT_DELETEDC = 10;

extern "C" int ExtEscape(HDC dc, int escape, int inSize, LPCSTR in, int outSize, LPSTR out);
extern "C" int AbortDoc(HDC dc);

// The graphics engine's time fields (all 16-bit, as the engine gives them).
struct ENG_TIME_FIELDS {
  WORD usYear;
  WORD usMonth;
  WORD usDay;
  WORD usHour;
  WORD usMinute;
  WORD usSecond;
  WORD usMilliseconds;
  WORD usWeekday;
};
extern "C" void EngQueryLocalTime(ENG_TIME_FIELDS* time);

namespace tq::gdi {

// What a device context does; the host stand-in fills it.
struct DeviceContextHandler {
  // Answers ExtEscape; the result is what ExtEscape returns.
  virtual int Escape(int escape, int inSize, const char* in, int outSize, char* out) = 0;
  // Answers AbortDoc; a positive result means success.
  virtual int Abort() = 0;

 protected:
  ~DeviceContextHandler() = default;
};

// A device context answered by `handler`, which must outlive it.
HDC CreateDeviceContext(DeviceContextHandler* handler);
void DeleteDeviceContext(HDC dc);

}  // namespace tq::gdi
