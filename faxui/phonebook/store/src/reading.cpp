#include "phonebook/reading.h"

#include <algorithm>
#include <cstring>

#include "common/ansi_slots.h"
#include "line_part.h"
#include "phonebook_file.h"
#include "win/kernel.h"

namespace tq::phonebook {

namespace {

char LowerAscii(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char>(c - u'A' + 'a') : static_cast<char>(c);
}

ReadOutcome Failure(StoreResult result, ReadProblem problem) {
  ReadOutcome outcome;
  outcome.result = result;
  outcome.problem = problem;
  return outcome;
}

// Opens the phonebook for a whole-file read and checks it as validation
// does; on success the file is positioned after the magic.
ReadOutcome OpenForReading(std::u16string_view path, FileHandle& file, std::uint64_t& size) {
  file = OpenExclusive(path);
  if (!file.valid()) return Failure(StoreResult::CannotOpen, ReadProblem::CannotOpen);
  std::optional<std::uint64_t> known = SizeOf(file.get());
  if (!known) return Failure(StoreResult::CannotOpen, ReadProblem::CannotAccess);
  size = *known;
  if (size == 0) return Failure(StoreResult::BadFormat, ReadProblem::BadFormat);
  StoreResult version = CheckVersion(file.get());
  if (version != StoreResult::Ok) return Failure(version, ReadProblem::BadFormat);
  return {};
}

ReadOutcome StreamFailure(RecordStream::Piece piece) {
  if (piece == RecordStream::Piece::TooLarge) return Failure(StoreResult::NoMemory, ReadProblem::RecordTooLarge);
  return Failure(StoreResult::CannotOpen, ReadProblem::CannotAccess);
}

}  // namespace

bool EndsInAfd(std::u16string_view path) {
  if (path.size() < 5) return false;
  std::u16string_view tail = path.substr(path.size() - 4);
  return tail[0] == u'.' && LowerAscii(tail[1]) == 'a' && LowerAscii(tail[2]) == 'f' &&
         LowerAscii(tail[3]) == 'd';
}

StoreResult CheckVersion(HANDLE file) {
  char magic[kMagicLength];
  std::size_t read = 0;
  if (!ReadFull(file, magic, sizeof magic, read)) return StoreResult::BadFormat;
  return CheckMagic(std::string_view(magic, read));
}

StoreResult CheckVersion(std::u16string_view path) {
  if (!EndsInAfd(path)) return StoreResult::BadFormat;
  FileHandle file = OpenExclusive(path);
  if (!file.valid()) return StoreResult::CannotOpen;
  return CheckVersion(file.get());
}

ReadOutcome ValidatePhonebook(std::u16string_view path) {
  FileHandle file;
  std::uint64_t size = 0;
  return OpenForReading(path, file, size);
}

namespace {

// The walk behind ForEachRecord, with the visitor inlined: listing calls it
// once per record of files of a hundred thousand records.
template <typename Visit>
ReadOutcome WalkRecords(std::u16string_view path, Visit&& visit) {
  FileHandle file;
  std::uint64_t size = 0;
  ReadOutcome outcome = OpenForReading(path, file, size);
  if (!outcome.ok()) return outcome;
  std::unique_ptr<char[]> buffer = AllocateReadBuffer();
  if (!buffer) return Failure(StoreResult::NoMemory, ReadProblem::NoBuffer);

  RecordStream stream(file.get(), size, kMagicLength, buffer.get());
  for (;;) {
    if (!stream.VisitInBuffer(visit)) break;
    std::string_view bytes;
    RecordType type = RecordType::Individual;
    RecordStream::Piece piece = stream.Next(bytes, type);
    if (piece == RecordStream::Piece::Gap) continue;
    if (piece == RecordStream::Piece::End) break;
    if (piece != RecordStream::Piece::Record) return StreamFailure(piece);
    if (!visit(type, bytes)) break;
  }
  outcome.incompleteEnd = stream.incompleteEnd();
  return outcome;
}

}  // namespace

ReadOutcome ForEachRecord(std::u16string_view path, const RecordVisitor& visit) {
  return WalkRecords(path, visit);
}

ReadOutcome ListRecords(std::u16string_view path, const LineVisitor& add) {
  // "[name]" or "name <fax>", each part at most 30 units; one line buffer for
  // the whole file, so listing makes no allocation per record.
  char16_t line[kIndividualLineRoom];
  return WalkRecords(path, [&](RecordType type, std::string_view record) {
    // Records come from their start byte to their end byte.
    std::string_view body = record.substr(1, record.size() - 2);
    std::size_t units = 0;
    std::size_t length = 0;
    if (type == RecordType::Group) {
      line[length++] = kLineGroupOpen;
      WidenLinePart(body, line + length, units);
      length += units;
      line[length++] = kLineGroupClose;
    } else {
      length = IndividualLine(body, line);
    }
    add(type, std::u16string_view(line, length));
    return true;
  });
}

StoreResult ReadEntry(std::u16string_view path, std::u16string_view line, PhonebookEntry& working) {
  if (!EndsInAfd(path)) return StoreResult::BadFormat;
  SetNormalAttributes(path);
  FileHandle file = OpenExclusive(path);
  if (!file.valid()) return StoreResult::CannotOpen;
  if (CheckVersion(file.get()) != StoreResult::Ok) return StoreResult::BadFormat;
  std::optional<std::uint64_t> size = SizeOf(file.get());
  if (!size) return StoreResult::CannotOpen;
  std::unique_ptr<char[]> buffer = AllocateReadBuffer();
  if (!buffer) return StoreResult::NoMemory;

  const AnsiRecordKey key = AnsiKeyOfLine(line, RecordType::Individual);
  CopyToAnsiSlot(working.record.name, key.name);
  CopyToAnsiSlot(working.record.faxNumber, key.faxNumber);

  RecordStream stream(file.get(), *size, kMagicLength, buffer.get());
  RecordQuery query{RecordQuery::Kind::Individual, key.name, key.faxNumber};
  std::string_view bytes;
  switch (stream.NextMatching(query, bytes)) {
    case RecordStream::Piece::Record:
      FieldsToEntry(ParseIndividual(bytes), working);
      return StoreResult::Ok;
    case RecordStream::Piece::TooLarge: return StoreResult::NoMemory;
    case RecordStream::Piece::ReadFailed: return StoreResult::CannotOpen;
    default: return StoreResult::NotFound;
  }
}

ReadOutcome ReadGroupMembers(std::u16string_view path, std::string_view groupName,
                             const MemberVisitor& member) {
  return WalkRecords(path, [&](RecordType type, std::string_view record) {
    if (type != RecordType::Group || !KeysEqual(GroupRecordName(record), groupName)) return true;
    for (const MemberKey& key : ParseGroup(record).members) {
      if (!member(key.name, key.faxNumber)) break;
    }
    return false;
  });
}

void FieldsToEntry(const IndividualFields& f, PhonebookEntry& entry) {
  EntryRecord& r = entry.record;
  EntryDetails& d = entry.details;
  CopyToAnsiSlot(r.name, f.name);
  CopyToAnsiSlot(r.faxNumber, f.faxNumber);
  CopyToWideSlot(d.name, AnsiToWide(f.name, kDetailsNameSize - 1));
  CopyToWideSlot(d.faxNumber, AnsiToWide(f.faxNumber, kDetailsFaxNumberSize - 1));
  CopyToWideSlot(d.company, AnsiToWide(f.company, kDetailsCompanySize - 1));
  CopyToWideSlot(d.telephone, AnsiToWide(f.telephone, kDetailsTelephoneSize - 1));
  CopyToWideSlot(d.email, AnsiToWide(f.email, kDetailsEmailSize - 1));
  CopyToWideSlot(d.remarks, AnsiToWide(f.remarks, kDetailsRemarksSize - 1));
  r.sendMode = f.sendMode.empty() ? '\0' : f.sendMode[0];
  r.printOnRelay = f.printOnRelay.empty() ? '\0' : f.printOnRelay[0];
  CopyToAnsiSlot(r.relayTerminalId, f.relayTerminalId);
  std::size_t count = std::min<std::size_t>(f.destinationIds.size(), kMaxDestinations);
  r.destinationCount = static_cast<std::int32_t>(count);
  std::memset(r.destinationIds, 0, sizeof r.destinationIds);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& id = f.destinationIds[i];
    std::memcpy(r.destinationIds + i * kDestinationIdLength, id.data(),
                std::min<std::size_t>(id.size(), kDestinationIdLength));
  }
  r.transmissionMode = static_cast<std::int32_t>(f.transmissionMode);
  CopyToAnsiSlot(r.mailboxId, f.mailboxId);
  CopyToAnsiSlot(r.mailboxPassword, f.mailboxPassword);
  CopyToAnsiSlot(r.fCode, f.fCode);
  CopyToAnsiSlot(r.fCodePassword, f.fCodePassword);
}

IndividualFields EntryToFields(const EntryRecord& r, const EntryDetails& d) {
  IndividualFields f;
  f.name = std::string(AnsiSlotView(r.name));
  f.faxNumber = std::string(AnsiSlotView(r.faxNumber));
  f.company = WideToAnsi(WideSlotView(d.company), limits::kCompany, WC_COMPOSITECHECK);
  f.telephone = WideToAnsi(WideSlotView(d.telephone), limits::kTelephone, WC_COMPOSITECHECK);
  f.email = WideToAnsi(WideSlotView(d.email), limits::kEmail, WC_COMPOSITECHECK);
  f.remarks = WideToAnsi(WideSlotView(d.remarks), limits::kRemarks, WC_COMPOSITECHECK);
  f.sendMode = std::string(1, r.sendMode);
  f.printOnRelay = std::string(1, r.printOnRelay);
  f.relayTerminalId = std::string(AnsiSlotView(r.relayTerminalId));
  int count = std::clamp<std::int32_t>(r.destinationCount, 0, kMaxDestinations);
  for (int i = 0; i < count; ++i) {
    f.destinationIds.emplace_back(r.destinationIds + i * kDestinationIdLength, kDestinationIdLength);
  }
  f.transmissionMode = static_cast<std::uint32_t>(r.transmissionMode);
  f.mailboxId = std::string(AnsiSlotView(r.mailboxId));
  f.mailboxPassword = std::string(AnsiSlotView(r.mailboxPassword));
  f.fCode = std::string(AnsiSlotView(r.fCode));
  f.fCodePassword = std::string(AnsiSlotView(r.fCodePassword));
  return f;
}

}  // namespace tq::phonebook
