#include "recipients/speed_dial.h"

#include "common/byte_order.h"
#include "common/host_settings.h"
#include "faxui/text_routines.h"

namespace tq::faxui {

int SpeedDialLimit(const unsigned char* hostPrivateArea) {
  if (hostPrivateArea == nullptr) return kSpeedDialLimitSmall;
  return ReadInt32(hostPrivateArea, hsb::priv::kSpeedDialRange) != 0 ? kSpeedDialLimitLarge
                                                                     : kSpeedDialLimitSmall;
}

SpeedDialCheck ValidateSpeedDialNumber(char16_t* text, int limit) {
  int length = 0;
  while (text[length] != u'\0') ++length;

  if (length == kSpeedDialLength) {
    // "***" or a two-digit prefix and an optional final '*'.
    if (text[0] == u'*') {
      if (text[1] != u'*' || text[2] != u'*') return kSpeedDialWildcardMisuse;
    } else if (text[1] == u'*') {
      return kSpeedDialWildcardMisuse;
    }
  } else {
    for (int i = 0; i < length; ++i) {
      if (text[i] == u'*') return kSpeedDialWildcardMisuse;
    }
    // A speed-dial number is exactly three characters in the record.
    if (length > kSpeedDialLength) return kSpeedDialOutOfRange;
    LeftPadWide(text, length, kSpeedDialLength);
  }

  if (text[0] == u'*') return kSpeedDialValid;
  // The digits, with a final '*' standing for '0', as a number; the filter
  // keeps anything but digits and '*' out of the field.
  char digits[kSpeedDialLength + 1] = {};
  for (int i = 0; i < kSpeedDialLength; ++i) digits[i] = static_cast<char>(text[i]);
  const bool block = digits[kSpeedDialLength - 1] == '*';
  if (block) digits[kSpeedDialLength - 1] = '0';
  const int value = DecimalValue(digits);
  if ((!block && value < 1) || value > limit) return kSpeedDialOutOfRange;
  return kSpeedDialValid;
}

}  // namespace tq::faxui
