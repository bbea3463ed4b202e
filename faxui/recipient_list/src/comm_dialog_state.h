// What the communication settings dialog works on while it is open: the
// caller's record and the group mode of the destination field.
#pragma once

#include "common/entry_record.h"
#include "dialogs/help.h"
#include "win/types.h"

namespace tq::faxui {

struct CommDialogState {
  EntryRecord* record = nullptr;
  bool g4Available = true;  // for the recipients' list of modes
  bool groupMode = false;
  DialogHelp help;
};

// Shows and enables the relay group, or hides and disables it.
void ShowRelayGroup(HWND dialog, const CommDialogState& state, bool show);
// The add and remove buttons of the destination list from its count.
void SetDestinationButtons(HWND dialog, const EntryRecord& record);

// Destination list handlers (comm_destinations.cpp).
void FillDestinationList(HWND dialog, const EntryRecord& record);
void AddDestination(HWND dialog, CommDialogState& state);
void RemoveDestinations(HWND dialog, CommDialogState& state);
void FilterDestination(HWND dialog, const CommDialogState& state);

}  // namespace tq::faxui
