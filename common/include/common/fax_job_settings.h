// The fax add-on's two private blocks inside the host's job settings:
// FaxOptionsBlock (block 1, 172 bytes) and FaxSendBlock (block 3, 11816).
// All integers are 32-bit little-endian; texts are ANSI, NUL-terminated in
// their slots.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/recipient_list.h"

namespace tq {

enum FaxResolution : std::int32_t { kResNormal = 0, kResFine = 1, kResSuperfine = 2, kResUltrafine = 3 };
enum FaxReport : std::int32_t { kReportAlways = 0, kReportOnError = 1, kReportNever = 2 };

inline constexpr std::int32_t kOptionsJobModeFax = 3;
inline constexpr int kClientIdSize = 101;       // 100 characters and the terminator
inline constexpr int kSecureUserIdSize = 25;
inline constexpr int kSecurePasswordSize = 5;
inline constexpr int kSecureDocNameSize = 25;

struct FaxOptionsBlock {
  std::int32_t jobMode;                   // 0: 3 means fax
  std::int32_t resolution;                // 4: FaxResolution
  std::int32_t report;                    // 8: FaxReport
  std::int32_t header;                    // 12: 1 yes, 0 no
  char clientId[kClientIdSize];           // 16: monitor client id "." job id
  char userId[kSecureUserIdSize];         // 117: secure or sample print
  char password[kSecurePasswordSize];     // 142: secure print
  char docName[kSecureDocNameSize];       // 147: empty: taken from the job
};
static_assert(sizeof(FaxOptionsBlock) == 172);
static_assert(offsetof(FaxOptionsBlock, resolution) == 4);
static_assert(offsetof(FaxOptionsBlock, report) == 8);
static_assert(offsetof(FaxOptionsBlock, header) == 12);
static_assert(offsetof(FaxOptionsBlock, clientId) == 16);
static_assert(offsetof(FaxOptionsBlock, userId) == 117);
static_assert(offsetof(FaxOptionsBlock, password) == 142);
static_assert(offsetof(FaxOptionsBlock, docName) == 147);

struct FaxSendBlock {
  std::int32_t delayedSend;               // 0: 1 on
  std::int32_t sendHour;                  // 4: 0..23
  std::int32_t sendMinute;                // 8: 0..59
  RecipientListBlock recipients;          // 12: count, then 50 slots
};
static_assert(sizeof(FaxSendBlock) == 11816);
static_assert(offsetof(FaxSendBlock, recipients) == 12);
static_assert(offsetof(FaxSendBlock, recipients) + offsetof(RecipientListBlock, records) == 16);

inline constexpr FaxOptionsBlock MakeDefaultFaxDS() {
  FaxOptionsBlock block{};
  block.jobMode = 0;
  block.resolution = kResFine;
  block.report = kReportOnError;
  block.header = 1;
  return block;
}
inline constexpr FaxOptionsBlock DefaultFaxDS = MakeDefaultFaxDS();
inline constexpr FaxSendBlock DefaultFaxSS{};

struct FaxJobSettings {
  FaxOptionsBlock options;
  FaxSendBlock send;
};

}  // namespace tq
