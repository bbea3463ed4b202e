#include "do_time_string.h"

#include "faxrender/time_text.h"
#include "win/gdi.h"

namespace tq::render {

int DoTimeString(char* destination, std::size_t size) {
  ENG_TIME_FIELDS now{};
  EngQueryLocalTime(&now);
  return FormatTimeString(destination, size, now.usHour, now.usMinute, now.usSecond);
}

}  // namespace tq::render
