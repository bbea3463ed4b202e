// Taking the import result file back (its layout is common/import_result.h,
// in the common form that both models write): which of the two record kinds
// the file holds is told by the command that announces it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "common/entry_record.h"

namespace tq::import {

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
// reads the whole records that are there, never past the end.
TakenResult TakeResultFile(std::u16string_view path, ResultRecords form);

}  // namespace tq::import
