// The import result file: written by the Import application, taken back
// by the plug-in's dialog that started it. Its layout is
// import_result/layout.h, in the common form that both models write and
// the plug-in of either model reads; which of the two record kinds the file
// holds is told by the command that announces it.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "common/entry_record.h"
#include "common/record_key_list.h"
#include "win/types.h"

namespace tq::import {

// Write the file: readable by the user alone, replacing a file of the same
// name (an import started in the same second) and never following a link.
// The records go out a slice at a time, so the whole file is never held.
// ERROR_SUCCESS or the error of the write.
DWORD WriteNameNumberResult(std::u16string_view path, const RecordKeyList& entries);
DWORD WriteEntryRecordResult(std::u16string_view path, std::span<const EntryRecord> records);

enum class ResultRecords { NamesAndNumbers, EntryRecords };

struct TakenResult {
  enum class Status {
    Missing,  // no file: the import was cancelled or failed
    Refused,  // a link, not a plain file, or not the user's own
    Read,
  };
  Status status = Status::Missing;
  // Name-and-number records start from the default entry record. Every
  // text slot ends with its terminator, the destination count is kept to
  // 0..20 and the speed-dial flag is 0, whatever the file held.
  std::vector<EntryRecord> records;
};

// Reads the file at `path` and deletes it, whatever was in it. A count
// below zero reads nothing; a count beyond the records the file holds
// reads the whole records that are there, never past the end. What is
// allocated is what the file holds.
TakenResult TakeResultFile(std::u16string_view path, ResultRecords form);

}  // namespace tq::import
