#include "phonebook/updates.h"

#include <functional>
#include <optional>

#include "phonebook/afd_format.h"
#include "phonebook/reading.h"
#include "phonebook_file.h"
#include "win/kernel.h"

namespace tq::phonebook {

namespace {

// What a rewrite leaves out, changes, and adds at the end.
struct Rewrite {
  RecordType type = RecordType::Individual;  // of the record with the old key
  AnsiRecordKey oldKey;
  bool deleting = false;
  // For ReplaceNewKey of an individual: the references' new key.
  std::optional<MemberKey> renameTo;
  std::string newRecord;  // written last when saving
  // The change needs the old record as the file holds it under this hold:
  // without it the result is NotFound and the file is left as it was.
  bool mustExist = false;
  // Makes the new record from the first old one (a rename keeping the
  // entry's other fields); replaces newRecord when set.
  std::function<std::string(std::string_view oldRecord)> fromOld;
};

std::string KeyField(std::string_view text) {
  std::string clean = WithoutControlBytes(text);
  if (clean.size() > kKeyTextLength) clean.resize(kKeyTextLength);
  return clean;
}

bool IsOldRecord(const Rewrite& rewrite, RecordType type, std::string_view record) {
  if (type != rewrite.type) return false;
  RecordQuery query;
  query.kind = type == RecordType::Group ? RecordQuery::Kind::Group : RecordQuery::Kind::Individual;
  query.name = rewrite.oldKey.name;
  query.faxNumber = rewrite.oldKey.faxNumber;
  return RecordHasKey(record, query);
}

// The group record with its references to the old key removed or renamed,
// or none when it holds no such reference (it is then copied unchanged).
std::optional<std::string> FollowReferences(std::string_view group, const Rewrite& rewrite) {
  std::string_view body = group.substr(1, group.size() - 2);
  std::size_t nameEnd = body.find(kFieldEnd);
  if (nameEnd == std::string_view::npos) return std::nullopt;
  std::string out;
  out.reserve(group.size() + 64);
  out.push_back(kGroupStart);
  out.append(body.substr(0, nameEnd + 1));
  bool changed = false;
  std::size_t pos = nameEnd + 1;
  while (pos < body.size()) {
    std::size_t nameStop = body.find(kFieldEnd, pos);
    std::size_t faxStop = nameStop == std::string_view::npos ? nameStop : body.find(kFieldEnd, nameStop + 1);
    if (faxStop == std::string_view::npos) {
      out.append(body.substr(pos));  // an unpaired trailing field stays as it is
      break;
    }
    std::string_view name = body.substr(pos, nameStop - pos);
    std::string_view fax = body.substr(nameStop + 1, faxStop - nameStop - 1);
    bool refersToOld = KeysEqual(name.substr(0, std::min(name.size(), kKeyTextLength)), rewrite.oldKey.name) &&
                       KeysEqual(fax.substr(0, std::min(fax.size(), kKeyTextLength)), rewrite.oldKey.faxNumber);
    if (!refersToOld) {
      out.append(body.substr(pos, faxStop + 1 - pos));
    } else if (rewrite.renameTo) {
      out.append(rewrite.renameTo->name).push_back(kFieldEnd);
      out.append(rewrite.renameTo->faxNumber).push_back(kFieldEnd);
      changed = true;
    } else {
      changed = true;  // removed
    }
    pos = faxStop + 1;
  }
  out.push_back(kRecordEnd);
  if (!changed) return std::nullopt;
  return out;
}

// Opens the phonebook for a change: attributes to normal, the name's
// extension, the open itself and the current version.
StoreResult OpenForChange(std::u16string_view path, FileHandle& file, std::uint64_t& size) {
  // The name first, so that no other kind of file is made writable.
  if (!EndsInAfd(path)) return StoreResult::BadFormat;
  SetNormalAttributes(path);
  file = OpenExclusive(path);
  if (!file.valid()) return StoreResult::CannotOpen;
  if (CheckVersion(file.get()) != StoreResult::Ok) return StoreResult::BadFormat;
  std::optional<std::uint64_t> known = SizeOf(file.get());
  if (!known) return StoreResult::CannotOpen;
  size = *known;
  return StoreResult::Ok;
}

// Earlier writers used one fixed temporary name (TemporaryPathFor); one
// killed before its rename left that file behind, even read-only.
void RemoveFixedTemporary(std::u16string_view path) {
  const std::u16string temporary = TemporaryPathFor(path);
  if (!FileExists(temporary)) return;
  SetNormalAttributes(temporary);
  DeleteFileW(temporary.c_str());
}

StoreResult Append(std::u16string_view path, std::string_view record) {
  FileHandle file;
  std::uint64_t size = 0;
  StoreResult opened = OpenForChange(path, file, size);
  if (opened != StoreResult::Ok) return opened;
  RemoveDeadTemporariesBeside(path);
  if (SeekTo(file.get(), size) && WriteAll(file.get(), record) && FlushFileBuffers(file.get())) {
    return StoreResult::Ok;
  }
  // Leave no partial record behind.
  if (SeekTo(file.get(), size)) SetEndOfFile(file.get());
  FlushFileBuffers(file.get());
  return StoreResult::WriteFailed;
}

// Copies the phonebook into the temporary file with the rewrite's changes,
// then renames the temporary file over the phonebook while the phonebook is
// still held, so that no other process sees a missing or partial file.
StoreResult RunRewrite(std::u16string_view path, const Rewrite& rewrite) {
  FileHandle phonebook;
  std::uint64_t size = 0;
  StoreResult opened = OpenForChange(path, phonebook, size);
  if (opened != StoreResult::Ok) return opened;
  RemoveFixedTemporary(path);
  std::unique_ptr<char[]> buffer = AllocateReadBuffer();
  if (!buffer) return StoreResult::NoMemory;

  // The rename happens while the phonebook is still held, so that no other
  // program opens it between the old and the new file.
  return ReplaceThroughTemporary(path, [&](HANDLE out) {
    StoreResult result = StoreResult::Ok;
    BufferedWriter writer(out);
    RecordStream stream(phonebook.get(), size, 0, buffer.get());
    bool followReferences = rewrite.type == RecordType::Individual && (rewrite.deleting || rewrite.renameTo);
    bool found = false;
    std::string newRecord = rewrite.newRecord;
    for (bool reading = true; reading && !writer.failed();) {
      std::string_view bytes;
      RecordType type = RecordType::Individual;
      switch (stream.Next(bytes, type)) {
        case RecordStream::Piece::Gap:
          writer.Append(bytes);
          break;
        case RecordStream::Piece::Record:
          if (IsOldRecord(rewrite, type, bytes)) {
            if (!found && rewrite.fromOld) newRecord = rewrite.fromOld(bytes);
            found = true;
            // Deleting a group removes the first group of that name only.
            if (rewrite.deleting && rewrite.type == RecordType::Group) stream.PassRestThrough();
          } else if (followReferences && type == RecordType::Group) {
            std::optional<std::string> changed = FollowReferences(bytes, rewrite);
            writer.Append(changed ? std::string_view(*changed) : bytes);
          } else {
            writer.Append(bytes);
          }
          break;
        case RecordStream::Piece::End:
          reading = false;
          break;
        case RecordStream::Piece::TooLarge:
          result = StoreResult::NoMemory;
          reading = false;
          break;
        case RecordStream::Piece::ReadFailed:
          result = StoreResult::CannotOpen;
          reading = false;
          break;
      }
    }
    if (result == StoreResult::Ok && rewrite.mustExist && !found) return StoreResult::NotFound;
    if (result == StoreResult::Ok && !rewrite.deleting) writer.Append(newRecord);
    if (!writer.Flush() && result == StoreResult::Ok) result = StoreResult::WriteFailed;
    return result;
  });
}

StoreResult Save(std::u16string_view path, std::u16string_view oldLine, RecordType type,
                 std::string record, SaveMode mode, std::optional<MemberKey> newKey) {
  if (mode == SaveMode::Append || oldLine.empty()) return Append(path, record);
  Rewrite rewrite;
  rewrite.type = type;
  rewrite.oldKey = AnsiKeyOfLine(oldLine, type);
  if (mode == SaveMode::ReplaceNewKey && type == RecordType::Individual) rewrite.renameTo = std::move(newKey);
  rewrite.newRecord = std::move(record);
  return RunRewrite(path, rewrite);
}

bool IsOneGroupRecord(std::string_view record) {
  if (record.size() < 3 || record.front() != kGroupStart || record.back() != kRecordEnd) return false;
  std::string_view body = record.substr(1, record.size() - 2);
  if (body.back() != kFieldEnd) return false;
  for (char c : body) {
    if (IsControlByte(c) && c != kFieldEnd) return false;
  }
  return true;
}

}  // namespace

std::u16string TemporaryPathFor(std::u16string_view path) {
  std::u16string temporary(path.substr(0, path.size() >= 4 ? path.size() - 4 : path.size()));
  temporary.append(u".TMP");
  return temporary;
}

StoreResult SaveEntry(std::u16string_view path, std::u16string_view oldLine, const EntryRecord& record,
                      const EntryDetails& details, SaveMode mode) {
  MemberKey newKey{KeyField(AnsiSlotView(record.name)), KeyField(AnsiSlotView(record.faxNumber))};
  return Save(path, oldLine, RecordType::Individual, SerialiseIndividual(EntryToFields(record, details)),
              mode, std::move(newKey));
}

StoreResult SaveGroup(std::u16string_view path, std::u16string_view oldLine,
                      std::span<const char> groupRecord, SaveMode mode) {
  std::string_view record(groupRecord.data(), groupRecord.size());
  if (!IsOneGroupRecord(record)) return StoreResult::BadFormat;
  // A record longer than the read buffer could be written but never read.
  if (record.size() > kReadBufferSize) return StoreResult::NoMemory;
  return Save(path, oldLine, RecordType::Group, std::string(record), mode, std::nullopt);
}

StoreResult DeleteRecord(std::u16string_view path, std::u16string_view line, RecordType type) {
  Rewrite rewrite;
  rewrite.type = type;
  rewrite.oldKey = AnsiKeyOfLine(line, type);
  rewrite.deleting = true;
  return RunRewrite(path, rewrite);
}

StoreResult DeleteExistingRecord(std::u16string_view path, std::u16string_view line, RecordType type) {
  Rewrite rewrite;
  rewrite.type = type;
  rewrite.oldKey = AnsiKeyOfLine(line, type);
  rewrite.deleting = true;
  rewrite.mustExist = true;
  return RunRewrite(path, rewrite);
}

StoreResult RenameExistingEntry(std::u16string_view path, std::u16string_view oldLine, std::string_view newName,
                                std::string_view newFaxNumber) {
  Rewrite rewrite;
  rewrite.type = RecordType::Individual;
  rewrite.oldKey = AnsiKeyOfLine(oldLine, RecordType::Individual);
  rewrite.mustExist = true;
  MemberKey newKey{KeyField(newName), KeyField(newFaxNumber)};
  const bool sameKey =
      KeysEqual(newKey.name, rewrite.oldKey.name) && KeysEqual(newKey.faxNumber, rewrite.oldKey.faxNumber);
  if (!sameKey) rewrite.renameTo = newKey;
  rewrite.fromOld = [&newKey](std::string_view oldRecord) {
    IndividualFields fields = ParseIndividual(oldRecord);
    fields.name = newKey.name;
    fields.faxNumber = newKey.faxNumber;
    return SerialiseIndividual(fields);
  };
  return RunRewrite(path, rewrite);
}

StoreResult CreateEmptyPhonebook(std::u16string_view path) {
  // Hold an existing file while it is replaced, so that one in use by
  // another process is refused rather than swapped under it.
  FileHandle existing;
  if (FileExists(path)) {
    SetNormalAttributes(path);
    existing = OpenExclusive(path);
    if (!existing.valid()) return StoreResult::CannotOpen;
  }
  return ReplaceThroughTemporary(path, [](HANDLE out) {
    return WriteAll(out, EmptyPhonebookBytes()) ? StoreResult::Ok : StoreResult::WriteFailed;
  });
}

}  // namespace tq::phonebook
