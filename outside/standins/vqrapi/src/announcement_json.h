// The stand-in's decoding of the data a job hands over: one JSON object per
// announcement, a field for each slot of the record, texts turned from the
// ANSI code page into UTF-8.
#pragma once

#include <string>

#include "common/monitor_announcement.h"

namespace tq::vqrapi {

// The 1412-byte announcement of the extended data call.
std::string AnnouncementToJson(const monitor::Announcement& announcement);

// The older format: its header and `count` records after it. `size` is the
// number of readable bytes at `data`; records past it are left out and the
// object says so ("truncated": true).
std::string OldFormatToJson(const void* data, std::size_t size);

}  // namespace tq::vqrapi
