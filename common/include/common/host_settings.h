// The host driver's job settings block (HostSettingsBlock) as the plug-ins
// see it: a byte block laid out by the host, of which only these 32-bit
// fields are relied on. Offsets are from the start of the block, or from the
// start of the private and job-state areas that fields 548 and 552 locate.
#pragma once

#include <cstddef>

#include "common/byte_order.h"

namespace tq::hsb {

inline constexpr std::size_t kPrivateAreaOffset = 548;
inline constexpr std::size_t kJobStateOffset = 552;
inline constexpr std::size_t kCopies = 572;
inline constexpr std::size_t kCopiesHostFlag = 592;
inline constexpr std::size_t kOutputTray = 640;   // 0 centre .. 3 finisher lower
inline constexpr std::size_t kJobMode = 1800;     // 1 secure, 2 sample, 3 fax, else print
inline constexpr std::size_t kHostCount = 1804;
inline constexpr std::size_t kDocumentMonitor = 1808;

inline constexpr int kJobModeSecure = 1;
inline constexpr int kJobModeSample = 2;
inline constexpr int kJobModeFax = 3;

// Fields of the private area.
namespace priv {
inline constexpr std::size_t kCopiesFlag = 4;
inline constexpr std::size_t kCopiesFlag676 = 676;
inline constexpr std::size_t kG4Option = 680;
inline constexpr std::size_t kCopiesFlag684 = 684;
inline constexpr std::size_t kFaxFeature = 692;
inline constexpr std::size_t kAccountUser = 756;  // 32 bytes of ANSI text
inline constexpr std::size_t kAccountUserSize = 32;
inline constexpr std::size_t kSpeedDialRange = 832;
inline constexpr std::size_t kMinimumSize = 836;
}  // namespace priv

// Fields of the job-state area.
namespace jobstate {
inline constexpr std::size_t kSkipFaxFlow = 164;  // 1: no print-time flow for this job
inline constexpr std::size_t kMinimumSize = 168;
}  // namespace jobstate

inline int Field(const void* block, std::size_t offset) { return ReadInt32(block, offset); }
inline void SetField(void* block, std::size_t offset, int value) { WriteInt32(block, offset, value); }

inline unsigned char* PrivateArea(void* block) {
  return static_cast<unsigned char*>(block) + ReadInt32(block, kPrivateAreaOffset);
}
inline const unsigned char* PrivateArea(const void* block) {
  return static_cast<const unsigned char*>(block) + ReadInt32(block, kPrivateAreaOffset);
}
inline unsigned char* JobStateArea(void* block) {
  return static_cast<unsigned char*>(block) + ReadInt32(block, kJobStateOffset);
}
inline const unsigned char* JobStateArea(const void* block) {
  return static_cast<const unsigned char*>(block) + ReadInt32(block, kJobStateOffset);
}

}  // namespace tq::hsb

namespace tq {

// Printer escapes that the host answers on the job's device context.
inline constexpr int kEscapeGetSettings = 15000;
inline constexpr int kEscapeSetSettings = 15001;
inline constexpr int kEscapeSettingsSize = 15002;
inline constexpr int kEscapeFaxPoint = 15004;
// A fax job given with its recipients, sent without the prompt: 15005
// answers the size of the host's text of it (0: none, the prompt runs),
// 15006 copies that text into the output buffer. 15007 hands the host the
// reason (UTF-8) why the plug-in refused the given job.
inline constexpr int kEscapeGivenJobSize = 15005;
inline constexpr int kEscapeGetGivenJob = 15006;
inline constexpr int kEscapeRefuseJob = 15007;

}  // namespace tq
