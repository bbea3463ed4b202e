#include "host/host_sheet_pages.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <tuple>

#include "host/host_options.h"
#include "qlres/resource_ids.h"
#include "texts.h"
#include "win/dialog_state.h"
#include "win/program_folder.h"
#include "win/sheet_labels.h"
#include "win/text.h"
#include "win/updown.h"

namespace tq::host {
namespace {

// How a control stands for a host setting.
enum class Kind {
  Radio,  // checked when the setting has `value`; sets it when checked
  Check,  // the setting is 1 when checked, 0 when not
  Edit,   // the setting's text
  List,   // a drop-down list, one item for each value of the setting
};

struct ListItem {
  unsigned string;  // its text in the library
  const char* value;
};

struct Binding {
  int page;
  int control;
  Kind kind;
  const char* setting;
  const char* value = nullptr;  // Radio only
  std::span<const ListItem> items = {};  // List only
};

constexpr ListItem kPaperSizes[] = {
    {7071, "a3"},        {7072, "a4"},      {7073, "a5"},     {7074, "a6"},       {7075, "b4"},    {7076, "b5"},
    {7077, "letter"},    {7078, "legal"},   {7079, "executive"}, {7080, "ledger"}, {7081, "statement"},
    {7082, "dl"},        {7083, "c5"},      {7084, "c6"},     {7085, "monarch"},  {7086, "com10"}, {7087, "postcard"}};
constexpr ListItem kTrays[] = {{7108, "0"}, {7109, "1"}, {7110, "2"}, {7111, "3"}};
constexpr ListItem kSpeedDialRanges[] = {{7243, "200"}, {7244, "999"}};

constexpr Binding kBindings[] = {
    {qlres::kPaperPage, qlres::kCopies, Kind::Edit, "copies"},
    {qlres::kPaperPage, qlres::kOutputTray, Kind::List, "tray", nullptr, kTrays},
    {qlres::kPaperPage, qlres::kPaperSize, Kind::List, "paper-size", nullptr, kPaperSizes},
    {qlres::kPaperPage, qlres::kPortrait, Kind::Radio, "orientation", "portrait"},
    {qlres::kPaperPage, qlres::kLandscape, Kind::Radio, "orientation", "landscape"},
    {qlres::kJobTypePage, qlres::kJobPrint, Kind::Radio, "job-mode", "print"},
    {qlres::kJobTypePage, qlres::kJobSecure, Kind::Radio, "job-mode", "secure"},
    {qlres::kJobTypePage, qlres::kJobSample, Kind::Radio, "job-mode", "sample"},
    {qlres::kJobTypePage, qlres::kJobFax, Kind::Radio, "job-mode", "fax"},
    {qlres::kJobTypePage, qlres::kSecureUser, Kind::Edit, "secure-user"},
    {qlres::kJobTypePage, qlres::kSecurePassword, Kind::Edit, "secure-password"},
    {qlres::kJobTypePage, qlres::kSecureDocName, Kind::Edit, "secure-doc-name"},
    {qlres::kInstallableOptionsPage, qlres::kFaxModule, Kind::Check, "fax-feature"},
    {qlres::kInstallableOptionsPage, qlres::kIsdnKit, Kind::Check, "g4"},
    {qlres::kInstallableOptionsPage, qlres::kSpeedDialRange, Kind::List, "speed-dial-range", nullptr,
     kSpeedDialRanges},
};

constexpr int kTemplates[] = {qlres::kPaperPage, qlres::kJobTypePage, qlres::kInstallableOptionsPage};

// The sheet's buttons and the strings that label them.
struct ButtonLabel {
  int button;
  unsigned string;
  const char16_t* fallback;
};
constexpr ButtonLabel kButtonLabels[] = {
    {IDC_PROPSHEET_OK, qlres::kSheetOkString, u"OK"},
    {IDC_PROPSHEET_CANCEL, qlres::kSheetCancelString, texts::kCancelButton},
    {IDC_PROPSHEET_APPLY, qlres::kSheetApplyString, texts::kApplyButton},
    {IDC_PROPSHEET_HELP, qlres::kSheetHelpString, texts::kHelpButton},
};

bool IsBroken(const HostSheetPage& record, int control) {
  const ResolvedPage* page = record.sheet->pages->Page(record.templateId);
  return page == nullptr || std::find(page->broken.begin(), page->broken.end(), control) != page->broken.end();
}

// The bindings of the record's page whose controls can be trusted.
template <typename Visit>
void ForEachBinding(const HostSheetPage& record, Visit visit) {
  for (const Binding& binding : kBindings) {
    if (binding.page == record.templateId && !IsBroken(record, binding.control)) visit(binding);
  }
}

std::string ItemText(HWND page, int id) {
  const int length = GetWindowTextLengthW(GetDlgItem(page, id));
  std::u16string text(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
  GetDlgItemTextW(page, id, text.data(), static_cast<int>(text.size()));
  text.resize(std::char_traits<char16_t>::length(text.c_str()));
  return Utf16ToUtf8(text);
}

void Enable(HWND page, const HostSheetPage& record, int control, bool enabled) {
  if (!IsBroken(record, control)) EnableWindow(GetDlgItem(page, control), enabled ? TRUE : FALSE);
}

// The job type buttons in order, each with the string that explains it.
constexpr int kJobTypes[] = {qlres::kJobPrint, qlres::kJobSecure, qlres::kJobSample, qlres::kJobFax};
constexpr unsigned kJobTypeExplanations[] = {7056, 7057, 7058, 7059};

// The held job's names serve a secure or a sample job, the password only a
// secure one; the line below says what the chosen type does.
void ShowJobType(HWND page, const HostSheetPage& record) {
  if (record.templateId != qlres::kJobTypePage) return;
  const bool secure = IsDlgButtonChecked(page, qlres::kJobSecure) == BST_CHECKED;
  const bool held = secure || IsDlgButtonChecked(page, qlres::kJobSample) == BST_CHECKED;
  Enable(page, record, qlres::kSecureUser, held);
  Enable(page, record, qlres::kSecurePassword, secure);
  Enable(page, record, qlres::kSecureDocName, held);
  if (IsBroken(record, qlres::kJobTypeHelp)) return;
  for (std::size_t i = 0; i < std::size(kJobTypes); ++i) {
    if (IsDlgButtonChecked(page, kJobTypes[i]) != BST_CHECKED) continue;
    if (const res::StringResource* text = res::FindString(record.sheet->library, kJobTypeExplanations[i])) {
      SetDlgItemTextW(page, qlres::kJobTypeHelp, text->text);
    }
  }
}

// A secure job is released with its user and password at the printer: it
// cannot be stored without them.
bool SecureJobComplete(HWND page, const HostSheetPage& record, std::string& error) {
  if (record.templateId != qlres::kJobTypePage || IsDlgButtonChecked(page, qlres::kJobSecure) != BST_CHECKED) {
    return true;
  }
  for (const auto& [control, string, fallback] :
       {std::tuple{qlres::kSecureUser, 7061u, texts::kSecureUserEmpty},
        std::tuple{qlres::kSecurePassword, 7062u, texts::kSecurePasswordEmpty}}) {
    if (IsBroken(record, control) || !ItemText(page, control).empty()) continue;
    const res::StringResource* text = res::FindString(record.sheet->library, string);
    error = text != nullptr ? Utf16ToUtf8(text->text) : fallback;
    return false;
  }
  return true;
}

// The list's items from the library, the one `value` numbers selected.
void FillList(HWND page, const HostSheetPage& record, const Binding& binding, const std::string& value) {
  SendDlgItemMessageW(page, binding.control, CB_RESETCONTENT, 0, 0);
  for (const ListItem& item : binding.items) {
    const res::StringResource* text = res::FindString(record.sheet->library, item.string);
    const std::u16string shown = text != nullptr ? std::u16string(text->text) : Utf8ToUtf16(item.value);
    SendDlgItemMessageW(page, binding.control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  for (std::size_t i = 0; i < binding.items.size(); ++i) {
    if (value == binding.items[i].value) SendDlgItemMessageW(page, binding.control, CB_SETCURSEL, i, 0);
  }
}

// The page's controls from `settings`.
void Load(HWND page, HostSheetPage& record, const SettingsBlock& settings) {
  record.loading = true;
  ForEachBinding(record, [&](const Binding& binding) {
    const std::string value = SettingValue(settings, *record.sheet->layout, binding.setting);
    switch (binding.kind) {
      case Kind::Radio: CheckDlgButton(page, binding.control, value == binding.value ? BST_CHECKED : 0); break;
      case Kind::Check: CheckDlgButton(page, binding.control, value == "1" ? BST_CHECKED : 0); break;
      case Kind::Edit: SetDlgItemTextW(page, binding.control, Utf8ToUtf16(value).c_str()); break;
      case Kind::List: FillList(page, record, binding, value); break;
    }
  });
  ShowJobType(page, record);
  record.loading = false;
}

// The page's values written into a copy of the settings; false, with
// `error`, at the first one the settings refuse.
bool Gather(HWND page, const HostSheetPage& record, SettingsBlock& settings, std::string& error) {
  bool good = true;
  ForEachBinding(record, [&](const Binding& binding) {
    if (!good) return;
    const bool checked = IsDlgButtonChecked(page, binding.control) == BST_CHECKED;
    switch (binding.kind) {
      case Kind::Radio:
        if (checked) good = ApplySetting(settings, *record.sheet->layout, binding.setting, binding.value, error);
        break;
      case Kind::Check:
        good = ApplySetting(settings, *record.sheet->layout, binding.setting, checked ? "1" : "0", error);
        break;
      case Kind::Edit:
        // A disabled field keeps what it holds for the next held job.
        good = ApplySetting(settings, *record.sheet->layout, binding.setting, ItemText(page, binding.control), error);
        break;
      case Kind::List: {
        // No selection: the list could not show the stored value, which stays.
        const LRESULT index = SendDlgItemMessageW(page, binding.control, CB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<std::size_t>(index) < binding.items.size()) {
          good = ApplySetting(settings, *record.sheet->layout, binding.setting, binding.items[index].value, error);
        }
        break;
      }
    }
  });
  return good;
}

void Complain(HWND page, const std::u16string& what, const std::string& detail) {
  const std::u16string text = what + Utf8ToUtf16(detail);
  MessageBoxW(page, text.c_str(), texts::kPropertiesCaption, MB_OK | MB_ICONEXCLAMATION);
}

// The page's values into the sheet's working copy, which every page reads
// when it becomes active; false, with a message and nothing changed, for a
// value the settings refuse.
bool Keep(HWND page, HostSheetPage& record) {
  HostSheet& sheet = *record.sheet;
  SettingsBlock edited = *sheet.settings;
  std::string error;
  if (!SecureJobComplete(page, record, error) || !Gather(page, record, edited, error)) {
    Complain(page, texts::kValueRefused, error);
    return false;
  }
  // In place: the plug-in's pages hold the address of these settings.
  std::copy(edited.begin(), edited.end(), sheet.settings->begin());
  return true;
}

LRESULT Apply(HWND page, HostSheetPage& record) {
  if (!Keep(page, record)) return PSNRET_INVALID_NOCHANGEPAGE;
  // Every page applies in turn; the host saves the working copy once.
  if (record.sheet->commit) record.sheet->commit();
  return PSNRET_NOERROR;
}

void LabelButtons(HWND page, const HostSheet& sheet) {
  const HWND frame = GetParent(page);
  for (const ButtonLabel& label : kButtonLabels) {
    SetDlgItemTextW(frame, label.button, SheetButtonLabel(sheet.library, label.string, label.fallback).c_str());
  }
  ui::SetSheetCloseText(frame, SheetButtonLabel(sheet.library, qlres::kSheetCloseString, texts::kCloseButton));
}

// The port the device is asked on: the network address typed (a bare
// address is an IP port), or the host's default.
std::string AutoconfigPort(HWND page, const HostSheetPage& record) {
  const std::string typed = IsBroken(record, qlres::kNetworkAddress) ? "" : ItemText(page, qlres::kNetworkAddress);
  if (typed.empty()) return kDefaultAutoconfigPort;
  return typed[0] >= '0' && typed[0] <= '9' ? "IP_" + typed : typed;
}

// The failed run in the sheet's language; the outcome's own error, with its
// paths, is for the command line.
const char16_t* AutoconfigProblemText(AutoconfigOutcome::Problem problem) {
  using Problem = AutoconfigOutcome::Problem;
  switch (problem) {
    case Problem::NoPrivateFolder: return texts::kAutoconfigNoFolder;
    case Problem::ParameterFile: return texts::kAutoconfigParameterFile;
    case Problem::NotStarted: return texts::kAutoconfigNotStarted;
    case Problem::Gone: return texts::kAutoconfigGone;
    case Problem::BadAnswer: return texts::kAutoconfigBadAnswer;
    case Problem::None: break;
  }
  return texts::kAutoconfigRefused;
}

// What the device answers is shown on the page, which then counts as
// changed: applying it stores it, cancelling leaves the settings alone.
void Autoconfigure(HWND page, HostSheetPage& record) {
  const HostSheet& sheet = *record.sheet;
  if (!sheet.autoconfigure) return;
  const AutoconfigOutcome outcome = sheet.autoconfigure(AutoconfigPort(page, record));
  if (outcome.status == AutoconfigOutcome::Status::NoAnswer ||
      outcome.status == AutoconfigOutcome::Status::Cancelled) {
    return;
  }
  SettingsBlock answered = *sheet.settings;
  std::string refusal;
  if (outcome.status == AutoconfigOutcome::Status::Failed ||
      !ApplyDeviceFacts(outcome.facts, answered, *sheet.layout, refusal)) {
    Complain(page, std::u16string(texts::kAutoconfigFailed) + AutoconfigProblemText(outcome.problem), {});
    return;
  }
  Load(page, record, answered);
  if (!IsBroken(record, qlres::kNetworkAddress)) {
    SetDlgItemTextW(page, qlres::kNetworkAddress, Utf8ToUtf16(outcome.facts.address).c_str());
  }
  PropSheet_Changed(GetParent(page), page);
}

bool IsBound(const HostSheetPage& record, int control) {
  return std::any_of(std::begin(kBindings), std::end(kBindings), [&](const Binding& binding) {
    return binding.page == record.templateId && binding.control == control;
  });
}

// Each spinner steps its buddy within the range its template gives.
void SetUpSpinners(HWND page, const HostSheetPage& record) {
  const ResolvedPage* resolved = record.sheet->pages->Page(record.templateId);
  if (resolved == nullptr) return;
  for (const SpinnerBinding& spinner : resolved->spinners) {
    const HWND updown = GetDlgItem(page, spinner.spinner);
    const HWND buddy = GetDlgItem(page, spinner.parameters.buddy);
    if (updown == nullptr || buddy == nullptr) continue;
    SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageW(updown, UDM_SETRANGE32, static_cast<WPARAM>(spinner.parameters.minimum), spinner.parameters.maximum);
    const UDACCEL step{0, static_cast<UINT>(spinner.parameters.step)};
    SendMessageW(updown, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
  }
}

// The host's own help file, beside the qlhost program; a page's topic is
// its template's number.
void OpenPageHelp(HWND page, const HostSheetPage& record) {
  const std::u16string file = BesideProgram(u"qlhost.HLP");
  WinHelpW(page, file.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(record.templateId));
}

INT_PTR HostPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HELP:  // F1: the page's topic, as "Aide" opens it
      if (const HostSheetPage* record = DialogStateOf<HostSheetPage>(page)) OpenPageHelp(page, *record);
      return TRUE;
    case WM_INITDIALOG: {
      const auto* header = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
      auto* record = &AttachBorrowedDialogState(page, *reinterpret_cast<HostSheetPage*>(header->lParam));
      LabelButtons(page, *record->sheet);
      SetUpSpinners(page, *record);
      Load(page, *record, *record->sheet->settings);
      return TRUE;
    }
    case WM_COMMAND: {
      HostSheetPage* record = DialogStateOf<HostSheetPage>(page);
      const int control = LOWORD(wParam);
      const WORD code = HIWORD(wParam);
      if (record == nullptr || record->loading) return FALSE;
      if (control == qlres::kAutoConfigure && code == BN_CLICKED && record->templateId == qlres::kInstallableOptionsPage) {
        Autoconfigure(page, *record);
        return TRUE;
      }
      if (!IsBound(*record, control)) return FALSE;
      if (code != BN_CLICKED && code != EN_CHANGE && code != CBN_SELCHANGE) return FALSE;
      ShowJobType(page, *record);
      PropSheet_Changed(GetParent(page), page);
      return TRUE;
    }
    case WM_NOTIFY: {
      HostSheetPage* record = DialogStateOf<HostSheetPage>(page);
      const auto* notification = reinterpret_cast<const NMHDR*>(lParam);
      if (record == nullptr || notification == nullptr) return FALSE;
      if (notification->code == PSN_APPLY) {
        SetWindowLongPtrW(page, DWLP_MSGRESULT, Apply(page, *record));
        return TRUE;
      }
      if (notification->code == PSN_HELP) {
        OpenPageHelp(page, *record);
        return TRUE;
      }
      if (notification->code == PSN_KILLACTIVE) {
        // A page left keeps its values in the working copy (a refused one
        // keeps the sheet on the page).
        SetWindowLongPtrW(page, DWLP_MSGRESULT, Keep(page, *record) ? FALSE : TRUE);
        return TRUE;
      }
      if (notification->code == PSN_SETACTIVE) {
        // What another page changed since (the job type the fax options
        // follow) shows here.
        Load(page, *record, *record->sheet->settings);
        SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

std::vector<int> HostSheetTemplates() { return {std::begin(kTemplates), std::end(kTemplates)}; }

std::vector<PROPSHEETPAGEW> HostSheetPages(HostSheet& sheet, std::deque<HostSheetPage>& records) {
  std::vector<PROPSHEETPAGEW> pages;
  if (sheet.pages == nullptr) return pages;
  for (int id : kTemplates) {
    if (sheet.pages->Page(id) == nullptr) continue;
    HostSheetPage& record = records.emplace_back();
    record.sheet = &sheet;
    record.templateId = id;
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(PROPSHEETPAGEW);
    page.hInstance = sheet.pages->instance();
    page.pszTemplate = MAKEINTRESOURCEW(id);
    page.dwFlags = PSP_HASHELP;
    page.pfnDlgProc = HostPageProc;
    page.lParam = reinterpret_cast<LPARAM>(&record);
    pages.push_back(page);
  }
  return pages;
}

}  // namespace tq::host
