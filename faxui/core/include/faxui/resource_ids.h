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
inline constexpr int kEntryDialogId = 103;
inline constexpr int kNewEntryDialogId = 105;
inline constexpr int kPhonebookDialogId = 106;
inline constexpr int kGroupEditorDialogId = 107;
inline constexpr int kPhonebookSelectionDialogId = 600;
inline constexpr int kGroupViewerDialogId = 700;
inline constexpr int kOptionsPageDialog = 102;
inline constexpr int kAboutPageDialog = 109;

// Bitmaps.
inline constexpr int kAboutBitmap = 101;
inline constexpr int kSeparatorBitmap = 103;

// Help contexts.
inline constexpr int kRecipientHelpContext = 15500;
inline constexpr int kCommHelpContext = 15508;
inline constexpr ULONG_PTR kPromptHelpContext = 15609;
inline constexpr ULONG_PTR kPhonebookHelpContext = 115;
inline constexpr ULONG_PTR kEntryEditorHelpContext = 15601;
inline constexpr ULONG_PTR kGroupEditorHelpContext = 15602;
inline constexpr int kOptionsPageHelpContext = 111;
inline constexpr int kResolutionHelpContext = 212;
inline constexpr int kReportHelpContext = 213;
inline constexpr int kHeaderHelpContext = 214;
inline constexpr int kPhonebookButtonHelpContext = 215;
inline constexpr int kAboutPageHelpContext = 10000;
inline constexpr int kAboutLinesHelpContext = 15000;
// Every help context the plug-in's dialogs and pages give: each has a topic
// in the help file.
inline constexpr ULONG_PTR kHelpContexts[] = {
    kRecipientHelpContext,   kCommHelpContext,          kPromptHelpContext,          kPhonebookHelpContext,
    kEntryEditorHelpContext, kGroupEditorHelpContext,   kOptionsPageHelpContext,     kResolutionHelpContext,
    kReportHelpContext,      kHeaderHelpContext,        kPhonebookButtonHelpContext, kAboutPageHelpContext,
    kAboutLinesHelpContext};

// Strings.
inline constexpr UINT kHelpFileNameString = 700;  // the help file's name
inline constexpr UINT kPhonebookFilterString = 1040;  // the phonebook file dialog's filter
inline constexpr UINT kImportProgramString = 3059;    // the Import application's file name
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

// Controls of the phonebook dialog (106, 600), the group editor (107) and
// the group viewer (700), which share their ids.
namespace pb {
inline constexpr int kEntryList = 601;
inline constexpr int kNewButton = 602;
inline constexpr int kPropertiesButton = 603;
inline constexpr int kMembersLabel = 604;
inline constexpr int kRecipientList = 605;  // the members in the group editor
inline constexpr int kSearchEdit = 606;
inline constexpr int kHelpButton = 607;
inline constexpr int kAddButton = 608;
inline constexpr int kDeleteButton = 609;
inline constexpr int kNewFileButton = 1012;
inline constexpr int kOpenFileButton = 1013;
inline constexpr int kSaveAsButton = 1014;
inline constexpr int kImportButton = 1018;
inline constexpr int kImportDone = 1022;
inline constexpr int kRemoveButton = 1024;  // "&Retirer de la liste", "&Supprimer"
inline constexpr int kImportDoneOther = 1028;
inline constexpr int kGroupName = 701;       // the group editor's name; hidden in the viewer
inline constexpr int kGroupHelpButton = 702;
}  // namespace pb

// Controls of the entry dialog (103) and the new-entry choice (105).
namespace entry {
inline constexpr int kNameLabel = 300;
inline constexpr int kName = 301;
inline constexpr int kCompanyLabel = 302;
inline constexpr int kCompany = 303;
inline constexpr int kFaxLabel = 304;
inline constexpr int kFax = 305;
inline constexpr int kTelephoneLabel = 306;
inline constexpr int kTelephone = 307;
inline constexpr int kEmailLabel = 308;
inline constexpr int kEmail = 309;
inline constexpr int kRemarksLabel = 310;
inline constexpr int kRemarks = 311;
inline constexpr int kHelpButton = 312;
inline constexpr int kViewFax = 313;
inline constexpr int kCommButton = 1005;
inline constexpr int kIndividual = 500;
inline constexpr int kGroup = 501;
}  // namespace entry

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
inline constexpr int kLoadedDialogs[] = {kRecipientDialogId,  kCommDialogId,        kFaxPromptDialog,
                                         kEntryDialogId,      kNewEntryDialogId,    kPhonebookDialogId,
                                         kGroupEditorDialogId, kPhonebookSelectionDialogId, kGroupViewerDialogId,
                                         kOptionsPageDialog,  kAboutPageDialog};
inline constexpr UINT kLoadedStrings[] = {kHelpFileNameString, kPhonebookFilterString, kModeG3Auto,
                                          kModeF4800, kModeG4Auto, kImportProgramString, optstr::kResolutionGroup,
                                          optstr::kResolutionNormal, optstr::kResolutionFine,
                                          optstr::kResolutionSuperfine, optstr::kResolutionUltrafine,
                                          optstr::kReportGroup, optstr::kReportAlways, optstr::kReportOnError,
                                          optstr::kReportNever, optstr::kHeaderCheck, optstr::kDefaultsButton};

}  // namespace tq::faxui
