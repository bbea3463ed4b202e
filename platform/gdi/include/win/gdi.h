// The few GDI calls the plug-ins make: printer escapes and AbortDoc on the
// job's device context, and the graphics engine's local time.
//
// A device context here is made by the host stand-in, which answers the
// escapes and the abort through the callbacks it gives.
#pragma once

#include "win/kernel.h"

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
