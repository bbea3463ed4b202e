// The monitor announcement decoder on arbitrary bytes: the first byte picks
// the format, the rest is the block (an extended announcement is padded
// with zeros to its 1412 bytes; an older block is read as long as it is).
// Whatever the bytes, the JSON holds no raw control character, so that each
// announcement stays one line of the announcements file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "announcement_json.h"

namespace {

void CheckOneLine(const std::string& json) {
  for (unsigned char c : json) {
    if (c < 0x20) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool extended = (data[0] & 1) != 0;
  ++data;
  --size;
  if (extended) {
    tq::monitor::Announcement announcement{};
    std::memcpy(&announcement, data, size < sizeof announcement ? size : sizeof announcement);
    CheckOneLine(tq::vqrapi::AnnouncementToJson(announcement));
  } else {
    CheckOneLine(tq::vqrapi::OldFormatToJson(size == 0 ? nullptr : data, size));
  }
  return 0;
}
