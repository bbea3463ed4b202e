// Writing the import result file that the launching dialog reads
// (import/result_form.h, whose layout the reader shares). Both models write
// this one form, because the plug-in of either model reads only it.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "common/entry_record.h"
#include "common/record_key.h"
#include "import/result_form.h"
#include "win/types.h"

namespace tq::import {

// Write the file: readable by the user alone, replacing a file of the same
// name (an import started in the same second) and never following a link.
// The records go out a slice at a time, so the whole file is never held.
// ERROR_SUCCESS or the error of the write.
DWORD WriteNameNumberResult(std::u16string_view path, std::span<const AnsiRecordKey> candidates);
DWORD WriteEntryRecordResult(std::u16string_view path, std::span<const EntryRecord> records);

}  // namespace tq::import
