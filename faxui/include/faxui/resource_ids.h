// The resource identifiers of the Fax UI plug-in, all in one place: its
// dialog templates, their controls, its strings and the help contexts its
// dialogs open. Each part of the plug-in contributes the templates and
// strings it loads to the plug-in's resource script; the lists at the end
// name every one the code loads, and a test checks each built plug-in
// against them.
#pragma once

#include "win/types.h"

namespace tq::faxui {

// Dialog templates.
inline constexpr int kRecipientDialogId = 101;
inline constexpr int kCommDialogId = 104;
inline constexpr int kFaxPromptDialog = 108;
inline constexpr int kOptionsPageDialog = 102;
inline constexpr int kAboutPageDialog = 109;
inline constexpr int kPhonebookManagementDialog = 106;

// Bitmaps.
inline constexpr int kAboutBitmap = 101;

// Help contexts.
inline constexpr int kRecipientHelpContext = 15500;
inline constexpr int kCommHelpContext = 15508;
inline constexpr ULONG_PTR kPromptHelpContext = 15609;
inline constexpr int kOptionsPageHelpContext = 111;
inline constexpr int kResolutionHelpContext = 212;
inline constexpr int kReportHelpContext = 213;
inline constexpr int kHeaderHelpContext = 214;
inline constexpr int kPhonebookButtonHelpContext = 215;
inline constexpr int kAboutPageHelpContext = 10000;
inline constexpr int kAboutLinesHelpContext = 15000;
// Every help context the plug-in's dialogs and pages give: each has a topic
// in the help file.
inline constexpr int kHelpContexts[] = {kRecipientHelpContext,   kCommHelpContext,
                                        kPromptHelpContext,      kOptionsPageHelpContext,
                                        kResolutionHelpContext,  kReportHelpContext,
                                        kHeaderHelpContext,      kPhonebookButtonHelpContext,
                                        kAboutPageHelpContext,   kAboutLinesHelpContext};

// Strings.
inline constexpr UINT kHelpFileNameString = 700;  // the help file's name
inline constexpr UINT kPhonebookFilterString = 1040;  // the phonebook file dialog's filter
// Transmission modes, in list order; the position in the list is the
// index stored in the record.
inline constexpr int kModeG3Auto = 1050;
inline constexpr int kModeF4800 = 1051;
inline constexpr int kModeG4Auto = 1052;

// Controls of more than one dialog: the hidden scratch list of the
// phonebook and recipient dialogs, which holds the current phonebook's
// lines while recipients are stored, and the individuals already written
// while an older phonebook is converted.
inline constexpr int kScratchList = 1023;

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

// Controls of the confirmation dialog (108).
inline constexpr int kPromptRecipientList = 800;
inline constexpr int kPromptOk = 801;
inline constexpr int kPromptAbandon = 802;
inline constexpr int kPromptDelayedSend = 803;
inline constexpr int kPromptHour = 804;
inline constexpr int kPromptMinute = 805;
inline constexpr int kPromptHelp = 806;

// Controls of the options page (102).
namespace opt {
inline constexpr int kResolutionGroup = 201;
inline constexpr int kResolutionNormal = 202;
inline constexpr int kResolutionFine = 203;
inline constexpr int kResolutionSuperfine = 204;
inline constexpr int kResolutionUltrafine = 205;
inline constexpr int kReportGroup = 206;
inline constexpr int kReportAlways = 207;
inline constexpr int kReportOnError = 208;
inline constexpr int kReportNever = 209;
inline constexpr int kHeaderCheck = 210;
inline constexpr int kDefaultsButton = 211;
inline constexpr int kPhonebookButton = 1010;
}  // namespace opt

// Static texts of the "À propos de" page (109).
namespace about {
inline constexpr int kProductLine = 901;
inline constexpr int kVersionLine = 902;
inline constexpr int kRightsLine1 = 903;
inline constexpr int kRightsLine2 = 904;
}  // namespace about

// Descriptions of the options page's controls, given to the host.
namespace optstr {
inline constexpr UINT kResolutionGroup = 2002;
inline constexpr UINT kResolutionNormal = 2003;
inline constexpr UINT kResolutionFine = 2004;
inline constexpr UINT kResolutionSuperfine = 2005;
inline constexpr UINT kResolutionUltrafine = 2006;
inline constexpr UINT kReportGroup = 2010;
inline constexpr UINT kReportAlways = 2011;
inline constexpr UINT kReportOnError = 2012;
inline constexpr UINT kReportNever = 2013;
inline constexpr UINT kHeaderCheck = 2014;
inline constexpr UINT kPhonebookButton = 2015;  // not in the string table
inline constexpr UINT kDefaultsButton = 1008;
}  // namespace optstr

// Every template and string the plug-in's code loads (the pages' control
// descriptions are loaded by the host).
inline constexpr int kLoadedDialogs[] = {kRecipientDialogId, kCommDialogId, kFaxPromptDialog, kOptionsPageDialog,
                                         kAboutPageDialog};
inline constexpr UINT kLoadedStrings[] = {kHelpFileNameString, kPhonebookFilterString, kModeG3Auto,
                                          kModeF4800, kModeG4Auto, optstr::kResolutionGroup,
                                          optstr::kResolutionNormal, optstr::kResolutionFine,
                                          optstr::kResolutionSuperfine, optstr::kResolutionUltrafine,
                                          optstr::kReportGroup, optstr::kReportAlways, optstr::kReportOnError,
                                          optstr::kReportNever, optstr::kHeaderCheck, optstr::kDefaultsButton};

}  // namespace tq::faxui
