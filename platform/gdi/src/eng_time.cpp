#include "win/gdi.h"

extern "C" void EngQueryLocalTime(ENG_TIME_FIELDS* time) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  time->usYear = now.wYear;
  time->usMonth = now.wMonth;
  time->usDay = now.wDay;
  time->usHour = now.wHour;
  time->usMinute = now.wMinute;
  time->usSecond = now.wSecond;
  time->usMilliseconds = now.wMilliseconds;
  time->usWeekday = now.wDayOfWeek;
}
