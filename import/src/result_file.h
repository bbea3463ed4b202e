// Writing the import result file that the launching dialog reads
// (import/result_form.h, whose layout the reader shares). Both models write
// this one form, because the plug-in of either model reads only it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/entry_record.h"
#include "import/result_form.h"
#include "win/types.h"

namespace tq::import {

std::string NameNumberResultBytes(const std::vector<std::u16string>& candidates);
std::string EntryRecordResultBytes(const std::vector<EntryRecord>& records);

// Writes the file: readable by the user alone, replacing a file of the same
// name (an import started in the same second) and never following a link.
// ERROR_SUCCESS or the error of the write.
DWORD WriteResultFile(std::u16string_view path, std::string_view bytes);

}  // namespace tq::import
