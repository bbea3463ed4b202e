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

// The count, then the `total` records of `kind` that `write(i, at)` puts
// at `at`, a slice at a time. Both models write the common form: the
// plug-in reads only that one.
template <class Write>
DWORD WriteRecords(std::u16string_view path, std::size_t total, ImportRecordKind kind, Write write) {
  const std::size_t count =
      std::min<std::size_t>(total, static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()));
  const std::size_t recordSize = ImportRecordSize(ImportForm::Common, kind);
  FileReplaceOptions options;
  options.ownerOnly = true;
  // A hand-off the launcher reads as soon as the import ends, not a file
  // kept: a crash loses the waiting launcher with it, so flushing it to
  // disk would only delay the answer.
  options.durable = false;
  return ReplaceFileWith(
      path,
      [&](HANDLE file) {
        std::vector<std::uint8_t> bytes(ImportCountSize(ImportForm::Common) + std::min(count, kSlice) * recordSize);
        const auto announced = static_cast<std::int32_t>(count);
        std::memcpy(bytes.data(), &announced, sizeof announced);
        std::size_t used = sizeof announced;
        auto flush = [&] { return WriteAllBytes(file, {reinterpret_cast<const char*>(bytes.data()), used}); };
        for (std::size_t i = 0; i < count; ++i) {
          if (used + recordSize > bytes.size()) {
            if (!flush()) return false;
            used = 0;
          }
          write(i, bytes.data() + used);
          used += recordSize;
        }
        return flush();
      },
      options);
}

}  // namespace

DWORD WriteNameNumberResult(std::u16string_view path, const RecordKeyList& entries) {
  return WriteRecords(path, entries.Count(), ImportRecordKind::NameNumber, [&](std::size_t i, std::uint8_t* at) {
    WriteNameNumberRecord(entries.Name(i), entries.FaxNumber(i), at);
  });
}

DWORD WriteEntryRecordResult(std::u16string_view path, std::span<const EntryRecord> records) {
  return WriteRecords(path, records.size(), ImportRecordKind::Entry,
                      [&](std::size_t i, std::uint8_t* at) { std::memcpy(at, &records[i], sizeof records[i]); });
}

}  // namespace tq::import
