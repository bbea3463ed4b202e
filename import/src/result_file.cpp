#include "result_file.h"

#include <cstring>

#include "common/ansi_slots.h"
#include "common/byte_order.h"
#include "import_run.h"
#include "win/file_replace.h"

namespace tq::import {
namespace {

void AppendCount(std::string& bytes, std::size_t count) {
  bytes.resize(bytes.size() + 4);
  WriteInt32(bytes.data() + bytes.size() - 4, 0, static_cast<std::int32_t>(count));
}

}  // namespace

std::string NameNumberResultBytes(const std::vector<std::u16string>& candidates) {
  std::string bytes;
  bytes.reserve(4 + candidates.size() * kNameNumberRecordSize);
  AppendCount(bytes, candidates.size());
  for (const std::u16string& candidate : candidates) {
    const NameAndNumber parts = SplitCandidate(candidate);
    char record[kNameNumberRecordSize] = {};
    WideToAnsiSlot(parts.name, record, kNameSize);
    WideToAnsiSlot(parts.faxNumber, record + kNameSize, kFaxNumberSize);
    bytes.append(record, sizeof record);
  }
  return bytes;
}

std::string EntryRecordResultBytes(const std::vector<EntryRecord>& records) {
  std::string bytes;
  bytes.reserve(4 + records.size() * sizeof(EntryRecord));
  AppendCount(bytes, records.size());
  for (const EntryRecord& record : records) {
    char raw[sizeof(EntryRecord)];
    std::memcpy(raw, &record, sizeof raw);
    bytes.append(raw, sizeof raw);
  }
  return bytes;
}

DWORD WriteResultFile(std::u16string_view path, std::string_view bytes) {
  FileReplaceOptions options;
  options.ownerOnly = true;
  return ReplaceFileContents(path, bytes, options);
}

}  // namespace tq::import
