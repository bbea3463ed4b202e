#include "import_result/codec.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "common/ansi_slots.h"

namespace tq {

namespace {

template <typename Field>
void CopyField(Field& to, const Field& from) {
  static_assert(sizeof to == sizeof from);
  std::memcpy(&to, &from, sizeof to);
}

// The same text slot in two records of different sizes: as much as fits.
template <std::size_t To, std::size_t From>
void CopySlot(char (&to)[To], const char (&from)[From]) {
  std::memcpy(to, from, std::min(To, From));
}

std::int32_t BoundedDestinationCount(std::int64_t count) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(count, 0, kMaxDestinations));
}

// The announced count, or -1 when the bytes end inside it.
std::int64_t ReadCount(std::span<const std::uint8_t> bytes, ImportForm form) {
  if (form == ImportForm::Common) {
    std::int32_t count;
    if (bytes.size() < sizeof count) return -1;
    std::memcpy(&count, bytes.data(), sizeof count);
    return count;
  }
  std::uint16_t count;
  if (bytes.size() < sizeof count) return -1;
  std::memcpy(&count, bytes.data(), sizeof count);
  return count;
}

EntryRecord ReadRecord(const std::uint8_t* at, ImportForm form, ImportRecordKind kind) {
  if (kind == ImportRecordKind::NameNumber) {
    NameNumberRecord names;
    std::memcpy(&names, at, sizeof names);
    EntryRecord entry = DefaultEntryRecord;
    CopySlot(entry.name, names.name);
    CopySlot(entry.faxNumber, names.faxNumber);
    return entry;
  }
  if (form == ImportForm::Common) {
    EntryRecord entry;
    std::memcpy(&entry, at, sizeof entry);
    return entry;
  }
  SpeedDialRecordP record;
  std::memcpy(&record, at, sizeof record);
  return EntryFromSpeedDialP(record);
}

void WriteRecord(const EntryRecord& entry, ImportForm form, ImportRecordKind kind, std::uint8_t* at) {
  if (kind == ImportRecordKind::NameNumber) {
    NameNumberRecord names{};
    CopySlot(names.name, entry.name);
    CopySlot(names.faxNumber, entry.faxNumber);
    std::memcpy(at, &names, sizeof names);
  } else if (form == ImportForm::Common) {
    std::memcpy(at, &entry, sizeof entry);
  } else {
    const SpeedDialRecordP record = SpeedDialPFromEntry(entry);
    std::memcpy(at, &record, sizeof record);
  }
}

}  // namespace

void WriteNameNumberRecord(std::string_view name, std::string_view faxNumber, std::uint8_t* at) {
  NameNumberRecord names;
  CopyToAnsiSlot(names.name, name);
  CopyToAnsiSlot(names.faxNumber, faxNumber);
  std::memcpy(at, &names, sizeof names);
}

EntryRecord EntryFromSpeedDialP(const SpeedDialRecordP& record) {
  EntryRecord entry{};
  CopySlot(entry.name, record.name);
  CopySlot(entry.faxNumber, record.faxNumber);
  entry.transmissionMode = record.transmissionMode;
  entry.sendMode = record.sendMode;
  CopySlot(entry.mailboxId, record.mailboxId);
  CopySlot(entry.mailboxPassword, record.mailboxPassword);
  CopySlot(entry.relayTerminalId, record.relayTerminalId);
  entry.printOnRelay = record.printOnRelay;
  entry.destinationCount = BoundedDestinationCount(record.destinationCount);
  CopyField(entry.destinationIds, record.destinationIds);
  CopySlot(entry.fCode, record.fCode);
  CopySlot(entry.fCodePassword, record.fCodePassword);
  return entry;
}

SpeedDialRecordP SpeedDialPFromEntry(const EntryRecord& entry) {
  SpeedDialRecordP record{};
  CopySlot(record.name, entry.name);
  CopySlot(record.faxNumber, entry.faxNumber);
  record.transmissionMode = static_cast<std::uint16_t>(entry.transmissionMode);
  record.sendMode = entry.sendMode;
  CopySlot(record.mailboxId, entry.mailboxId);
  // The model P slot has room for the four digits and the terminator only.
  CopySlot(record.mailboxPassword, entry.mailboxPassword);
  record.mailboxPassword[sizeof record.mailboxPassword - 1] = '\0';
  CopySlot(record.relayTerminalId, entry.relayTerminalId);
  record.printOnRelay = entry.printOnRelay;
  record.destinationCount = static_cast<std::uint16_t>(BoundedDestinationCount(entry.destinationCount));
  CopyField(record.destinationIds, entry.destinationIds);
  CopySlot(record.fCode, entry.fCode);
  CopySlot(record.fCodePassword, entry.fCodePassword);
  return record;
}

ImportReadResult ReadImportResult(std::span<const std::uint8_t> bytes, ImportForm form, ImportRecordKind kind) {
  ImportReadResult result;
  const std::size_t countSize = ImportCountSize(form);
  const std::int64_t count = ReadCount(bytes, form);
  if (count < 0) {
    result.truncated = bytes.size() < countSize;
    return result;
  }
  const std::size_t recordSize = ImportRecordSize(form, kind);
  const std::size_t present = (bytes.size() - countSize) / recordSize;
  const std::size_t wanted = static_cast<std::size_t>(count);
  result.truncated = present < wanted;
  const std::size_t take = std::min(present, wanted);
  result.records.reserve(take);
  for (std::size_t i = 0; i < take; ++i) {
    result.records.push_back(ReadRecord(bytes.data() + countSize + i * recordSize, form, kind));
  }
  return result;
}

std::vector<std::uint8_t> WriteImportResult(std::span<const EntryRecord> records, ImportForm form,
                                            ImportRecordKind kind) {
  const std::size_t countSize = ImportCountSize(form);
  const std::size_t limit = form == ImportForm::Common
                                ? static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())
                                : std::numeric_limits<std::uint16_t>::max();
  const std::size_t count = std::min(records.size(), limit);
  const std::size_t recordSize = ImportRecordSize(form, kind);
  std::vector<std::uint8_t> bytes(countSize + count * recordSize);
  if (form == ImportForm::Common) {
    const auto value = static_cast<std::int32_t>(count);
    std::memcpy(bytes.data(), &value, sizeof value);
  } else {
    const auto value = static_cast<std::uint16_t>(count);
    std::memcpy(bytes.data(), &value, sizeof value);
  }
  for (std::size_t i = 0; i < count; ++i) {
    WriteRecord(records[i], form, kind, bytes.data() + countSize + i * recordSize);
  }
  return bytes;
}

}  // namespace tq
