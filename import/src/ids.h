// Resource identifiers of the Import application: its dialog templates,
// their controls, its strings and the help contexts.
#pragma once

namespace tq::import {

inline constexpr int kConfirmDialog = 101;
inline constexpr int kCsvSelectDialog = 102;
inline constexpr int kAssociateDialog = 114;
inline constexpr int kSourceDialog = 116;
inline constexpr int kProgressDialog = 117;
inline constexpr int kSpeedDialSelectDialog = 118;
inline constexpr int kSpeedDialDetailsDialog = 119;

inline constexpr unsigned kCsvFilterString = 1;
inline constexpr unsigned kWabFilterString = 2;

inline constexpr unsigned long kSourceHelpContext = 15510;
inline constexpr unsigned long kCsvSelectHelpContext = 15511;
inline constexpr unsigned long kSpeedDialHelpContext = 15514;

// The control of the recipient dialog that tells the launcher apart: with
// it the import is limited to one recipient list.
inline constexpr int kLauncherRecipientList = 1008;
inline constexpr int kRecipientLimit = 50;

// Commands posted to the launching window when the run ends.
inline constexpr int kNamesImported = 1022;
inline constexpr int kSpeedDialImported = 1028;

namespace source {
inline constexpr int kKind = 1056;
inline constexpr int kAutomaticSearch = 1057;
inline constexpr int kHelp = 1058;
inline constexpr int kDefaultWab = 1059;
}  // namespace source

namespace associate {
inline constexpr int kColumns = 1051;
inline constexpr int kName = 1052;
inline constexpr int kNameButton = 1053;
inline constexpr int kFaxButton = 1054;
inline constexpr int kFax = 1055;
}  // namespace associate

// The two-list selection dialogs (102 and 118).
namespace select {
inline constexpr int kMove = 1001;
inline constexpr int kChosen = 1002;
inline constexpr int kSearch = 1003;
inline constexpr int kAll = 1004;
inline constexpr int kChosenTitle = 1005;
inline constexpr int kHelp = 1047;
inline constexpr int kRemove = 1049;
inline constexpr int kDetails = 1050;
}  // namespace select

namespace details {
inline constexpr int kName = 1060;
inline constexpr int kFax = 1061;
inline constexpr int kMode = 1062;
inline constexpr int kMailbox = 1063;
inline constexpr int kRelay = 1064;
inline constexpr int kFCode = 1065;
}  // namespace details

namespace confirm {
inline constexpr int kList = 1001;
inline constexpr int kCountText = 1002;
inline constexpr int kTotal = 1003;
inline constexpr int kRejected = 1004;
inline constexpr int kValid = 1005;
inline constexpr int kLimitNote = 1054;
inline constexpr int kRejectedLabel = 1055;
}  // namespace confirm

}  // namespace tq::import
