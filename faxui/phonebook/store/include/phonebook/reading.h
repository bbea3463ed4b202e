// Reading a phonebook file: version check, validation, listing, reading one
// entry and a group's members. Every operation opens the file exclusively,
// streams it through one buffer of 16384 bytes and closes it; none shows a
// message (the dialogs map the results to their messages).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/store_result.h"
#include "phonebook/afd_format.h"
#include "phonebook/records.h"
#include "win/types.h"

namespace tq::phonebook {

// True when the name is at least 5 characters long and ends in ".afd" in
// any case.
bool EndsInAfd(std::u16string_view path);

// By path: BadFormat for a name not ending in .afd, CannotOpen when the file
// cannot be opened (missing, or held by another process), then the magic.
[[nodiscard]] StoreResult CheckVersion(std::u16string_view path);
// On an open file, read from its current position and left after the magic.
[[nodiscard]] StoreResult CheckVersion(HANDLE file);

// Why a whole-file read failed, for the callers that report it: the file
// error message kinds 4 (CannotOpen), 1 (CannotAccess) and 5 (BadFormat), and
// the two forms of the memory message.
enum class ReadProblem {
  None,
  CannotOpen,      // kind 4
  CannotAccess,    // kind 1: no size, or a read failed
  BadFormat,       // kind 5: empty, foreign or older version
  NoBuffer,        // the buffer could not be allocated (warning)
  RecordTooLarge,  // one record is longer than the buffer (error)
};

struct ReadOutcome {
  StoreResult result = StoreResult::Ok;
  ReadProblem problem = ReadProblem::None;
  // The file ends inside a record (a start byte without its end byte).
  bool incompleteEnd = false;
  bool ok() const { return problem == ReadProblem::None; }
};

// Opens the phonebook, checks that it has a size, is not empty and is of the
// current version. The phonebook's attributes are left as they are, so a
// read-only phonebook fails here.
ReadOutcome ValidatePhonebook(std::u16string_view path);

// Calls `visit` with every complete record in file order (its bytes from
// start byte to end byte); `visit` returns false to stop early.
using RecordVisitor = std::function<bool(RecordType type, std::string_view record)>;
ReadOutcome ForEachRecord(std::u16string_view path, const RecordVisitor& visit);

// Calls `add` with the display line of every record in file order.
using LineVisitor = std::function<void(RecordType type, std::u16string_view line)>;
ReadOutcome ListRecords(std::u16string_view path, const LineVisitor& add);

// Reads the individual named by its display line into the working entry:
// Ok, NotFound, NoMemory (a record longer than the buffer), CannotOpen, or
// BadFormat (also for the older versions). Clears the read-only attribute.
// Fields the file does not carry (the speed-dial flag, the details flag)
// keep their values.
[[nodiscard]] StoreResult ReadEntry(std::u16string_view path, std::u16string_view line,
                                    PhonebookEntry& working);

// Calls `member` with each member reference of the first group of that name,
// in order; `member` returns false to stop. Ok whether or not the group was
// found.
using MemberVisitor = std::function<bool(std::string_view name, std::string_view faxNumber)>;
ReadOutcome ReadGroupMembers(std::u16string_view path, std::string_view groupName,
                             const MemberVisitor& member);

// The working entry from an individual record's fields: name and fax number
// into both records, the texts converted to UTF-16, the settings into the
// record.
void FieldsToEntry(const IndividualFields& fields, PhonebookEntry& entry);
// The fields to write for an entry: the record's texts, the details converted
// to ANSI (cut to their places without splitting a character).
IndividualFields EntryToFields(const EntryRecord& record, const EntryDetails& details);

}  // namespace tq::phonebook
