// Reading and writing a job's HostSettingsBlock through the printer escapes
// on the job's device context: 15002 gives the size, 15000 the copy, 15001
// hands the whole block back.
#pragma once

#include <vector>

#include "win/types.h"

namespace tq::faxui {

// A zero-filled buffer of the size 15002 answers, filled by 15000; empty
// when either escape fails.
std::vector<unsigned char> ReadJobSettings(HDC dc);

// Hands the block back (15001); false when the host refused it.
bool WriteJobSettings(HDC dc, std::vector<unsigned char>& settings);

}  // namespace tq::faxui
