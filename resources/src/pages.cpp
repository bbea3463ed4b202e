// The fourteen property page templates of the driver. Texts "#nnnn" name
// strings of the library; the host's dialog framework puts them in place.
// A spinner's text gives minimum, maximum, step, two values of its own
// (0 here) and the identifier of its buddy edit.
#include "library_model.h"
#include "parts.h"
#include "qlres/resource_ids.h"
#include "win/user.h"

namespace tq::qlres {
namespace {

using res::ControlTemplate;
using res::DialogTemplate;

constexpr DWORD kPage = WS_CHILD | DS_CONTROL;
constexpr DWORD kCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
constexpr DWORD kNumber = ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr int kLabel = -1;  // a static text nobody addresses

const ControlTemplate kPaper[] = {
    {WC_BUTTONW, kLabel, u"#7042", 6, 4, 240, 78, BS_GROUPBOX},
    {WC_STATICW, kLabel, u"#7070", 12, 18, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, kPaperSize, u"", 96, 16, 140, 120, kCombo},
    {WC_STATICW, kLabel, u"#7107", 12, 36, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, kOutputTray, u"", 96, 34, 140, 80, kCombo},
    {WC_STATICW, kLabel, u"#7091", 12, 56, 80, 8, SS_LEFT},
    {WC_BUTTONW, kPortrait, u"#7092", 96, 54, 60, 10, kRadio | WS_GROUP | WS_TABSTOP},
    {WC_BUTTONW, kLandscape, u"#7093", 160, 54, 60, 10, kRadio},
    {WC_BUTTONW, kLabel, u"#7045", 6, 88, 120, 50, BS_GROUPBOX},
    {WC_STATICW, kLabel, u"#7146", 12, 104, 36, 8, SS_LEFT},
    {WC_EDITW, kCopies, u"", 50, 102, 36, 12, kNumber | WS_GROUP | WS_BORDER},
    {HostClass(CustomControl::kSpinner), kCopiesSpinner, u"1,999,1,0,0,1007", 86, 102, 10, 12},
    {WC_BUTTONW, kCollate, u"#7147", 12, 120, 100, 10, kCheck},
    {HostClass(CustomControl::kPaper), kPaperPreview, u"", 136, 90, 110, 110},
    {WC_STATICW, kLabel, u"#7094", 6, 146, 124, 40, SS_LEFT},
};

const ControlTemplate kFinishing[] = {
    {WC_BUTTONW, kLabel, u"#7120", 6, 4, 240, 58, BS_GROUPBOX},
    {WC_BUTTONW, 1501, u"#7121", 12, 16, 110, 10, kRadio | WS_GROUP | WS_TABSTOP},
    {WC_BUTTONW, 1502, u"#7122", 12, 30, 110, 10, kRadio},
    {WC_BUTTONW, 1503, u"#7123", 12, 44, 110, 10, kRadio},
    {WC_STATICW, kLabel, u"#7125", 130, 30, 70, 8, SS_LEFT},
    {WC_EDITW, 1504, u"", 200, 28, 26, 12, kNumber | WS_GROUP | WS_BORDER},
    {HostClass(CustomControl::kSpinner), 1505, u"0,20,1,0,0,1504", 226, 28, 10, 12},
    {WC_STATICW, kLabel, u"#7126", 238, 30, 8, 8, SS_LEFT},
    {WC_BUTTONW, kLabel, u"#7044", 6, 68, 240, 96, BS_GROUPBOX},
    {WC_STATICW, kLabel, u"#7152", 12, 100, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, 1507, u"", 96, 98, 140, 80, kCombo},
    {WC_BUTTONW, 1508, u"#7140", 12, 118, 110, 10, kCheck},
    {WC_COMBOBOXW, 1509, u"", 96, 134, 140, 60, kCombo},
    {WC_STATICW, kLabel, u"#7143", 12, 150, 228, 10, SS_LEFT},
    {HostClass(CustomControl::kImage), 1510, u"", 6, 172, 32, 32},
    {WC_STATICW, kLabel, u"#7124", 44, 172, 200, 24, SS_LEFT},
};

const ControlTemplate kJobType[] = {
    {WC_BUTTONW, kLabel, u"#7031", 6, 4, 240, 72, BS_GROUPBOX},
    {WC_BUTTONW, kJobPrint, u"#7048", 12, 18, 110, 10, kRadio | WS_GROUP | WS_TABSTOP},
    {WC_BUTTONW, kJobSecure, u"#7049", 12, 32, 110, 10, kRadio},
    {WC_BUTTONW, kJobSample, u"#7050", 12, 46, 110, 10, kRadio},
    {WC_BUTTONW, kJobFax, u"#7051", 12, 60, 110, 10, kRadio},
    {HostClass(CustomControl::kImage), 2009, u"", 200, 18, 32, 32},
    {WC_BUTTONW, kLabel, u"#7067", 6, 82, 240, 70, BS_GROUPBOX},
    {WC_STATICW, kLabel, u"#7052", 12, 98, 80, 8, SS_LEFT},
    {WC_EDITW, kSecureUser, u"", 96, 96, 140, 12, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP | WS_BORDER},
    {WC_STATICW, kLabel, u"#7053", 12, 116, 80, 8, SS_LEFT},
    {WC_EDITW, kSecurePassword, u"", 96, 114, 60, 12, ES_PASSWORD | kNumber | WS_BORDER},
    {WC_STATICW, kLabel, u"#7054", 12, 134, 80, 8, SS_LEFT},
    {WC_EDITW, kSecureDocName, u"", 96, 132, 140, 12, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER},
    {WC_STATICW, kJobTypeHelp, u"#7056", 6, 160, 240, 24, SS_LEFT},
    {WC_STATICW, kLabel, u"#7069", 6, 188, 240, 16, SS_LEFT},
};

const ControlTemplate kGraphics[] = {
    {HostClass(CustomControl::kTabControl), 2501, u"", 4, 4, 244, 210, WS_TABSTOP},
    {WC_STATICW, kLabel, u"#7176", 12, 26, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, 2502, u"", 96, 24, 140, 60, kCombo},
    {WC_STATICW, kLabel, u"#7180", 12, 44, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, 2503, u"", 96, 42, 140, 60, kCombo},
    {WC_STATICW, kLabel, u"#7187", 12, 60, 224, 16, SS_LEFT},
    {WC_STATICW, kLabel, u"#7183", 12, 84, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, 2504, u"", 96, 82, 140, 60, kCombo},
    {WC_STATICW, kLabel, u"#7188", 12, 100, 224, 16, SS_LEFT},
    {WC_BUTTONW, 2505, u"#7189", 12, 124, 140, 10, kCheck},
};

const ControlTemplate kLayout[] = {
    {WC_STATICW, kLabel, u"#7190", 12, 10, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, 3001, u"", 96, 8, 80, 100, kCombo},
    {WC_STATICW, kLabel, u"#7197", 12, 28, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, 3002, u"", 96, 26, 140, 60, kCombo},
    {WC_BUTTONW, 3003, u"#7200", 12, 44, 140, 10, kCheck},
    {WC_BUTTONW, 3004, u"#7201", 12, 62, 80, 10, kCheck},
    {WC_COMBOBOXW, 3005, u"", 96, 60, 140, 60, kCombo},
    {WC_BUTTONW, 3006, u"#7204", 12, 80, 140, 10, kCheck},
    {WC_STATICW, kLabel, u"#7205", 12, 98, 80, 8, SS_LEFT},
    {WC_EDITW, 3010, u"", 96, 96, 30, 12, kNumber | WS_BORDER},
    {HostClass(CustomControl::kSpinner), 3011, u"25,400,1,0,0,3010", 126, 96, 10, 12},
    {WC_STATICW, kLabel, u"#7206", 140, 98, 10, 8, SS_LEFT},
    {WC_BUTTONW, 3007, u"#7207", 12, 116, 80, 10, kCheck},
    {WC_COMBOBOXW, 3008, u"", 96, 114, 140, 60, kCombo},
    {WC_STATICW, 3009, u"#7212", 12, 136, 230, 24, SS_LEFT},
    {HostClass(CustomControl::kPaper), 3012, u"", 12, 162, 60, 48},
};

const ControlTemplate kDocumentOptions[] = {
    {WC_BUTTONW, kLabel, u"#7033", 6, 4, 240, 130, BS_GROUPBOX},
    {WC_BUTTONW, 3501, u"#7164", 12, 18, 140, 10, kCheck},
    {WC_BUTTONW, 3502, u"#7166", 12, 32, 140, 10, kCheck},
    {WC_BUTTONW, 3503, u"#7168", 12, 46, 140, 10, kCheck},
    {WC_BUTTONW, 3504, u"#7169", 12, 60, 140, 10, kCheck},
    {WC_BUTTONW, 3505, u"#7170", 12, 74, 140, 10, kCheck},
    {WC_BUTTONW, 3506, u"#7171", 12, 88, 140, 10, kCheck},
    {WC_BUTTONW, 3507, u"#7172", 12, 102, 140, 10, kCheck},
    {WC_STATICW, kLabel, u"#7173", 6, 142, 240, 16, SS_LEFT},
    {WC_STATICW, kLabel, u"#7165", 6, 162, 240, 16, SS_LEFT},
};

const ControlTemplate kOptimisation[] = {
    {WC_BUTTONW, kLabel, u"#1009", 6, 4, 240, 58, BS_GROUPBOX},
    {WC_BUTTONW, 4001, u"#1010", 12, 18, 120, 10, kRadio | WS_GROUP | WS_TABSTOP},
    {WC_BUTTONW, 4002, u"#1011", 12, 32, 120, 10, kRadio},
    {WC_BUTTONW, 4003, u"#1012", 12, 46, 120, 10, kRadio},
    {WC_STATICW, kLabel, u"#1013", 140, 32, 60, 8, SS_LEFT},
    {WC_COMBOBOXW, 4004, u"", 140, 44, 100, 60, kCombo},
    {WC_BUTTONW, 4005, u"#1006", 12, 70, 140, 10, kCheck},
    {WC_BUTTONW, 4006, u"#1005", 12, 84, 140, 10, kCheck},
    {WC_BUTTONW, 4007, u"#1007", 12, 98, 140, 10, kRadio | WS_GROUP | WS_TABSTOP},
    {WC_BUTTONW, 4008, u"#1008", 12, 112, 140, 10, kRadio},
    {WC_STATICW, 4009, u"#4000", 6, 132, 240, 40, SS_LEFT},
};

const ControlTemplate kMedia[] = {
    {WC_STATICW, kLabel, u"#7100", 12, 86, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, 4505, u"", 96, 84, 140, 80, kCombo},
    {WC_STATICW, kLabel, u"#7130", 12, 10, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, 4501, u"", 96, 8, 140, 120, kCombo},
    {WC_STATICW, kLabel, u"#7139", 12, 28, 224, 16, SS_LEFT},
    {WC_STATICW, kLabel, u"#7114", 12, 52, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, 4502, u"", 96, 50, 140, 80, kCombo},
    {WC_STATICW, kLabel, u"#7115", 12, 70, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, 4503, u"", 96, 68, 140, 80, kCombo},
    {HostClass(CustomControl::kImage), 4504, u"", 12, 110, 32, 32},
};

const ControlTemplate kJobOwner[] = {
    {WC_BUTTONW, kLabel, u"#7280", 6, 4, 240, 70, BS_GROUPBOX},
    {WC_BUTTONW, 5001, u"#7281", 12, 18, 140, 10, kRadio | WS_GROUP | WS_TABSTOP},
    {WC_BUTTONW, 5002, u"#7282", 12, 32, 140, 10, kRadio},
    {WC_BUTTONW, 5003, u"#7283", 12, 46, 80, 10, kRadio},
    {WC_EDITW, 5004, u"", 96, 45, 140, 12, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP | WS_BORDER},
    {WC_STATICW, kLabel, u"#7286", 12, 60, 228, 10, SS_LEFT},
    {WC_STATICW, kLabel, u"#7284", 12, 86, 80, 8, SS_LEFT},
    {WC_EDITW, 5005, u"", 96, 84, 60, 12, kNumber | WS_BORDER},
    {WC_STATICW, kLabel, u"#7285", 12, 102, 228, 16, SS_LEFT},
    {WC_BUTTONW, 5006, u"#7289", 12, 124, 140, 10, kCheck},
    {WC_STATICW, kLabel, u"#7290", 24, 136, 220, 10, SS_LEFT},
};

const ControlTemplate kOverlay[] = {
    {WC_STATICW, kLabel, u"#7300", 12, 10, 80, 8, SS_LEFT},
    {WC_COMBOBOXW, 5501, u"", 96, 8, 140, 80, kCombo},
    {WC_BUTTONW, 5502, u"#7302", 12, 28, 70, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_BUTTONW, 5503, u"#7303", 88, 28, 70, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_BUTTONW, 5504, u"#7304", 164, 28, 70, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_STATICW, kLabel, u"#7305", 12, 52, 100, 8, SS_LEFT},
    {WC_BUTTONW, 5505, u"#7306", 112, 50, 100, 10, kRadio | WS_GROUP | WS_TABSTOP},
    {WC_BUTTONW, 5506, u"#7307", 112, 62, 100, 10, kRadio},
    {WC_BUTTONW, kLabel, u"#6500", 6, 80, 240, 58, BS_GROUPBOX},
    {WC_BUTTONW, 5507, u"#6501", 12, 94, 120, 10, kRadio | WS_GROUP | WS_TABSTOP},
    {WC_BUTTONW, 5508, u"#6502", 12, 108, 120, 10, kRadio},
    {WC_BUTTONW, 5509, u"#6503", 12, 122, 120, 10, kRadio},
    {WC_STATICW, 5510, u"#6505", 136, 94, 104, 40, SS_LEFT},
    {WC_STATICW, kLabel, u"#7308", 6, 146, 240, 16, SS_LEFT},
};

const ControlTemplate kCustomSize[] = {
    {WC_STATICW, kLabel, u"#7328", 12, 8, 100, 8, SS_LEFT},
    {WC_LISTBOXW, 6001, u"", 12, 20, 100, 100, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {WC_STATICW, kLabel, u"#7316", 120, 20, 60, 8, SS_LEFT},
    {WC_EDITW, 6002, u"", 180, 18, 60, 12, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER},
    {WC_STATICW, kLabel, u"#7317", 120, 38, 60, 8, SS_LEFT},
    {WC_EDITW, 6003, u"", 180, 36, 40, 12, kNumber | WS_BORDER},
    {HostClass(CustomControl::kSpinner), 6004, u"76,216,1,0,0,6003", 220, 36, 10, 12},
    {WC_STATICW, kLabel, u"#7318", 120, 56, 60, 8, SS_LEFT},
    {WC_EDITW, 6005, u"", 180, 54, 40, 12, kNumber | WS_BORDER},
    {HostClass(CustomControl::kSpinner), 6006, u"127,356,1,0,0,6005", 220, 54, 10, 12},
    {WC_STATICW, kLabel, u"#7319", 120, 74, 60, 8, SS_LEFT},
    {WC_BUTTONW, 6007, u"#7320", 180, 72, 40, 10, kRadio | WS_GROUP | WS_TABSTOP},
    {WC_BUTTONW, 6008, u"#7321", 180, 84, 50, 10, kRadio},
    {WC_BUTTONW, 6009, u"#7322", 120, 104, 56, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_BUTTONW, 6010, u"#7323", 182, 104, 56, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_STATICW, kLabel, u"#7329", 12, 128, 228, 16, SS_LEFT},
};

const ControlTemplate kInstallableOptions[] = {
    {WC_BUTTONW, kLabel, u"#7220", 6, 4, 240, 92, BS_GROUPBOX},
    {WC_BUTTONW, kTray4, u"#7221", 12, 16, 110, 10, kCheck},
    {WC_BUTTONW, kSideTray, u"#7222", 12, 30, 110, 10, kCheck},
    {WC_BUTTONW, kFinisher, u"#7223", 12, 44, 110, 10, kCheck},
    {WC_BUTTONW, kOffsetTray, u"#7224", 128, 16, 110, 10, kCheck},
    {WC_BUTTONW, kDuplexModule, u"#7225", 128, 30, 110, 10, kCheck},
    {WC_BUTTONW, kHardDisk, u"#7226", 128, 44, 110, 10, kCheck},
    {WC_STATICW, kLabel, u"#7227", 12, 62, 100, 8, SS_LEFT},
    {WC_EDITW, kPrinterMemory, u"", 128, 60, 36, 12, kNumber | WS_BORDER},
    {HostClass(CustomControl::kSpinner), kPrinterMemorySpinner, u"64,1024,16,0,0,6507", 164, 60, 10, 12},
    {WC_STATICW, kLabel, u"#7228", 178, 62, 20, 8, SS_LEFT},
    {WC_STATICW, kLabel, u"#7229", 12, 78, 228, 10, SS_LEFT},
    {WC_BUTTONW, kLabel, u"#7235", 6, 100, 240, 58, BS_GROUPBOX},
    {WC_BUTTONW, kFaxModule, u"#7236", 12, 112, 110, 10, kCheck},
    {WC_BUTTONW, kIsdnKit, u"#7238", 12, 126, 110, 10, kCheck},
    {WC_BUTTONW, kFaxMemory, u"#7240", 12, 140, 110, 10, kCheck},
    {WC_STATICW, kLabel, u"#7242", 128, 112, 110, 8, SS_LEFT},
    {WC_COMBOBOXW, kSpeedDialRange, u"", 128, 124, 110, 60, kCombo},
    {WC_BUTTONW, kLabel, u"#7246", 6, 162, 240, 50, BS_GROUPBOX},
    {WC_STATICW, kLabel, u"#7250", 12, 176, 110, 8, SS_LEFT},
    {WC_EDITW, kNetworkAddress, u"", 128, 174, 110, 12, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER},
    {WC_BUTTONW, kAutoConfigure, u"#7248", 128, 192, 110, 14, BS_PUSHBUTTON | WS_TABSTOP},
};

const ControlTemplate kTraySwitching[] = {
    {WC_BUTTONW, 7501, u"#7260", 12, 8, 200, 10, kCheck},
    {WC_STATICW, kLabel, u"#7261", 24, 20, 216, 16, SS_LEFT},
    {WC_STATICW, kLabel, u"#7262", 12, 44, 80, 8, SS_LEFT},
    {WC_LISTBOXW, 7502, u"", 12, 56, 120, 70, WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {WC_BUTTONW, 7503, u"#7263", 140, 56, 60, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_BUTTONW, 7504, u"#7264", 140, 74, 60, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_STATICW, kLabel, u"#7265", 12, 136, 60, 8, SS_LEFT},
    {WC_COMBOBOXW, 7505, u"", 96, 134, 140, 60, kCombo},
    {WC_STATICW, kLabel, u"#7269", 12, 152, 228, 16, SS_LEFT},
    {WC_BUTTONW, 7506, u"#7270", 12, 174, 160, 10, kCheck},
};

const ControlTemplate kWatermark[] = {
    {WC_STATICW, kLabel, u"#19001", 12, 8, 60, 8, SS_LEFT},
    {WC_COMBOBOXW, 19101, u"", 76, 6, 100, 80, kCombo},
    {WC_BUTTONW, 19102, u"#19002", 182, 6, 60, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_BUTTONW, 19103, u"#19003", 182, 22, 60, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_BUTTONW, 19104, u"#19004", 182, 38, 60, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_STATICW, kLabel, u"#19005", 12, 28, 60, 8, SS_LEFT},
    {WC_EDITW, 19105, u"", 76, 26, 100, 12, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER},
    {WC_STATICW, kLabel, u"#19006", 12, 46, 60, 8, SS_LEFT},
    {WC_COMBOBOXW, 19106, u"", 76, 44, 100, 80, kCombo},
    {WC_STATICW, kLabel, u"#19007", 12, 64, 60, 8, SS_LEFT},
    {WC_EDITW, 19107, u"", 76, 62, 30, 12, kNumber | WS_BORDER},
    {HostClass(CustomControl::kSpinner), 19108, u"6,300,1,0,0,19107", 106, 62, 10, 12},
    {WC_STATICW, kLabel, u"#19008", 12, 82, 60, 8, SS_LEFT},
    {WC_EDITW, 19109, u"", 76, 80, 30, 12, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER},
    {HostClass(CustomControl::kSpinner), 19110, u"-90,90,5,0,0,19109", 106, 80, 10, 12},
    {WC_STATICW, kLabel, u"#19009", 12, 100, 60, 8, SS_LEFT},
    {WC_COMBOBOXW, 19111, u"", 76, 98, 100, 80, kCombo},
    {WC_BUTTONW, 19112, u"#19018", 12, 118, 60, 10, kCheck},
    {WC_BUTTONW, 19113, u"#19019", 76, 118, 60, 10, kCheck},
    {WC_BUTTONW, 19114, u"#19012", 12, 132, 120, 10, kCheck},
    {WC_BUTTONW, 19115, u"#19013", 12, 146, 120, 10, kCheck},
    {WC_BUTTONW, kLabel, u"#19017", 140, 118, 106, 92, BS_GROUPBOX},
    {HostClass(CustomControl::kPaper), 19116, u"", 146, 128, 94, 78},
    {WC_STATICW, kLabel, u"#19023", 12, 164, 124, 40, SS_LEFT},
};

const DialogTemplate kPageTemplates[] = {
    {kPaperPage, u"#7029", kPage, 0, 0, 0, 252, 218, kPaper},
    {kFinishingPage, u"#7030", kPage, 0, 0, 0, 252, 218, kFinishing},
    {kJobTypePage, u"#7031", kPage, 0, 0, 0, 252, 218, kJobType},
    {kGraphicsPage, u"#7032", kPage, 0, 0, 0, 252, 218, kGraphics},
    {kLayoutPage, u"#7040", kPage, 0, 0, 0, 252, 218, kLayout},
    {kDocumentOptionsPage, u"#7033", kPage, 0, 0, 0, 252, 218, kDocumentOptions},
    {kOptimisationPage, u"#7034", kPage, 0, 0, 0, 252, 218, kOptimisation},
    {kMediaPage, u"#7035", kPage, 0, 0, 0, 252, 218, kMedia},
    {kJobOwnerPage, u"#7036", kPage, 0, 0, 0, 252, 218, kJobOwner},
    {kOverlayPage, u"#7037", kPage, 0, 0, 0, 252, 218, kOverlay},
    {kCustomSizePage, u"#7038", kPage, 0, 0, 0, 252, 218, kCustomSize},
    {kInstallableOptionsPage, u"#7039", kPage, 0, 0, 0, 252, 218, kInstallableOptions},
    {kTraySwitchingPage, u"#7041", kPage, 0, 0, 0, 252, 218, kTraySwitching},
    {kWatermarkPage, u"#19000", kPage, 0, 0, 0, 252, 218, kWatermark},
};

}  // namespace

std::span<const res::DialogTemplate> PageTemplates() { return kPageTemplates; }

}  // namespace tq::qlres
