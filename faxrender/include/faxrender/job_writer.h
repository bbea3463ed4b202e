// What the write hook writes into the job's print stream for each event:
// 0 job start, 1 job settings (hold settings, fax lines, copies), 2 and 3
// job end. Every text is built in storage of the call itself, so jobs
// rendered at the same time by one loaded module never share a buffer.
#pragma once

#include <cstdint>

#include "common/addon_table.h"
#include "common/fax_job_settings.h"
#include "faxrender/time_text.h"

namespace tq::render {

inline constexpr std::int32_t kEventJobStart = 0;
inline constexpr std::int32_t kEventJobSettings = 1;
inline constexpr std::int32_t kEventJobEnd = 2;
inline constexpr std::int32_t kEventJobEndLast = 3;

// Bytes used from the output object's document name for a job name.
inline constexpr std::size_t kJobNameLength = 24;

// The write hook's work, with the time text taken from `timeString`.
// Does nothing for an identifier other than 1388, an event outside 0 to 3,
// a set flag at events 0 and 1, a device without the fax add-on or a
// missing output object; events 0 and 1 also need the settings block and
// the options block.
void WriteJobEvent(DeviceObject* device, OutputObject* output, void* settings,
                   std::int32_t addOnId, std::int32_t event, std::int32_t flag,
                   const FaxOptionsBlock* options, TimeStringSource timeString);

// Whether the copies line is written for this job (never for a fax job).
bool CopiesLineWanted(const void* settings);

}  // namespace tq::render
