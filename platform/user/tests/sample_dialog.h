// The tests' own sample dialogs and their resource script: a fax number
// field with a character filter, a sorted list with extended selection, a
// radio group and a check box, and buttons that open a nested dialog and a
// message box. Used in-process by the tests and by the runner program.
#pragma once

#include <string>
#include <vector>

#include "win/user.h"

namespace sample {

inline constexpr int kMainDialog = 100;
inline constexpr int kDetailsDialog = 200;
inline constexpr int kTimerDialog = 300;

inline constexpr int kNumber = 1001;     // edit, limit 20, filtered
inline constexpr int kNames = 1002;      // sorted list, extended selection, wants keys
inline constexpr int kFine = 1003;       // radio group 1003..1005
inline constexpr int kStandard = 1004;
inline constexpr int kFast = 1005;
inline constexpr int kReport = 1006;     // automatic check box
inline constexpr int kDetails = 1007;    // opens dialog 200
inline constexpr int kWarn = 1008;       // message box
inline constexpr int kStatus = 1009;     // static
inline constexpr int kDetailText = 2001;
inline constexpr int kImportDone = 1022;  // posted from elsewhere

// What the dialogs saw, for the tests to check.
struct Record {
  std::vector<std::u16string> numberTexts;  // the field's text at each EN_CHANGE
  int beeps = 0;
  int deleteKeys = 0;
  bool ownerDisabledInDetails = false;
  bool ownerEnabledAfterDetails = false;
  int boxAnswer = 0;
  int focusAfterBox = 0;      // the control with the focus when the box was answered
  int focusAfterDetails = 0;  // ... and when the nested dialog ended
  int posted = 0;
  int timerTicks = 0;
};

HINSTANCE Instance();
// Registers the resource script under Instance(); safe to call again.
void RegisterSampleResources();
Record& TheRecord();
INT_PTR MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR TimerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The names the main dialog's list starts with, in insertion order.
const std::vector<std::u16string>& StartNames();

}  // namespace sample
