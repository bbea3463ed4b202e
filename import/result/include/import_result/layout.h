// The Import application's result file: a count, then the records the user
// confirmed. Which record the file holds is told by the command that
// announces it (kImportNamesCommand or kImportEntriesCommand), not by the
// file. Little-endian integers and NUL-terminated ANSI text in fixed slots.
//
// The common form, which the Fax UI plug-in of both models reads: a signed
// 32-bit count, then NameNumberRecords or whole 236-byte EntryRecords.
// The model P form: an unsigned 16-bit count, then NameNumberRecords or
// 184-byte SpeedDialRecordPs.
//
// This header is the layout only; import_result/codec.h reads and
// writes it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/entry_record.h"

namespace tq {

// The commands the Import application posts to the dialog that started it.
inline constexpr int kImportNamesCommand = 1022;    // name-and-number records
inline constexpr int kImportEntriesCommand = 1028;  // speed-dial entry records

// What a file's records are.
enum class ImportRecordKind { NameNumber, Entry };
// Which form a file has.
enum class ImportForm { Common, ModelP };

// A name and a fax number, in both forms.
struct NameNumberRecord {
  char name[kNameSize];            // 0
  char faxNumber[kFaxNumberSize];  // 31
};
static_assert(sizeof(NameNumberRecord) == 62);
static_assert(offsetof(NameNumberRecord, faxNumber) == 31);

// A speed-dial entry in the model P form: the fields of an EntryRecord with
// 16-bit numbers and the slots packed closer.
struct SpeedDialRecordP {
  char name[kNameSize];                                          // 0
  char faxNumber[kFaxNumberSize];                                // 31
  std::uint16_t transmissionMode;                                // 62
  char sendMode;                                                 // 64
  char mailboxId[4];                                             // 65
  char mailboxPassword[5];                                       // 69
  char relayTerminalId[3];                                       // 74
  char printOnRelay;                                             // 77
  std::uint16_t destinationCount;                                // 78
  char destinationIds[kMaxDestinations * kDestinationIdLength];  // 80: no terminators
  char padding[2];                                               // 140
  char fCode[kFCodeSize];                                        // 142
  char fCodePassword[kFCodeSize];                                // 163
};
static_assert(sizeof(SpeedDialRecordP) == 184);
static_assert(offsetof(SpeedDialRecordP, faxNumber) == 31);
static_assert(offsetof(SpeedDialRecordP, transmissionMode) == 62);
static_assert(offsetof(SpeedDialRecordP, sendMode) == 64);
static_assert(offsetof(SpeedDialRecordP, mailboxId) == 65);
static_assert(offsetof(SpeedDialRecordP, mailboxPassword) == 69);
static_assert(offsetof(SpeedDialRecordP, relayTerminalId) == 74);
static_assert(offsetof(SpeedDialRecordP, printOnRelay) == 77);
static_assert(offsetof(SpeedDialRecordP, destinationCount) == 78);
static_assert(offsetof(SpeedDialRecordP, destinationIds) == 80);
static_assert(offsetof(SpeedDialRecordP, fCode) == 142);
static_assert(offsetof(SpeedDialRecordP, fCodePassword) == 163);

// The size of the count ahead of the records: std::int32_t in the common
// form, std::uint16_t in the model P form.
constexpr std::size_t ImportCountSize(ImportForm form) { return form == ImportForm::Common ? 4 : 2; }

// The size of one record of a form.
constexpr std::size_t ImportRecordSize(ImportForm form, ImportRecordKind kind) {
  if (kind == ImportRecordKind::NameNumber) return sizeof(NameNumberRecord);
  return form == ImportForm::Common ? sizeof(EntryRecord) : sizeof(SpeedDialRecordP);
}

}  // namespace tq
