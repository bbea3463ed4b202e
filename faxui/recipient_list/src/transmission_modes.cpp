#include "recipient_list/comm_dialog.h"

namespace tq::faxui {

namespace {

constexpr int kAllModes[] = {kModeG3Auto, kModeF4800, kModeG4Auto, kTransmissionModeEnd};
// Without the G4 option the list ends after "F4800".
constexpr int kModesWithoutG4[] = {kModeG3Auto, kModeF4800, kTransmissionModeEnd};

}  // namespace

std::span<const int> RecipientTransmissionModes(bool g4Available) {
  if (g4Available) return kAllModes;
  return kModesWithoutG4;
}

std::span<const int> PhonebookTransmissionModes() { return kAllModes; }

}  // namespace tq::faxui
