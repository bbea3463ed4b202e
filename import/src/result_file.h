// The import result file that the launching dialog reads: a 32-bit count
// and the records. Both models write this one form, because the plug-in of
// either model reads only it. Name-and-number records are the first 62
// bytes of an entry record; speed-dial entries are whole entry records.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/entry_record.h"
#include "win/types.h"

namespace tq::import {

inline constexpr std::size_t kNameNumberRecordSize = 62;

std::string NameNumberResultBytes(const std::vector<std::u16string>& candidates);
std::string EntryRecordResultBytes(const std::vector<EntryRecord>& records);

// Writes the file: readable by the user alone, replacing a file of the same
// name (an import started in the same second) and never following a link.
// ERROR_SUCCESS or the error of the write.
DWORD WriteResultFile(std::u16string_view path, std::string_view bytes);

}  // namespace tq::import
