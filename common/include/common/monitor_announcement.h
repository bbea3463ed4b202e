// The announcement of one job to the document monitor: a 600-byte header
// followed by one 812-byte destination record (1412 bytes in all), and the
// older format (532-byte header, 660-byte records) that a client library
// without the extended data call takes.
//
// Integers are 32-bit little-endian, texts ANSI and NUL-terminated in their
// slots. The two "address of the first record" slots are 32 bits wide: on a
// 32-bit build they hold the record's address; on a 64-bit build, where an
// address does not fit, they hold the record's offset from the start of the
// block (600, 532), so a reader finds the record either way.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tq::monitor {

inline constexpr int kPortNameSize = 260;
inline constexpr int kPrinterNameSize = 256;
inline constexpr int kUserNameSize = 64;
inline constexpr int kJobIdSize = 64;
inline constexpr int kDocumentNameSize = 260;
inline constexpr int kSummarySize = 32;
inline constexpr int kTrayNameSize = 80;

inline constexpr std::int32_t kKindPrint = 0;
inline constexpr std::int32_t kKindFax = 1;

struct AnnouncementHeader {
  std::int32_t headerSize;               // 0: 600
  std::int32_t recordCount;              // 4: 1
  std::int32_t value3;                   // 8: 3
  std::int32_t value11;                  // 12: 11
  char portName[kPortNameSize];          // 16
  char printerName[kPrinterNameSize];    // 276
  char userName[kUserNameSize];          // 532
  std::uint32_t firstRecord;             // 596: address (or offset) of the record
};
static_assert(sizeof(AnnouncementHeader) == 600);
static_assert(offsetof(AnnouncementHeader, portName) == 16);
static_assert(offsetof(AnnouncementHeader, printerName) == 276);
static_assert(offsetof(AnnouncementHeader, userName) == 532);
static_assert(offsetof(AnnouncementHeader, firstRecord) == 596);

struct DestinationRecord {
  std::int32_t recordSize;               // 0: 812
  std::int32_t kind;                     // 4: kKindFax or kKindPrint
  std::int32_t time;                     // 8: seconds since 1 January 1970
  char portName[kPortNameSize];          // 12
  char jobId[kJobIdSize];                // 272
  char documentName[kDocumentNameSize];  // 336
  char recipientSummary[kSummarySize];   // 596: empty for print
  char numberSummary[kSummarySize];      // 628: empty for print
  std::int32_t copies;                   // 660: print: 1 when the host count is > 0
  std::int32_t zero664;                  // 664: 0
  char emptyText[64];                    // 668: empty
  char trayName[kTrayNameSize];          // 732: print: the output tray
};
static_assert(sizeof(DestinationRecord) == 812);
static_assert(offsetof(DestinationRecord, portName) == 12);
static_assert(offsetof(DestinationRecord, jobId) == 272);
static_assert(offsetof(DestinationRecord, documentName) == 336);
static_assert(offsetof(DestinationRecord, recipientSummary) == 596);
static_assert(offsetof(DestinationRecord, numberSummary) == 628);
static_assert(offsetof(DestinationRecord, copies) == 660);
static_assert(offsetof(DestinationRecord, emptyText) == 668);
static_assert(offsetof(DestinationRecord, trayName) == 732);

struct Announcement {
  AnnouncementHeader header;
  DestinationRecord destination;
};
static_assert(sizeof(Announcement) == 1412);
static_assert(offsetof(Announcement, destination) == 600);

// The older format: this header, then `count` records of 660 bytes.
struct OldHeader {
  std::int32_t count;                    // 0
  std::int32_t value2;                   // 4: 2 when the header's value at 8 is 3, else 0
  std::int32_t value11;                  // 8: the header's value at 12
  char portName[kPortNameSize];          // 12
  char printerName[kPrinterNameSize];    // 272
  std::uint32_t firstRecord;             // 528: address (or offset 532) of the first record
};
static_assert(sizeof(OldHeader) == 532);
static_assert(offsetof(OldHeader, portName) == 12);
static_assert(offsetof(OldHeader, printerName) == 272);
static_assert(offsetof(OldHeader, firstRecord) == 528);

struct OldDestinationRecord {
  std::int32_t recordSize;               // 0: 660
  std::int32_t kindFlag;                 // 4: 1 when the kind is 6, else 0
  std::int32_t time;                     // 8
  char portName[kPortNameSize];          // 12
  char jobId[kJobIdSize];                // 272
  char documentName[kDocumentNameSize];  // 336
  char recipientSummary[kSummarySize];   // 596
  char numberSummary[kSummarySize];      // 628
};
static_assert(sizeof(OldDestinationRecord) == 660);
static_assert(offsetof(OldDestinationRecord, jobId) == 272);
static_assert(offsetof(OldDestinationRecord, documentName) == 336);
static_assert(offsetof(OldDestinationRecord, recipientSummary) == 596);
static_assert(offsetof(OldDestinationRecord, numberSummary) == 628);

inline constexpr std::size_t OldFormatSize(int count) {
  return sizeof(OldHeader) + sizeof(OldDestinationRecord) * static_cast<std::size_t>(count);
}

// What a first-record slot holds for a record `offset` bytes into `block`.
inline std::uint32_t RecordSlotValue(const void* block, std::size_t offset) {
  if constexpr (sizeof(void*) == 4) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(block) + offset);
  } else {
    return static_cast<std::uint32_t>(offset);
  }
}

// Entry points of the client library, with C linkage, by these types.
using VqrHandle = std::intptr_t;
using VqrInitializeFn = VqrHandle (*)(std::int32_t reserved);
using VqrHandleFn = std::int32_t (*)(VqrHandle handle);
using VqrTextFn = std::int32_t (*)(VqrHandle handle, char* buffer);
using VqrDataFn = std::int32_t (*)(VqrHandle handle, const void* data);

}  // namespace tq::monitor
