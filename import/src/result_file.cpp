#include "result_file.h"

#include "common/ansi_slots.h"
#include "common/import_result_io.h"
#include "import_run.h"
#include "win/file_replace.h"

namespace tq::import {

// Both models write the common form: the plug-in reads only that one.
std::string NameNumberResultBytes(const std::vector<std::u16string>& candidates) {
  std::vector<EntryRecord> records;
  records.reserve(candidates.size());
  for (const std::u16string& candidate : candidates) {
    const NameAndNumber parts = SplitCandidate(candidate);
    EntryRecord& record = records.emplace_back(DefaultEntryRecord);
    WideToAnsiSlot(parts.name, record.name);
    WideToAnsiSlot(parts.faxNumber, record.faxNumber);
  }
  const auto bytes = WriteImportResult(records, ImportForm::Common, ImportRecordKind::NameNumber);
  return std::string(bytes.begin(), bytes.end());
}

std::string EntryRecordResultBytes(const std::vector<EntryRecord>& records) {
  const auto bytes = WriteImportResult(records, ImportForm::Common, ImportRecordKind::Entry);
  return std::string(bytes.begin(), bytes.end());
}

DWORD WriteResultFile(std::u16string_view path, std::string_view bytes) {
  FileReplaceOptions options;
  options.ownerOnly = true;
  return ReplaceFileContents(path, bytes, options);
}

}  // namespace tq::import
