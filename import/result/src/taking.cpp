// The reading side of the result file. The file lies in the user's private
// runtime folder, so only the user can have put it there; it is still
// opened without following a link and refused unless it is the user's own
// plain file, because its records go straight into a recipient list or a
// phonebook.
#include "import_result/result_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "import_result/codec.h"
#include "win/text.h"

namespace tq::import {
namespace {

// More than any import hands over (a phonebook import takes every entry of
// a CSV file), and a bound on what a damaged file can make us read.
constexpr std::size_t kMostResultRecords = 100000;

ImportRecordKind KindOf(ResultRecords form) {
  return form == ResultRecords::EntryRecords ? ImportRecordKind::Entry : ImportRecordKind::NameNumber;
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

// The whole file, up to the most a result can hold: the records past a
// count the plug-in would take are never looked at. The buffer is the
// file's size (a file that grows meanwhile is read as far as that).
std::vector<std::uint8_t> ReadBounded(int fd, std::size_t fileSize, ResultRecords form) {
  const std::size_t most = std::min(
      fileSize,
      ImportCountSize(ImportForm::Common) + kMostResultRecords * ImportRecordSize(ImportForm::Common, KindOf(form)));
  std::vector<std::uint8_t> bytes(most);
  std::size_t done = 0;
  while (done < most) {
    const ssize_t got = read(fd, bytes.data() + done, most - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

std::vector<EntryRecord> ReadRecords(int fd, std::size_t fileSize, ResultRecords form) {
  std::vector<EntryRecord> records =
      ReadImportResult(ReadBounded(fd, fileSize, form), ImportForm::Common, KindOf(form)).records;
  for (EntryRecord& record : records) MakeSafe(record);
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
      taken.records = ReadRecords(fd, static_cast<std::size_t>(info.st_size), form);
    }
    close(fd);
  }
  // Deleted in every case, a refused one too: removing a link removes the
  // link alone, and nothing of it is read again.
  unlink(native.c_str());
  return taken;
}

}  // namespace tq::import
