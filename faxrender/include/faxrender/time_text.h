// The time text of the job start and end comments: "Time 9:05:07".
#pragma once

#include <cstddef>

namespace tq::render {

// Room for the time text of any hour, minute and second values.
inline constexpr std::size_t kTimeTextSize = 40;

// Writes "Time H:MM:SS" (hour unpadded) into destination; returns its length.
int FormatTimeString(char* destination, std::size_t size, int hour, int minute, int second);

// Where the job writer gets the current local time text from: writes it into
// destination (size bytes) and returns its length. The plug-in's is
// DoTimeString over the graphics engine's clock; tests give a fixed time.
using TimeStringSource = int (*)(char* destination, std::size_t size);

}  // namespace tq::render
