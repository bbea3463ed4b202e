// Property sheets driven by scripts: the page notifications in Win32's
// order, the Apply button following PSM_CHANGED, and pages that refuse.
#include <cstring>

#include "script_fixture.h"
#include "win/resource.h"

namespace {

constexpr int kOptionsPage = 102;
constexpr int kAboutPage = 109;
constexpr int kHeader = 1201;

const tq::res::ControlTemplate kOptionsControls[] = {
    {WC_EDITW, kHeader, u"", 10, 10, 100, 12, WS_TABSTOP},
    {WC_BUTTONW, 1202, u"Rapport", 10, 30, 60, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
};
const tq::res::ControlTemplate kAboutControls[] = {
    {WC_STATICW, 901, u"Telequill", 10, 10, 100, 8, SS_LEFT},
};
const tq::res::DialogTemplate kPages[] = {
    {kOptionsPage, u"Fax", WS_CHILD | DS_CONTROL, 0, 0, 0, 252, 218, kOptionsControls},
    {kAboutPage, u"À propos de", WS_CHILD | DS_CONTROL, 0, 0, 0, 315, 200, kAboutControls},
};
const tq::res::ResourceScript kScript{kPages, {}, {}};
HINSTANCE PagesInstance() { return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x5B0000)); }

// A host's page record: the Win32 fields followed by data of its own.
struct HostPage {
  PROPSHEETPAGEW page;
  int hostCookie;
};

struct Seen {
  std::vector<std::pair<int, UINT>> notes;  // (template, PSN_*)
  int cookieAtInit = 0;
  LPARAM lParamAtInit = 0;
};
Seen seen;

int TemplateOf(HWND page) { return GetDlgItem(page, kHeader) != nullptr ? kOptionsPage : kAboutPage; }

INT_PTR PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* host = reinterpret_cast<const HostPage*>(lParam);
      seen.cookieAtInit = host->hostCookie;
      seen.lParamAtInit = host->page.lParam;
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kHeader && HIWORD(wParam) == EN_CHANGE) PropSheet_Changed(GetParent(page), page);
      return TRUE;
    case WM_NOTIFY: {
      const auto* note = reinterpret_cast<const NMHDR*>(lParam);
      seen.notes.emplace_back(TemplateOf(page), note->code);
      char16_t text[32] = {};
      GetDlgItemTextW(page, kHeader, text, 32);
      LONG_PTR answer = 0;
      if (note->code == PSN_KILLACTIVE) answer = std::u16string(text) == u"bad";  // stay on the page
      if (note->code == PSN_APPLY && std::u16string(text) == u"invalid") answer = PSNRET_INVALID_NOCHANGEPAGE;
      SetWindowLongPtrW(page, DWLP_MSGRESULT, answer);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

class PropertySheetTest : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    tq::res::RegisterResources(PagesInstance(), kScript);
    seen = {};
  }
  static INT_PTR RunSheet() {
    HostPage pages[2] = {};
    for (int i = 0; i < 2; ++i) {
      pages[i].page.dwSize = sizeof(HostPage);
      pages[i].page.hInstance = PagesInstance();
      pages[i].page.pszTemplate = MAKEINTRESOURCEW(i == 0 ? kOptionsPage : kAboutPage);
      pages[i].page.pfnDlgProc = PageProc;
      pages[i].page.lParam = 0x1234;
      pages[i].hostCookie = 77;
    }
    HPROPSHEETPAGE handles[2] = {CreatePropertySheetPageW(&pages[0].page), CreatePropertySheetPageW(&pages[1].page)};
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_HASHELP;
    header.pszCaption = u"Propriétés du document";
    header.nPages = 2;
    header.phpage = handles;
    return PropertySheetW(&header);
  }
};

constexpr UINT kSet = PSN_SETACTIVE;
constexpr UINT kKill = PSN_KILLACTIVE;
constexpr UINT kApply = PSN_APPLY;

}  // namespace

TEST_F(PropertySheetTest, ApplyThenOk) {
  UseScript(
      "expect-caption \"Propriétés du document\"\n"
      "expect-disabled 12321\n"
      "page 109\n"
      "dialog 109\n"
      "page 102\n"
      "type 1201 ab\n"
      "expect-enabled 12321\n"
      "click 12321\n"
      "expect-disabled 12321\n"
      "click 1\n");
  EXPECT_EQ(RunSheet(), 1);
  EXPECT_EQ(seen.cookieAtInit, 77);  // the page record arrives whole, host data included
  EXPECT_EQ(seen.lParamAtInit, 0x1234);
  const std::vector<std::pair<int, UINT>> expected = {
      {102, kSet},  {102, kKill}, {109, kSet},   {109, kKill}, {102, kSet},   // page changes
      {102, kKill}, {102, kApply}, {109, kApply}, {102, kSet},                // Apply
      {102, kKill}, {102, kApply}, {109, kApply},                             // OK
  };
  EXPECT_EQ(seen.notes, expected);
  EXPECT_EQ(Transcript(), "sheet changed 102\nsheet changed 102\n");
}

TEST_F(PropertySheetTest, PageThatRefusesToBeLeftKeepsTheSheetThere) {
  UseScript(
      "type 1201 bad\n"
      "page 109\n"
      "dialog 102\n"
      "click 2\n");
  EXPECT_EQ(RunSheet(), 0);
  EXPECT_EQ(seen.notes.back(), std::make_pair(102, PSN_RESET));
  EXPECT_EQ(seen.notes[seen.notes.size() - 2], std::make_pair(102, PSN_QUERYCANCEL));
}

TEST_F(PropertySheetTest, InvalidApplyShowsThePageAndStays) {
  UseScript(
      "type 1201 invalid\n"
      "page 109\n"
      "click 1\n"
      "dialog 102\n"
      "settext 1201 fine\n"
      "key 1201 enter\n");
  EXPECT_EQ(RunSheet(), 1);
}

TEST_F(PropertySheetTest, HeadlessWithoutScriptCancels) {
  ASSERT_TRUE(tq::ui::UseFace("headless"));
  EXPECT_EQ(RunSheet(), 0);
  EXPECT_EQ(seen.notes.back(), std::make_pair(102, PSN_RESET));
}
