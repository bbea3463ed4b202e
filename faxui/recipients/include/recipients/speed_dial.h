// Device speed-dial numbers typed into the recipient list: three digits,
// two digits and '*' (a block of ten), or "***".
#pragma once

namespace tq::faxui {

inline constexpr int kSpeedDialLength = 3;
inline constexpr int kSpeedDialLimitSmall = 200;
inline constexpr int kSpeedDialLimitLarge = 999;

enum SpeedDialCheck : int {
  kSpeedDialValid = 0,
  kSpeedDialWildcardMisuse = 1,
  kSpeedDialOutOfRange = 2,
};

// 999 when the host private area's speed-dial range flag is set, else 200
// (also for a null area).
int SpeedDialLimit(const unsigned char* hostPrivateArea);

// Checks `text` against `limit`; a text shorter than three characters
// without '*' is padded in place with leading '0' (so `text` must hold four
// units), 5 becoming 005.
SpeedDialCheck ValidateSpeedDialNumber(char16_t* text, int limit);

}  // namespace tq::faxui
