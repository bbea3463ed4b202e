// The page framework driven message by message: what the dispatcher makes
// of each window message and notification (the event run, the dialog
// result, the companion window), the page state, find blocks over short or
// foreign settings, and the commit on apply.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/host_settings.h"
#include "pages/page_framework.h"
#include "win/global_memory.h"
#include "win/resource.h"
#include "win/user.h"

namespace tq::faxui {
namespace {

// What the table's handlers saw, in order.
std::vector<int> seen;
LRESULT answer = 1;

LRESULT Record(int event) {
  seen.push_back(event);
  return answer;
}
template <int E>
LRESULT Handler(const PageCall&) {
  return Record(E);
}
LRESULT CommandHandler(const PageCall& call) {
  seen.push_back(kEventCommand * 10000 + call.control);
  return 1;
}

constexpr PageEventEntry kTable[] = {
    {kEventDrawItem, Handler<1>},   {kEventMeasureItem, Handler<2>}, {kEventCommand, CommandHandler},
    {kEventPaint, Handler<4>},      {kEventEraseBackground, Handler<5>}, {kEventSetActive, Handler<6>},
    {kEventKillActive, Handler<7>}, {kEventApply, Handler<8>},       {kEventReset, Handler<10>},
    {kEventDestroy, Handler<11>},
};

struct Host {
  HostServiceTable services{};
  DeviceObject device{};
  DocumentPropertiesContext context{};
  HostPageRecord record{};
  PROPSHEETPAGEW sheetPage{};
  std::vector<unsigned char> settings = std::vector<unsigned char>(4096, 0);
  std::vector<unsigned char> output = std::vector<unsigned char>(4096, 0);
  std::vector<UINT> hostMessages;
  int commits = 0;
  std::vector<std::int32_t> notified;
};
Host* current = nullptr;

constexpr AddOnTable kTableOfAddOn = MakeFaxAddOnTable(&DefaultFaxDS, &DefaultFaxSS, nullptr, nullptr, nullptr);

const res::ControlTemplate kControls[] = {{WC_BUTTONW, 201, u"", 0, 0, 10, 10, BS_GROUPBOX}};
const res::DialogTemplate kPage{500, u"Page", WS_CHILD, 0, 0, 0, 100, 100, kControls};

class PageFramework : public ::testing::Test {
 protected:
  void SetUp() override {
    seen.clear();
    answer = 1;
    current = &host_;
    static const res::DialogTemplate dialogs[] = {kPage};
    static const res::ResourceScript script{dialogs, {}, {}};
    res::RegisterResources(nullptr, script);
    host_.services.pageMessage = [](HWND, UINT message, LPARAM) -> LRESULT {
      current->hostMessages.push_back(message);
      return 77;
    };
    host_.services.commit = [](DocumentPropertiesContext*) { ++current->commits; };
    host_.device.serviceTable = &host_.services;
    host_.device.addOnCount = 1;
    host_.device.addOns[0].table = &kTableOfAddOn;
    host_.device.addOns[0].block1Offset = 1000;
    host_.device.addOns[0].block3Offset = 1200;
    host_.context.device = &host_.device;
    host_.context.settings = host_.settings.data();
    host_.context.settingsSize = static_cast<std::int32_t>(host_.settings.size());
    host_.context.output = host_.output.data();
    host_.context.notifyArgument = &host_;
    host_.context.notify = [](void*, std::int32_t a, std::int32_t b, std::int32_t c) {
      current->notified = {a, b, c};
    };
    host_.record.context = &host_.context;
    host_.sheetPage.dwSize = sizeof(PROPSHEETPAGEW);
    host_.sheetPage.pszTemplate = MAKEINTRESOURCEW(500);
    host_.sheetPage.lParam = reinterpret_cast<LPARAM>(&host_.record);
    page_ = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(500), nullptr, nullptr, 0);
    ASSERT_NE(page_, nullptr);
  }
  void TearDown() override {
    DestroyPageState(page_);
    DestroyWindow(page_);
    FailNthGlobalAlloc(0);
  }
  void* MakeState() {
    void* data = CreatePageState(page_, 4, nullptr, nullptr, reinterpret_cast<LPARAM>(&host_.sheetPage));
    if (data != nullptr) UnlockPageState(page_);
    return data;
  }
  INT_PTR Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return DispatchPageMessage(page_, message, wParam, lParam, static_cast<int>(std::size(kTable)), kTable);
  }
  // A notification: the procedure's answer and the dialog result.
  std::pair<INT_PTR, LRESULT> Notify(UINT code) {
    SetWindowLongPtrW(page_, DWLP_MSGRESULT, -5);
    NMHDR header{nullptr, 0, code};
    const INT_PTR handled = Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    return {handled, GetWindowLongPtrW(page_, DWLP_MSGRESULT)};
  }
  Host host_;
  HWND page_ = nullptr;
};

TEST_F(PageFramework, MessagesBecomeEventsInOrder) {
  ASSERT_NE(MakeState(), nullptr);
  Send(WM_DRAWITEM);
  Send(WM_MEASUREITEM);
  Send(WM_COMMAND, MAKEWPARAM(210, BN_CLICKED));
  Send(WM_PAINT);
  Send(WM_ERASEBKGND);
  Notify(PSN_SETACTIVE);
  Notify(PSN_KILLACTIVE);
  Notify(PSN_QUERYCANCEL);
  Notify(PSN_APPLY);
  Notify(PSN_RESET);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 30210, 4, 5, 6, 7, 7, 8, 10}));
  Send(WM_DESTROY);
  EXPECT_EQ(seen.back(), 11);
  EXPECT_EQ(GetPropW(page_, kPageStateProperty), nullptr);
}

TEST_F(PageFramework, NotificationResultsFollowTheHandlersAnswer) {
  ASSERT_NE(MakeState(), nullptr);
  answer = 1;
  EXPECT_EQ(Notify(PSN_KILLACTIVE), (std::pair<INT_PTR, LRESULT>{TRUE, 0}));
  EXPECT_EQ(Notify(PSN_QUERYCANCEL).second, 0);
  EXPECT_EQ(Notify(PSN_APPLY).second, PSNRET_NOERROR);
  answer = 0;
  EXPECT_EQ(Notify(PSN_KILLACTIVE).second, 1);  // stay on the page
  EXPECT_EQ(Notify(PSN_QUERYCANCEL).second, 1);
  EXPECT_EQ(Notify(PSN_APPLY).second, PSNRET_INVALID_NOCHANGEPAGE);
}

TEST_F(PageFramework, AMissingEventGivesZero) {
  ASSERT_NE(MakeState(), nullptr);
  EXPECT_EQ(DispatchPageMessage(page_, WM_PAINT, 0, 0, 0, nullptr), 0);
  SetWindowLongPtrW(page_, DWLP_MSGRESULT, -5);
  NMHDR header{nullptr, 0, PSN_KILLACTIVE};
  DispatchPageMessage(page_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header), 0, nullptr);
  EXPECT_EQ(GetWindowLongPtrW(page_, DWLP_MSGRESULT), 1);
}

TEST_F(PageFramework, HostMessagesGoToTheHostFirst) {
  ASSERT_NE(MakeState(), nullptr);
  EXPECT_EQ(host_.hostMessages, (std::vector<UINT>{WM_INITDIALOG}));
  EXPECT_EQ(Send(kHostPageMessageA), 77);
  EXPECT_EQ(Send(kHostPageMessageB), 77);
  EXPECT_EQ(host_.hostMessages, (std::vector<UINT>{WM_INITDIALOG, 4591, 4592}));
}

TEST_F(PageFramework, StateHeaderLiesBeforeThePageData) {
  void* data = MakeState();
  ASSERT_NE(data, nullptr);
  const PageStateHeader* header = HeaderOf(data);
  EXPECT_EQ(header->page, page_);
  EXPECT_EQ(header->context, &host_.context);
  EXPECT_EQ(header->device, &host_.device);
  EXPECT_EQ(header->settings, host_.settings.data());
  EXPECT_EQ(header->fontPointSize, 12);  // the system font
  EXPECT_EQ(std::u16string(header->fontName), u"System");
  EXPECT_EQ(LockPageState(page_), data);
  UnlockPageState(page_);
}

TEST_F(PageFramework, NoStateWithoutAPageRecordOrMemory) {
  host_.sheetPage.lParam = 0;
  EXPECT_EQ(MakeState(), nullptr);
  host_.sheetPage.lParam = reinterpret_cast<LPARAM>(&host_.record);
  FailNthGlobalAlloc(1);
  EXPECT_EQ(MakeState(), nullptr);
  EXPECT_EQ(LockPageState(page_), nullptr);
  // Without state every message is still answered, and nothing is found.
  void* block1 = &host_;
  FindBlocks(&kTableOfAddOn, nullptr, &block1, nullptr, nullptr);
  EXPECT_EQ(block1, nullptr);
  Send(WM_COMMAND, MAKEWPARAM(210, BN_CLICKED));
  Notify(PSN_SETACTIVE);
}

TEST_F(PageFramework, FindBlocksStaysInsideTheSettings) {
  void* data = MakeState();
  ASSERT_NE(data, nullptr);
  void *b1 = nullptr, *b3 = nullptr;
  FindBlocks(&kTableOfAddOn, data, &b1, nullptr, &b3);
  EXPECT_EQ(b1, host_.settings.data() + 1000);
  EXPECT_EQ(b3, nullptr);  // 1200 + 11816 runs past the 4096 bytes
  // An add-on the host does not list: results unchanged.
  AddOnTable other = kTableOfAddOn;
  other.addOnId = 4;
  void* untouched = &host_;
  FindBlocks(&other, data, &untouched, nullptr, nullptr);
  EXPECT_EQ(untouched, &host_);
}

TEST_F(PageFramework, TheSheetsOwnSettingsTakeThePlaceOfThePages) {
  void* data = MakeState();
  // The page stands for its sheet here.
  const HWND sheet = page_;
  HeaderOf(data)->sheet = sheet;
  const HGLOBAL block = GlobalAlloc(GHND, 192 + 8 + 2000);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
  std::int32_t offset = 8;
  std::memcpy(bytes + 188, &offset, 4);
  GlobalUnlock(block);
  ASSERT_TRUE(SetPropW(sheet, kSheetSettingsProperty, block));
  ASSERT_EQ(GetPropW(sheet, kSheetSettingsProperty), block);
  void* b1 = nullptr;
  FindBlocks(&kTableOfAddOn, data, &b1, nullptr, nullptr);
  EXPECT_EQ(b1, bytes + 192 + 8 + 1000);
  // With the sheet's block, apply commits nothing.
  CommitSettings(data);
  EXPECT_EQ(host_.commits, 0);
  RemovePropW(sheet, kSheetSettingsProperty);
  GlobalFree(block);
}

TEST_F(PageFramework, CommitFollowsTheModeByteAndFlags) {
  void* data = MakeState();
  host_.settings[7] = 0x5A;
  host_.context.mode = kModeCommitThroughHost | 0x02;
  host_.context.SetUpdateFlag(1);
  host_.context.notifyFlag = 1;
  CommitSettings(data);
  EXPECT_EQ(host_.commits, 1);
  EXPECT_EQ(host_.notified, (std::vector<std::int32_t>{9, 0, 1}));
  EXPECT_EQ(host_.output[7], 0x5A);
  // No update flag: no host commit, the copy still made.
  host_.context.SetUpdateFlag(0);
  host_.settings[7] = 0x11;
  CommitSettings(data);
  EXPECT_EQ(host_.commits, 1);
  EXPECT_EQ(host_.output[7], 0x11);
  // Neither bit 0 nor bit 1: no copy.
  host_.context.mode = kModeCommitThroughHost;
  host_.settings[7] = 0x22;
  CommitSettings(data);
  EXPECT_EQ(host_.output[7], 0x11);
}

}  // namespace
}  // namespace tq::faxui
