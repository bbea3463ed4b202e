// Reading and writing the Import application's result file (its layout is
// in import_result/layout.h) to and from bytes. Either record kind reads
// into EntryRecords: a name-and-number record starts from DefaultEntryRecord
// and fills the name and the fax number, so its communication settings are
// the defaults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "common/entry_record.h"
#include "import_result/layout.h"

namespace tq {

struct ImportReadResult {
  std::vector<EntryRecord> records;
  // The file ended before the count it announces was reached (or inside
  // the count itself); `records` holds the whole records that were there.
  bool truncated = false;
};

// Reads at most the records the bytes hold: a negative count reads none, a
// count beyond the records present reads those that are whole, and nothing
// after the last announced record is looked at.
ImportReadResult ReadImportResult(std::span<const std::uint8_t> bytes, ImportForm form, ImportRecordKind kind);

// The file's bytes for `records`. A name-and-number record takes the name
// and the fax number; the model P form's speed-dial record takes every field
// it has. The model P count holds at most 65535 records; more are left out.
std::vector<std::uint8_t> WriteImportResult(std::span<const EntryRecord> records, ImportForm form,
                                            ImportRecordKind kind);

// A name-and-number record's bytes at `at`: the name and the fax number
// cut as their slots cut them, the rest of each slot zero.
void WriteNameNumberRecord(std::string_view name, std::string_view faxNumber, std::uint8_t* at);

// The conversions between the model P speed-dial record and the entry
// record. A destination count is kept within 0..20, the ids a record has
// room for.
EntryRecord EntryFromSpeedDialP(const SpeedDialRecordP& record);
SpeedDialRecordP SpeedDialPFromEntry(const EntryRecord& entry);

}  // namespace tq
