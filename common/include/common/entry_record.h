// EntryRecord: the 236-byte ANSI record of one fax destination, and
// EntryDetails, its UTF-16 companion. The same record bytes serve the
// recipient list, the job settings, the phonebook file and the import
// result file, so the layout is fixed byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tq {

inline constexpr int kNameSize = 31;         // 30 bytes and the terminator
inline constexpr int kFaxNumberSize = 31;
inline constexpr int kMaxDestinations = 20;
inline constexpr int kDestinationIdLength = 3;
inline constexpr int kFCodeSize = 21;

struct EntryRecord {
  char name[kNameSize];                 // 0
  char faxNumber[kFaxNumberSize];       // 31: or the speed-dial number
  char padding1[2];                     // 62
  std::int32_t transmissionMode;        // 64: index into the mode list
  char sendMode;                        // 68: '0' normal, '1' relay, '4' mailbox
  char mailboxId[4];                    // 69: decimal text 1..200
  char mailboxPassword[7];              // 73: up to 4 digits
  char relayTerminalId[3];              // 80: decimal text 1..99
  char printOnRelay;                    // 83: '0' or '1'
  std::int32_t destinationCount;        // 84: 0..20
  char destinationIds[kMaxDestinations * kDestinationIdLength];  // 88: no terminators
  char unused[40];                      // 148
  std::int32_t speedDialFlag;           // 188: 1 when faxNumber is a speed-dial number
  char fCode[kFCodeSize];               // 192
  char fCodePassword[kFCodeSize];       // 213
  char padding2[2];                     // 234
};

static_assert(sizeof(EntryRecord) == 236);
static_assert(offsetof(EntryRecord, faxNumber) == 31);
static_assert(offsetof(EntryRecord, transmissionMode) == 64);
static_assert(offsetof(EntryRecord, sendMode) == 68);
static_assert(offsetof(EntryRecord, mailboxId) == 69);
static_assert(offsetof(EntryRecord, mailboxPassword) == 73);
static_assert(offsetof(EntryRecord, relayTerminalId) == 80);
static_assert(offsetof(EntryRecord, printOnRelay) == 83);
static_assert(offsetof(EntryRecord, destinationCount) == 84);
static_assert(offsetof(EntryRecord, destinationIds) == 88);
static_assert(offsetof(EntryRecord, unused) == 148);
static_assert(offsetof(EntryRecord, speedDialFlag) == 188);
static_assert(offsetof(EntryRecord, fCode) == 192);
static_assert(offsetof(EntryRecord, fCodePassword) == 213);
static_assert(offsetof(EntryRecord, padding2) == 234);

// All zero except the send mode and the print-on-relay byte, which are the
// ASCII digit 0: transmission mode index 0 and every text empty.
inline constexpr EntryRecord MakeDefaultEntryRecord() {
  EntryRecord record{};
  record.sendMode = '0';
  record.printOnRelay = '0';
  return record;
}
inline constexpr EntryRecord DefaultEntryRecord = MakeDefaultEntryRecord();

// Capacities in UTF-16 units including the terminator.
inline constexpr int kDetailsNameSize = 31;
inline constexpr int kDetailsFaxNumberSize = 31;
inline constexpr int kDetailsCompanySize = 60;
inline constexpr int kDetailsTelephoneSize = 47;
inline constexpr int kDetailsEmailSize = 60;
inline constexpr int kDetailsRemarksSize = 255;

struct EntryDetails {
  char16_t name[kDetailsNameSize];
  char16_t faxNumber[kDetailsFaxNumberSize];
  char16_t company[kDetailsCompanySize];
  char16_t telephone[kDetailsTelephoneSize];
  char16_t email[kDetailsEmailSize];
  char16_t remarks[kDetailsRemarksSize];
  // 1 when the details come from the phonebook; never written to a file.
  std::int32_t detailsAvailable;
};

static_assert(offsetof(EntryDetails, faxNumber) == 62);
static_assert(offsetof(EntryDetails, company) == 124);
static_assert(offsetof(EntryDetails, telephone) == 244);
static_assert(offsetof(EntryDetails, email) == 338);
static_assert(offsetof(EntryDetails, remarks) == 458);
static_assert(offsetof(EntryDetails, detailsAvailable) == 968);
static_assert(sizeof(EntryDetails) == 972);

// Empties the six texts and clears the flag.
inline void ClearEntryDetails(EntryDetails& details) { details = EntryDetails{}; }

}  // namespace tq
