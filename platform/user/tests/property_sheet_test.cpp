// Property sheets driven by scripts: the page notifications in Win32's
// order, the Apply button following PSM_CHANGED, and pages that refuse.
#include <algorithm>
#include <cstring>
#include <map>

#include "script_fixture.h"
#include "win/resource.h"
#include "win/sheet_labels.h"

namespace {

constexpr int kOptionsPage = 102;
constexpr int kAboutPage = 109;
constexpr int kHeader = 1201;

constexpr int kPassword = 1203;
const tq::res::ControlTemplate kOptionsControls[] = {
    {WC_EDITW, kHeader, u"", 10, 10, 100, 12, WS_TABSTOP},
    {WC_BUTTONW, 1202, u"&Rapport", 10, 30, 60, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    // "p" is also the sheet's "A&ppliquer".
    {WC_STATICW, -1, u"Mot de &passe :", 10, 50, 60, 8, SS_LEFT},
    {WC_EDITW, kPassword, u"", 70, 48, 60, 12, WS_TABSTOP | ES_PASSWORD},
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
  std::map<HWND, int> cookies;               // each page's host cookie
  std::vector<int> activated;                // the cookie of each page made active
  int cookieAtInit = 0;
  LPARAM lParamAtInit = 0;
  bool reportCannotBeUndone = false;
  std::u16string closeText;  // what the page gives the sheet as OK's Close label
};
Seen seen;

int TemplateOf(HWND page) { return GetDlgItem(page, kHeader) != nullptr ? kOptionsPage : kAboutPage; }

INT_PTR PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* host = reinterpret_cast<const HostPage*>(lParam);
      seen.cookieAtInit = host->hostCookie;
      seen.cookies[page] = host->hostCookie;
      seen.lParamAtInit = host->page.lParam;
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kHeader && HIWORD(wParam) == EN_CHANGE) PropSheet_Changed(GetParent(page), page);
      // "Rapport" stands for a change that Cancel cannot undo.
      if (LOWORD(wParam) == 1202 && HIWORD(wParam) == BN_CLICKED && seen.reportCannotBeUndone) {
        if (!seen.closeText.empty()) tq::ui::SetSheetCloseText(GetParent(page), seen.closeText);
        SendMessageW(GetParent(page), PSM_CANCELTOCLOSE, 0, 0);
      }
      return TRUE;
    case WM_NOTIFY: {
      const auto* note = reinterpret_cast<const NMHDR*>(lParam);
      seen.notes.emplace_back(TemplateOf(page), note->code);
      if (note->code == PSN_SETACTIVE) seen.activated.push_back(seen.cookies[page]);
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
  // The options page and one "À propos de" page, or two of them (cookies
  // 77, then 1 and 2 for the two "À propos de" pages).
  static INT_PTR RunSheet(int aboutPages = 1) {
    HostPage pages[3] = {};
    HPROPSHEETPAGE handles[3] = {};
    const int count = 1 + aboutPages;
    for (int i = 0; i < count; ++i) {
      pages[i].page.dwSize = sizeof(HostPage);
      pages[i].page.hInstance = PagesInstance();
      pages[i].page.pszTemplate = MAKEINTRESOURCEW(i == 0 ? kOptionsPage : kAboutPage);
      pages[i].page.pfnDlgProc = PageProc;
      pages[i].page.lParam = 0x1234;
      pages[i].hostCookie = aboutPages == 1 ? 77 : i;
      handles[i] = CreatePropertySheetPageW(&pages[i].page);
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_HASHELP;
    header.pszCaption = u"Propriétés du document";
    header.nPages = static_cast<UINT>(count);
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

// A sheet finished with the keyboard alone: the tab row takes the focus and
// its arrows change pages, Ctrl+Tab and Ctrl+PgDn change them wherever the
// focus is, each of two pages of one template is reached, Tab goes round
// the page, the buttons and the tab row, and a mnemonic that the page and
// the sheet share moves the focus without pressing "A&ppliquer".
TEST_F(PropertySheetTest, KeyboardAloneReachesEveryPageAndSharedMnemonicsPressNothing) {
  UseScript(
      "expect-focus 12320\n"       // the sheet opens on its tab row
      "key 12320 right\n"
      "key 12320 right\n"
      "key 12320 right\n"          // the last tab: arrows do not wrap round
      "expect-focus 12320\n"
      "key 12320 left\n"
      "page 109 2\n"               // the second "À propos de" page itself
      "hold ctrl\n"
      "key 12320 tab\n"            // Ctrl+Tab wraps round to the first page
      "release\n"
      "dialog 102\n"
      "type 1201 ab\n"
      "hold ctrl\n"
      "key 1201 pgdn\n"            // from inside the page: the focus goes to the row
      "expect-focus 12320\n"
      "key 12320 pgup\n"
      "key 12320 pgup\n"
      "hold ctrl shift\n"
      "key 12320 tab\n"
      "release\n"
      "page 102\n"
      "type 1201 cd\n"
      "alt p\n"                    // the label's field, after the focus
      "expect-focus 1203\n"
      "type 1203 secret\n"
      "alt P\n"                    // the next carrier of the letter: Apply, not pressed
      "expect-focus 12321\n"
      "expect-enabled 12321\n"
      "expect-text 1203 secret\n"
      "alt p\n"
      "expect-focus 1203\n"
      "alt r\n"                    // a letter only the check box carries presses it
      "expect-checked 1202\n"
      "alt a\n"                    // \"&Aide\" is disabled: nothing but a beep
      "expect-focus 1202\n"
      "key 1202 tab\n"
      "expect-focus 1203\n"
      "key 1203 tab\n"
      "expect-focus 1\n"
      "key 1 tab\n"
      "key 2 tab\n"
      "key 12321 tab\n"            // Help is disabled: on to the tab row
      "expect-focus 12320\n"
      "key 12320 tab\n"
      "expect-focus 1201\n"
      "hold shift\n"
      "key 1201 tab\n"
      "expect-focus 12320\n"
      "release\n"
      "click 1\n");
  EXPECT_EQ(RunSheet(2), 1);
  // Pages by their cookies: options 0, the two "À propos de" pages 1 and 2.
  EXPECT_EQ(seen.activated, (std::vector<int>{0, 1, 2, 1, 2, 0, 1, 0, 2, 1, 0}));
  EXPECT_NE(Transcript().find("beep"), std::string::npos) << Transcript();
  EXPECT_EQ(std::count(seen.notes.begin(), seen.notes.end(), std::make_pair(kOptionsPage, kApply)), 1);
}

// Once Cancel cannot undo a change, OK reads Close (the host's own label
// when it gave one, else the layer's) and Cancel is disabled.
TEST_F(PropertySheetTest, CancelToCloseLabelsOkWithTheHostsText) {
  seen.reportCannotBeUndone = true;
  UseScript(
      "click 1202\n"
      "expect-text 1 Fermer\n"
      "expect-disabled 2\n"
      "click 1\n");
  EXPECT_EQ(RunSheet(), 1);
  seen = {};
  seen.reportCannotBeUndone = true;
  seen.closeText = u"Clore";
  UseScript(
      "click 1202\n"
      "expect-text 1 Clore\n"
      "click 1\n");
  EXPECT_EQ(RunSheet(), 1);
}
