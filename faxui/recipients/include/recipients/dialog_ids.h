// Template and control identifiers of the recipient dialog and the
// communication settings dialog.
#pragma once

namespace tq::faxui {

inline constexpr int kRecipientDialogId = 101;
inline constexpr int kCommDialogId = 104;
inline constexpr int kRecipientHelpContext = 15500;
inline constexpr int kCommHelpContext = 15508;

namespace rcp {
inline constexpr int kNameEdit = 1001;
inline constexpr int kNameLabel = 1002;
inline constexpr int kFaxNumberLabel = 1003;
inline constexpr int kNumberEdit = 1004;
inline constexpr int kCommButton = 1005;
inline constexpr int kAddButton = 1006;
inline constexpr int kListLabel = 1007;
inline constexpr int kList = 1008;
inline constexpr int kDetailsButton = 1009;
inline constexpr int kSearchPhonebookButton = 1010;
inline constexpr int kStoreButton = 1011;
inline constexpr int kPhonebookLabel = 1015;
inline constexpr int kPhonebookPath = 1016;
inline constexpr int kHelpButton = 1017;
inline constexpr int kImportButton = 1018;
inline constexpr int kImportDone = 1022;
inline constexpr int kScratchList = 1023;
inline constexpr int kRemoveButton = 1024;
inline constexpr int kSpeedDialLabel200 = 1025;
inline constexpr int kSpeedDialLabel999 = 1026;
inline constexpr int kSpeedDialCheck = 1027;
inline constexpr int kImportDoneOther = 1028;
}  // namespace rcp

namespace comm {
inline constexpr int kModeLabel = 401;
inline constexpr int kModeList = 402;
inline constexpr int kSecureCheck = 403;
inline constexpr int kRelayCheck = 404;
inline constexpr int kMailboxLabel = 405;
inline constexpr int kMailboxEdit = 406;
inline constexpr int kMailboxPasswordLabel = 407;
inline constexpr int kMailboxPasswordEdit = 408;
inline constexpr int kRelayTerminalLabel = 409;
inline constexpr int kRelayTerminalEdit = 410;
inline constexpr int kPrintOnRelayCheck = 411;
inline constexpr int kDestinationEdit = 412;
inline constexpr int kDestinationListLabel = 413;
inline constexpr int kDestinationList = 414;
inline constexpr int kAddDestinationButton = 415;
inline constexpr int kRemoveDestinationButton = 416;
inline constexpr int kGroupCheck = 417;
inline constexpr int kDestinationLabel99 = 418;
inline constexpr int kDestinationLabel9 = 419;
inline constexpr int kFCodeLabel = 420;
inline constexpr int kFCodeEdit = 421;
inline constexpr int kFCodePasswordLabel = 422;
inline constexpr int kFCodePasswordEdit = 423;
inline constexpr int kHelpButton = 424;
}  // namespace comm

}  // namespace tq::faxui
