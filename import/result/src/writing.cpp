#include "import_result/result_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "common/ansi_slots.h"
#include "import_result/codec.h"
#include "win/file_replace.h"

namespace tq::import {
namespace {

constexpr std::size_t kSlice = 4096;  // records converted and written at a time

// The count, then the `total` records `entryAt(i)` gives, a slice at a
// time. Both models write the common form: the plug-in reads only that one.
template <class EntryAt>
DWORD WriteRecords(std::u16string_view path, std::size_t total, ImportRecordKind kind, EntryAt entryAt) {
  const std::size_t count =
      std::min<std::size_t>(total, static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()));
  FileReplaceOptions options;
  options.ownerOnly = true;
  // A hand-off the launcher reads as soon as the import ends, not a file
  // kept: a crash loses the waiting launcher with it, so flushing it to
  // disk would only delay the answer.
  options.durable = false;
  return ReplaceFileWith(
      path,
      [&](HANDLE file) {
        std::vector<EntryRecord> slice;
        slice.reserve(std::min(count, kSlice));
        bool countWritten = false;
        for (std::size_t first = 0; first < count || !countWritten; first += kSlice) {
          slice.clear();
          for (std::size_t i = first; i < std::min(count, first + kSlice); ++i) slice.push_back(entryAt(i));
          std::vector<std::uint8_t> bytes = WriteImportResult(slice, ImportForm::Common, kind);
          std::size_t skip = ImportCountSize(ImportForm::Common);
          if (!countWritten) {
            const auto total = static_cast<std::int32_t>(count);
            std::memcpy(bytes.data(), &total, sizeof total);
            skip = 0;
            countWritten = true;
          }
          if (!WriteAllBytes(file, std::string_view(reinterpret_cast<const char*>(bytes.data()) + skip,
                                                    bytes.size() - skip))) {
            return false;
          }
        }
        return true;
      },
      options);
}

}  // namespace

DWORD WriteNameNumberResult(std::u16string_view path, const RecordKeyList& entries) {
  return WriteRecords(path, entries.Count(), ImportRecordKind::NameNumber, [&](std::size_t i) {
    EntryRecord record = DefaultEntryRecord;
    CopyToAnsiSlot(record.name, entries.Name(i));
    CopyToAnsiSlot(record.faxNumber, entries.FaxNumber(i));
    return record;
  });
}

DWORD WriteEntryRecordResult(std::u16string_view path, std::span<const EntryRecord> records) {
  return WriteRecords(path, records.size(), ImportRecordKind::Entry, [&](std::size_t i) { return records[i]; });
}

}  // namespace tq::import
