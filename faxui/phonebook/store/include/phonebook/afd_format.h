// The byte format of a phonebook file (.AFD), kept apart from file access so
// that it can be read and written on byte buffers.
//
//   header   "TOVA_KALDE_ORBY_FAX_DATA_FILE_2000" 0x0A       (35 bytes)
//   records  0x01 field 0x03 ... field 0x03 0x04            an individual
//            0x02 name 0x03 (name 0x03 fax 0x03)* 0x04       a group
//
// Text is ANSI without terminators; numbers are unsigned decimal text. The
// bytes 0x01 to 0x04 never stand inside a field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/store_result.h"
#include "phonebook/records.h"

namespace tq::phonebook {

inline constexpr std::string_view kMagic2000 = "TOVA_KALDE_ORBY_FAX_DATA_FILE_2000";
inline constexpr std::string_view kMagic1000 = "TOVA_KALDE_ORBY_FAX_DATA_FILE_1000";
inline constexpr std::string_view kMagic0000 = "TOVA_KALDE_ORBY_FAX_DATA_FILE_0000";
inline constexpr std::size_t kMagicLength = 34;
inline constexpr std::size_t kHeaderLength = 35;  // the magic and a line feed

inline constexpr char kIndividualStart = 0x01;
inline constexpr char kGroupStart = 0x02;
inline constexpr char kFieldEnd = 0x03;
inline constexpr char kRecordEnd = 0x04;

// Every operation streams the file through one buffer of this size, so one
// record, from its start byte to its end byte, is at most this long.
inline constexpr std::size_t kReadBufferSize = 16384;

inline bool IsControlByte(char c) { return c >= 0x01 && c <= 0x04; }
// The text without any byte 0x01 to 0x04.
std::string WithoutControlBytes(std::string_view text);

// True when no field of the record (start byte to end byte) holds a byte
// 0x00 to 0x04 other than the field ends: such a field would show cut or
// with stray bytes in a list.
bool FieldsAreClean(std::string_view record);

// The 35 bytes of an empty phonebook.
std::string EmptyPhonebookBytes();
// Ok, Version0000, Version1000, or BadFormat (also for fewer than 34 bytes).
StoreResult CheckMagic(std::string_view first34);

// What a search is after: any record (the plain walk), an individual by
// name and fax number, or a group by name.
struct RecordQuery {
  enum class Kind { Any, Individual, Group };
  Kind kind = Kind::Any;
  std::string_view name;
  std::string_view faxNumber;
};

struct RecordSearch {
  bool found = false;
  std::size_t start = 0;  // the record's start byte
  std::size_t end = 0;    // one past its end byte
  // The search met a start byte with no end byte after it (the plain walk
  // stops there).
  bool incomplete = false;
  // The last record start seen; for a keyed search without a match, the
  // last start byte of the whole window, so that a record crossing the
  // buffer's end can be read again from its start.
  std::optional<std::size_t> lastStart;
};

// Searches the window from its beginning.
RecordSearch FindRecord(std::string_view window, const RecordQuery& query);
// Whether one whole record, start byte to end byte, is of the query's kind
// (Individual or Group) and bears its key: what FindRecord finds in a
// window holding that record alone, without looking for the window's last
// start byte.
bool RecordHasKey(std::string_view record, const RecordQuery& query);

// The fields of an individual record, in ANSI, each at most as long as its
// place in the records (longer text is cut when parsed and serialised).
struct IndividualFields {
  std::string name;             // 30
  std::string faxNumber;        // 30
  std::string company;          // 59
  std::string telephone;        // 46
  std::string email;            // 59
  std::string remarks;          // 254
  std::string sendMode;         // 1
  std::string printOnRelay;     // 1
  std::string relayTerminalId;  // 2
  std::vector<std::string> destinationIds;  // at most 20 of 3 bytes
  std::uint32_t transmissionMode = 0;
  std::string mailboxId;        // 3
  std::string mailboxPassword;  // 6
  std::string fCode;            // 20
  std::string fCodePassword;    // 20
};

namespace limits {
inline constexpr std::size_t kCompany = 59;
inline constexpr std::size_t kTelephone = 46;
inline constexpr std::size_t kEmail = 59;
inline constexpr std::size_t kRemarks = 254;
inline constexpr std::size_t kRelayTerminalId = 2;
inline constexpr std::size_t kMailboxId = 3;
inline constexpr std::size_t kMailboxPassword = 6;
inline constexpr std::size_t kFCode = 20;
}  // namespace limits

// The record from its 0x01 to its 0x04 (both included). Control bytes in
// the fields are dropped and every field is cut to its place.
std::string SerialiseIndividual(const IndividualFields& fields);
// Parses a record given from its start byte to its end byte. Fields missing
// at the record's end read as empty (files may end a record after the
// mailbox password); a destination count above 20 keeps the first 20.
IndividualFields ParseIndividual(std::string_view record);

// Decimal text read digit by digit, left to right; empty text is 0 and the
// reading stops at the first byte that is not a digit.
std::uint32_t ParseDecimal(std::string_view text);

struct MemberKey {
  std::string name;
  std::string faxNumber;
};

struct GroupFields {
  std::string name;
  std::vector<MemberKey> members;
};

// The group record: 0x02 name 0x03, each member's name 0x03 fax 0x03, 0x04.
// Control bytes are dropped and names and numbers cut to 30 bytes.
std::string SerialiseGroup(const GroupFields& group);
// Parses a record given from its start byte to its end byte; a trailing
// name without its fax number is ignored.
GroupFields ParseGroup(std::string_view record);
// The group name of a group record, without parsing its members.
std::string_view GroupRecordName(std::string_view record);

}  // namespace tq::phonebook
