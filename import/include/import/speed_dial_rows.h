// The speed-dial list the device exports as CSV: its header, its rows and
// the device's encodings of the secure mailbox, the relay broadcast and the
// F code, turned into complete entry records.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/entry_record.h"
#include "import/csv_split.h"

namespace tq::import {

// One valid row, kept until the user has chosen.
struct SpeedDialEntry {
  EntryRecord record;  // name, fax number and transmission mode index
  std::string number;  // speed-dial number, trimmed
  std::string mode;    // columns 6, 11, 12 and 14 as they stand in the file
  std::string mailbox;
  std::string relay;
  std::string fCode;
};

struct SpeedDialList {
  std::vector<SpeedDialEntry> entries;
  int rejected = 0;
};

// The header: "*" exactly, then "1", "0", "1" each after trimming.
bool IsSpeedDialHeader(const std::vector<std::string_view>& fields);

// The rows of a split file: 0, kUnclosedQuote or kBadSpeedDialHeader.
int ReadSpeedDialRows(const CsvFile& file, SpeedDialList& list);

// Column 6: 2 and 3 give index 1, 4 gives 2, anything else 0.
std::int32_t TransmissionModeIndex(std::string_view text);

// Letters turned 13 places within their case, then Base64 (RFC 4648);
// empty when the text is not Base64.
std::string DecodeDeviceText(std::string_view text);

// Each sets its fields of `record` and says whether the setting is valid.
bool ApplyMailbox(std::string_view encoded, EntryRecord& record);
bool ApplyRelay(std::string_view text, EntryRecord& record);
void ApplyFCode(std::string_view encoded, EntryRecord& record);

// The record as it is handed back: relay, mailbox and F code from the kept
// texts, and the send mode they decide.
EntryRecord CompleteRecord(const SpeedDialEntry& entry);

}  // namespace tq::import
