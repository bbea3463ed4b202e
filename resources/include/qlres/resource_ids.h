// Identifiers of the language resource library (qlresn.so, qlresp.so): its
// page templates, the controls the host reads and sets, the strings the host
// takes by number, the context menu and the watermark cursors.
#pragma once

namespace tq::qlres {

// Page templates. A caption or control text "#nnnn" names string nnnn.
inline constexpr int kPaperPage = 1000;  // paper size, output tray, copies, orientation
inline constexpr int kFinishingPage = 1500;  // duplex, stapling, job offset
inline constexpr int kJobTypePage = 2000;  // print, secure, sample or fax, with the held job's names
inline constexpr int kGraphicsPage = 2500;
inline constexpr int kLayoutPage = 3000;  // pages per sheet, booklet, fit to page, zoom, poster
inline constexpr int kDocumentOptionsPage = 3500;
inline constexpr int kOptimisationPage = 4000;
inline constexpr int kMediaPage = 4500;
inline constexpr int kJobOwnerPage = 5000;
inline constexpr int kOverlayPage = 5500;
inline constexpr int kCustomSizePage = 6000;
inline constexpr int kInstallableOptionsPage = 6500;
inline constexpr int kTraySwitchingPage = 7500;
inline constexpr int kWatermarkPage = 19000;
inline constexpr int kPages[] = {kPaperPage,         kFinishingPage,  kJobTypePage,          kGraphicsPage,
                                 kLayoutPage,        kDocumentOptionsPage, kOptimisationPage, kMediaPage,
                                 kJobOwnerPage,      kOverlayPage,    kCustomSizePage,       kInstallableOptionsPage,
                                 kTraySwitchingPage, kWatermarkPage};
// The about box is named, not numbered.
inline constexpr const char16_t* kAboutBox = u"ABOUTBOX";

// Controls of the paper page.
inline constexpr int kPaperSize = 1001;  // combo box
inline constexpr int kOutputTray = 1002;  // combo box: the four output trays, host tray 0 to 3
inline constexpr int kPortrait = 1003;
inline constexpr int kLandscape = 1004;
inline constexpr int kPaperPreview = 1005;  // the PAPER control
inline constexpr int kCollate = 1006;
inline constexpr int kCopies = 1007;  // edit, buddy of kCopiesSpinner
inline constexpr int kCopiesSpinner = 1008;

// Controls of the job type page.
inline constexpr int kJobPrint = 2001;  // automatic radio buttons, one group
inline constexpr int kJobSecure = 2002;
inline constexpr int kJobSample = 2003;
inline constexpr int kJobFax = 2004;
inline constexpr int kSecureUser = 2005;  // edits
inline constexpr int kSecurePassword = 2006;
inline constexpr int kSecureDocName = 2007;
inline constexpr int kJobTypeHelp = 2008;  // static text explaining the chosen type

// Controls of the installable options page.
inline constexpr int kTray4 = 6501;  // automatic check boxes up to kFaxMemory
inline constexpr int kSideTray = 6502;
inline constexpr int kFinisher = 6503;
inline constexpr int kOffsetTray = 6504;
inline constexpr int kDuplexModule = 6505;
inline constexpr int kHardDisk = 6506;
inline constexpr int kPrinterMemory = 6507;  // edit, buddy of kPrinterMemorySpinner
inline constexpr int kPrinterMemorySpinner = 6508;
inline constexpr int kFaxModule = 6509;
inline constexpr int kIsdnKit = 6510;
inline constexpr int kFaxMemory = 6511;
inline constexpr int kSpeedDialRange = 6512;  // combo box: 200 or 999 numbers
inline constexpr int kAutoConfigure = 6513;  // push button
inline constexpr int kNetworkAddress = 6514;  // edit

// Strings the host takes by number.
inline constexpr unsigned kHelpFileString = 700;
inline constexpr unsigned kSheetOkString = 61984;  // "text\nwidth"; 61988 "Fermer" has no width
inline constexpr unsigned kSheetCancelString = 61985;
inline constexpr unsigned kSheetApplyString = 61986;
inline constexpr unsigned kSheetHelpString = 61987;
inline constexpr unsigned kSheetCloseString = 61988;
inline constexpr unsigned kJobTypeStrings[] = {7048, 7049, 7050, 7051};  // print, secure, sample, fax
inline constexpr unsigned kFaxAddOnString = 20100;
inline constexpr unsigned kWatermarkAddOnString = 10100;
inline constexpr unsigned kPredefinedWatermarks[] = {19101, 19102, 19103, 19104, 19105, 19106};

// The context menu of the pages and its items.
inline constexpr int kPageMenu = 300;
inline constexpr int kMenuToolTips = 301;
inline constexpr int kMenuMessages = 302;
inline constexpr int kMenuShowAtPrint = 303;

// Cursors of the watermark preview.
inline constexpr int kMoveWatermarkCursor = 19000;
inline constexpr int kTurnWatermarkCursor = 19001;

}  // namespace tq::qlres
