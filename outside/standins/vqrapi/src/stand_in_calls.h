// What every call of the stand-in does besides its own work: noting itself
// in calls.log, appending to the monitor's records, failing when a test
// asked it to, and checking the connection handle.
#pragma once

#include <cstdint>
#include <string>

#include "common/monitor_announcement.h"

namespace tq::vqrapi {

void AppendLine(const char* file, const std::string& line);
void NoteCall(const char* name);
// Whether a test asked calls of this kind ("initialize", "data") to fail.
bool Failing(const char* what);
// 1 for the one connection this stand-in hands out, else 0.
int Known(tq::monitor::VqrHandle handle);

}  // namespace tq::vqrapi
