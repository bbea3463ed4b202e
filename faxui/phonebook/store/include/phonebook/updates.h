// Changing a phonebook file. An append writes at the end of the file and, if
// it fails, cuts the file back to its former length. Every other change
// copies the file to a temporary file of its own beside it, leaving out or
// changing records, flushes it and renames it over the phonebook in one
// step: a failure leaves the phonebook as it was and removes the temporary
// file. Member references in groups follow a deleted or renamed individual.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "common/entry_record.h"
#include "common/store_result.h"
#include "phonebook/records.h"

namespace tq::phonebook {

// The temporary name the phonebook's settings record: its path with the last
// four characters replaced by ".TMP". Writers no longer use it, since two
// phonebooks differing in the extension's case would share it; one left by
// an earlier version is removed by the next change of that phonebook.
std::u16string TemporaryPathFor(std::u16string_view path);

// Saves an individual. With Append, or without an old display line, the
// record is appended. Otherwise every record with the old line's key is left
// out, the new record is written last, and with ReplaceNewKey the member
// references to the old key are renamed to the record's new name and number.
[[nodiscard]] StoreResult SaveEntry(std::u16string_view path, std::u16string_view oldLine,
                                    const EntryRecord& record, const EntryDetails& details,
                                    SaveMode mode);

// Saves a group given in its file form (0x02 ... 0x04), as SaveEntry does.
// A group that is not one well-formed record is BadFormat; one longer than
// the read buffer is NoMemory, since it could no longer be read.
[[nodiscard]] StoreResult SaveGroup(std::u16string_view path, std::u16string_view oldLine,
                                    std::span<const char> groupRecord, SaveMode mode);

// Deletes the record that the display line names. Deleting an individual
// also removes its references from every group; a key that is not in the
// file still gives Ok.
[[nodiscard]] StoreResult DeleteRecord(std::u16string_view path, std::u16string_view line,
                                       RecordType type);

// Changes that need the record in the file: whether it is there is decided
// under the same hold of the phonebook as the rewrite, so of two processes
// deleting or renaming one record exactly one succeeds and the other gets
// NotFound, with the file as the first one left it.
//
// Deletes the record the line names, as DeleteRecord does; NotFound when
// the file holds no such record.
[[nodiscard]] StoreResult DeleteExistingRecord(std::u16string_view path, std::u16string_view line,
                                               RecordType type);
// Gives the individual the line names a new name and fax number (ANSI),
// keeping its other fields and settings and renaming the member references
// that follow it; NotFound when the file holds no such individual.
[[nodiscard]] StoreResult RenameExistingEntry(std::u16string_view path, std::u16string_view oldLine,
                                              std::string_view newName, std::string_view newFaxNumber);

// Writes an empty phonebook (the 35 header bytes) at the path, replacing
// any file there in one step. CannotOpen when another process holds it.
StoreResult CreateEmptyPhonebook(std::u16string_view path);

}  // namespace tq::phonebook
