#include "faxrender/time_text.h"

#include "faxrender/formatter.h"

namespace tq::render {

int FormatTimeString(char* destination, std::size_t size, int hour, int minute, int second) {
  return FormatText(destination, size, "Time %d:%d%d:%d%d", hour, minute / 10, minute % 10,
                    second / 10, second % 10);
}

}  // namespace tq::render
