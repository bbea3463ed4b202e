// Context help of the pages. The help pairs are those of the page last
// painted, which the page's paint handler names; the sheet shows one page
// at a time, so one shown page serves every page of the plug-in.
#include "pages/page_help.h"

#include "faxui/help_file.h"
#include "pages/page_framework.h"

namespace tq::faxui {

namespace {

struct PagesSeen {
  PageHelp shown{};
  bool painted = false;
  HWND active = nullptr;
};

PagesSeen& Seen() {
  static PagesSeen seen;
  return seen;
}

ULONG_PTR PairsAddress() { return reinterpret_cast<ULONG_PTR>(Seen().shown.pairs); }

DWORD ContextOfControl(int control) {
  const PageHelp* help = ShownPage();
  if (help == nullptr || help->pairs == nullptr) return 0;
  for (const HelpPair* pair = help->pairs; pair->control != 0 || pair->context != 0; ++pair) {
    if (static_cast<int>(pair->control) == control) return pair->context;
  }
  return 0;
}

}  // namespace

void SetShownPage(const PageHelp& help) {
  Seen().shown = help;
  Seen().painted = true;
}

const PageHelp* ShownPage() { return Seen().painted ? &Seen().shown : nullptr; }

void SetActivePage(HWND page) { Seen().active = page; }
HWND ActivePage() { return Seen().active; }

void OpenPageHelp(HWND page) {
  const PageHelp* help = ShownPage();
  LPCWSTR file = ModuleHelpFile();
  if (help == nullptr || file == nullptr) return;
  WinHelpW(page, file, HELP_CONTEXT, help->context);
}

void HelpForWindow(const HELPINFO* info) {
  LPCWSTR file = ModuleHelpFile();
  if (info == nullptr || file == nullptr || ShownPage() == nullptr) return;
  WinHelpW(static_cast<HWND>(info->hItemHandle), file, HELP_WM_HELP, PairsAddress());
}

void HelpForContextMenu(HWND control) {
  LPCWSTR file = ModuleHelpFile();
  if (file == nullptr || ShownPage() == nullptr) return;
  WinHelpW(control, file, HELP_CONTEXTMENU, PairsAddress());
}

void HelpForFocus(HWND page) {
  const PageHelp* help = ShownPage();
  LPCWSTR file = ModuleHelpFile();
  if (help == nullptr || file == nullptr) return;
  DWORD context = ContextOfControl(GetDlgCtrlID(GetFocus()));
  if (context == 0) context = help->context;
  if (context == 0) return;
  WinHelpW(page, file, HELP_CONTEXT, context);
}

}  // namespace tq::faxui
