// The fax options page and the "À propos de" page: one page procedure and
// one event table. The handlers of the initialise, command, set-active and
// apply events act only on the options page (control 201 is there).
#include "pages/options_page.h"

#include "common/host_settings.h"
#include "faxui/module_instance.h"
#include "faxui/resource_ids.h"
#include "pages/page_framework.h"
#include "pages/page_sets.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

// The add-on as the framework finds its blocks: the fax add-on's identifier
// and block sizes.
constexpr AddOnTable kFaxAddOn = MakeFaxAddOnTable(&DefaultFaxDS, &DefaultFaxSS, nullptr, nullptr, nullptr);

constexpr std::size_t kPageDataSize = 4;
constexpr int kJobModeFax = hsb::kJobModeFax;

// Buttons in the order of the values they stand for, ended by -1.
constexpr int kResolutionButtons[] = {opt::kResolutionNormal, opt::kResolutionFine, opt::kResolutionSuperfine,
                                      opt::kResolutionUltrafine, -1};
constexpr int kReportButtons[] = {opt::kReportAlways, opt::kReportOnError, opt::kReportNever, -1};

// The bitmap's place on the "À propos de" page.
constexpr int kPictureHalfWidth = 162;
constexpr int kPictureTop = 20;
constexpr int kPictureWidth = 324;
constexpr int kPictureHeight = 188;

bool IsOptionsPage(HWND page) { return GetDlgItem(page, opt::kResolutionGroup) != nullptr; }
bool IsAboutPage(HWND page) { return GetDlgItem(page, about::kProductLine) != nullptr; }

void CheckOneOf(HWND page, const int* buttons, std::int32_t value) {
  for (int i = 0; buttons[i] != -1; ++i) CheckDlgButton(page, buttons[i], BST_UNCHECKED);
  for (int i = 0; buttons[i] != -1; ++i) {
    if (i == value) CheckDlgButton(page, buttons[i], BST_CHECKED);
  }
}

// The value of the first checked button; the last value when none before
// it is checked.
std::int32_t CheckedValue(HWND page, const int* buttons) {
  int i = 0;
  for (; buttons[i + 1] != -1; ++i) {
    if (IsDlgButtonChecked(page, buttons[i]) == BST_CHECKED) return i;
  }
  return i;
}

void ShowOptions(HWND page, const FaxOptionsBlock& options) {
  CheckOneOf(page, kResolutionButtons, options.resolution);
  CheckDlgButton(page, opt::kHeaderCheck, options.header == 1 ? BST_CHECKED : BST_UNCHECKED);
  CheckOneOf(page, kReportButtons, options.report);
}

// The page's options block, with the page state locked; null (and
// unlocked) when the page has no state or the settings have no fax block.
FaxOptionsBlock* LockOptions(HWND page) {
  void* data = LockPageState(page);
  void* block1 = nullptr;
  FindBlocks(&kFaxAddOn, data, &block1, nullptr, nullptr);
  if (block1 == nullptr && data != nullptr) UnlockPageState(page);
  return static_cast<FaxOptionsBlock*>(block1);
}

void Store(HWND page, std::int32_t& field, std::int32_t value) {
  if (field == value) return;
  field = value;
  MarkPageChanged(page);
}

LRESULT Initialise(const PageCall& call) {
  if (!IsOptionsPage(call.page)) return 1;
  void* data = CreatePageState(call.page, kPageDataSize, ModuleInstance(), ModuleInstance(), call.lParam);
  if (data == nullptr) return 1;
  void* block1 = nullptr;
  FindBlocks(&kFaxAddOn, data, &block1, nullptr, nullptr);
  if (block1 != nullptr) ShowOptions(call.page, *static_cast<FaxOptionsBlock*>(block1));
  UnlockPageState(call.page);
  return 1;
}

LRESULT Nothing(const PageCall&) { return 1; }
LRESULT NothingAtAll(const PageCall&) { return 0; }

LRESULT Command(const PageCall& call) {
  if (!IsOptionsPage(call.page)) return 0;
  if (call.control == opt::kPhonebookButton) {
    OpenPhonebookManagement(call.page);
    return 1;
  }
  FaxOptionsBlock* options = LockOptions(call.page);
  if (options == nullptr) return 0;
  switch (call.control) {
    case opt::kResolutionNormal:
    case opt::kResolutionFine:
    case opt::kResolutionSuperfine:
    case opt::kResolutionUltrafine:
      Store(call.page, options->resolution, CheckedValue(call.page, kResolutionButtons));
      break;
    case opt::kReportAlways:
    case opt::kReportOnError:
    case opt::kReportNever:
      Store(call.page, options->report, CheckedValue(call.page, kReportButtons));
      break;
    case opt::kHeaderCheck:
      Store(call.page, options->header, IsDlgButtonChecked(call.page, opt::kHeaderCheck) == BST_CHECKED ? 1 : 0);
      break;
    case opt::kDefaultsButton:
      // Always marked changed, even when the values were the defaults.
      options->resolution = DefaultFaxDS.resolution;
      options->report = DefaultFaxDS.report;
      options->header = DefaultFaxDS.header;
      ShowOptions(call.page, *options);
      MarkPageChanged(call.page);
      break;
    default:
      break;
  }
  UnlockPageState(call.page);
  return 1;
}

LRESULT Paint(const PageCall& call) {
  if (IsAboutPage(call.page)) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(call.page, &paint);
    RECT client{};
    GetClientRect(call.page, &client);
    if (const HBITMAP picture = LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(kAboutBitmap))) {
      DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture), 0, client.right / 2 - kPictureHalfWidth,
                 kPictureTop, kPictureWidth, kPictureHeight, DST_BITMAP);
      DeleteBitmap(picture);
    }
    EndPaint(call.page, &paint);
    SetShownPage(AboutPageHelp());
  } else if (IsOptionsPage(call.page)) {
    SetShownPage(OptionsPageHelp());
  }
  return 0;
}

// Every control of the page follows the job mode: usable only for a fax job.
LRESULT SetActive(const PageCall& call) {
  if (!IsOptionsPage(call.page)) return 1;
  FaxOptionsBlock* options = LockOptions(call.page);
  if (options == nullptr) return 1;
  const bool fax = options->jobMode == kJobModeFax;
  UnlockPageState(call.page);
  for (int id = opt::kResolutionGroup; id <= opt::kDefaultsButton; ++id) {
    if (const HWND control = GetDlgItem(call.page, id)) EnableWindow(control, fax ? TRUE : FALSE);
  }
  if (const HWND phonebook = GetDlgItem(call.page, opt::kPhonebookButton)) EnableWindow(phonebook, fax ? TRUE : FALSE);
  return 1;
}

LRESULT Apply(const PageCall& call) {
  if (!IsOptionsPage(call.page)) return 1;
  void* data = LockPageState(call.page);
  if (data == nullptr) return 1;
  CommitSettings(data);
  UnlockPageState(call.page);
  return 1;
}

constexpr PageEventEntry kEvents[] = {
    {kEventInitialise, Initialise}, {kEventDrawItem, Nothing}, {kEventMeasureItem, Nothing},
    {kEventCommand, Command},       {kEventPaint, Paint},      {kEventSetActive, SetActive},
    {kEventKillActive, Nothing},    {kEventApply, Apply},      {kEventReset, Nothing},
    {kEventDestroy, NothingAtAll},
};

}  // namespace

INT_PTR OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchPageMessage(page, message, wParam, lParam, static_cast<int>(std::size(kEvents)), kEvents);
}

std::int32_t AddOnPropertyPages(DeviceObject* device, void* pageSink, void* settings) {
  const HostServiceTable* services = ServicesOf(device);
  if (services == nullptr || services->addPages == nullptr || settings == nullptr) return 1;
  const std::int32_t privateOffset = hsb::Field(settings, hsb::kPrivateAreaOffset);
  // A private area that would start inside the public fields is not one.
  const bool faxFeature = privateOffset > static_cast<std::int32_t>(hsb::kPrivateAreaOffset) &&
                          hsb::Field(hsb::PrivateArea(settings), hsb::priv::kFaxFeature) == 1;
  const HINSTANCE instance = ModuleInstance();
  services->addPages(pageSink, &PageSetFor(faxFeature), 0, instance, instance, OptionsPageProc, 0, 0, 0);
  return 1;
}

}  // namespace tq::faxui
