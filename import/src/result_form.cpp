// The reading side of the result file. The file lies in the user's private
// runtime folder, so only the user can have put it there; it is still
// opened without following a link and refused unless it is the user's own
// plain file, because its records go straight into a recipient list or a
// phonebook.
#include "import/result_form.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "common/byte_order.h"
#include "win/text.h"

namespace tq::import {
namespace {

// Reads up to `size` bytes; fewer only at the end of the file or on error.
std::size_t ReadFully(int fd, char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = read(fd, buffer + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

template <std::size_t N>
void Terminate(char (&slot)[N]) {
  slot[N - 1] = '\0';
}

// A record from the file can hold anything: each text ends inside its slot
// and the count cannot lead a reader past the destination list.
void MakeSafe(EntryRecord& record) {
  Terminate(record.name);
  Terminate(record.faxNumber);
  Terminate(record.mailboxId);
  Terminate(record.mailboxPassword);
  Terminate(record.relayTerminalId);
  Terminate(record.fCode);
  Terminate(record.fCodePassword);
  record.destinationCount = std::clamp(record.destinationCount, 0, kMaxDestinations);
  record.speedDialFlag = 0;  // an imported number is a real fax number
}

EntryRecord FromNameAndNumber(const char* bytes) {
  EntryRecord record = DefaultEntryRecord;
  std::memcpy(record.name, bytes, kNameSize);
  std::memcpy(record.faxNumber, bytes + kNameSize, kFaxNumberSize);
  return record;
}

std::vector<EntryRecord> ReadRecords(int fd, ResultRecords form) {
  char countBytes[kResultCountSize];
  if (ReadFully(fd, countBytes, sizeof countBytes) != sizeof countBytes) return {};
  const std::int32_t count = ReadInt32(countBytes, 0);
  std::vector<EntryRecord> records;
  const std::size_t recordSize = form == ResultRecords::EntryRecords ? kEntryRecordSize : kNameNumberRecordSize;
  char bytes[kEntryRecordSize];
  for (std::int32_t i = 0; i < count; ++i) {
    if (ReadFully(fd, bytes, recordSize) != recordSize) break;  // truncated: what is whole is kept
    EntryRecord record{};
    if (form == ResultRecords::EntryRecords) {
      std::memcpy(&record, bytes, kEntryRecordSize);
    } else {
      record = FromNameAndNumber(bytes);
    }
    MakeSafe(record);
    records.push_back(record);
  }
  return records;
}

}  // namespace

TakenResult TakeResultFile(std::u16string_view path, ResultRecords form) {
  const std::string native = Utf16ToUtf8(path);
  TakenResult taken;
  const int fd = open(native.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return taken;
    taken.status = TakenResult::Status::Refused;  // a link (ELOOP) or unreadable
  } else {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid()) {
      taken.status = TakenResult::Status::Refused;
    } else {
      taken.status = TakenResult::Status::Read;
      taken.records = ReadRecords(fd, form);
    }
    close(fd);
  }
  // Deleted in every case, a refused one too: removing a link removes the
  // link alone, and nothing of it is read again.
  unlink(native.c_str());
  return taken;
}

}  // namespace tq::import
