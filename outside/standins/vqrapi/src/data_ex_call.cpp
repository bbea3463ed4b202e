// VqrSetVqrDataEx, left out of the build that stands in for a client library
// of the older data format.
#include <cstring>

#include "announcement_json.h"
#include "stand_in_calls.h"
#include "win/export.h"

using namespace tq::vqrapi;
using tq::monitor::VqrHandle;

TQ_EXPORT std::int32_t VqrSetVqrDataEx(VqrHandle handle, const void* data) {
  NoteCall("VqrSetVqrDataEx");
  if (!Known(handle) || data == nullptr || Failing("data")) return 0;
  tq::monitor::Announcement announcement;
  std::memcpy(&announcement, data, sizeof announcement);
  AppendLine("announcements.jsonl", AnnouncementToJson(announcement));
  return 1;
}
