// The page procedure's work: each window message or property-sheet
// notification becomes a numbered page event looked up in the page's table,
// with the companion window hidden, enabled or disabled around it, the
// host's messages passed to the host first, and help served here.
#include "pages/page_framework.h"
#include "pages/page_help.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

PageHandler Find(int count, const PageEventEntry* table, int event) {
  for (int i = 0; table != nullptr && i < count; ++i) {
    if (table[i].event == event) return table[i].handler;
  }
  return nullptr;
}

// A missing event gives result 0.
LRESULT Run(int count, const PageEventEntry* table, int event, const PageCall& call) {
  const PageHandler handler = Find(count, table, event);
  return handler == nullptr ? 0 : handler(call);
}

HWND CompanionOf(HWND page) {
  void* data = LockPageState(page);
  if (data == nullptr) return nullptr;
  const HWND companion = HeaderOf(data)->companion;
  UnlockPageState(page);
  return companion != nullptr && IsWindow(companion) ? companion : nullptr;
}

void HideCompanion(HWND page) {
  if (const HWND companion = CompanionOf(page)) ShowWindow(companion, SW_HIDE);
}

void EnableCompanion(HWND page, bool enable) {
  if (const HWND companion = CompanionOf(page)) EnableWindow(companion, enable ? TRUE : FALSE);
}

LRESULT HostLook(HWND page, UINT message, LPARAM lParam) {
  void* data = LockPageState(page);
  if (data == nullptr) return 0;
  const HostServiceTable* services = ServicesOf(HeaderOf(data)->device);
  UnlockPageState(page);
  if (services == nullptr || services->pageMessage == nullptr) return 0;
  return services->pageMessage(page, message, lParam);
}

INT_PTR NotificationResult(HWND page, LRESULT result) {
  SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR Notification(HWND page, WPARAM wParam, LPARAM lParam, int count, const PageEventEntry* table) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header == nullptr) return FALSE;
  const PageCall call{page, WM_NOTIFY, wParam, lParam, 0, 0};
  switch (header->code) {
    case PSN_SETACTIVE:
      EnableCompanion(page, true);
      SetActivePage(page);
      Run(count, table, kEventSetActive, call);
      return NotificationResult(page, 0);
    case PSN_KILLACTIVE:
      EnableCompanion(page, false);
      [[fallthrough]];
    case PSN_QUERYCANCEL:
      // Non-zero from the handler lets the page go; 0 keeps it.
      return NotificationResult(page, Run(count, table, kEventKillActive, call) != 0 ? 0 : 1);
    case PSN_APPLY:
      return NotificationResult(page, Run(count, table, kEventApply, call) != 0 ? PSNRET_NOERROR
                                                                                : PSNRET_INVALID_NOCHANGEPAGE);
    case PSN_RESET:
      Run(count, table, kEventReset, call);
      return NotificationResult(page, 0);
    case PSN_HELP:
      OpenPageHelp(page);
      return NotificationResult(page, 0);
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR DispatchPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, int count,
                            const PageEventEntry* table) {
  const PageCall call{page, message, wParam, lParam, 0, 0};
  switch (message) {
    case WM_INITDIALOG: return Run(count, table, kEventInitialise, call);
    case WM_DRAWITEM: return Run(count, table, kEventDrawItem, call);
    case WM_MEASUREITEM: return Run(count, table, kEventMeasureItem, call);
    case WM_COMMAND: {
      HideCompanion(page);
      PageCall command = call;
      command.control = LOWORD(wParam);
      command.code = HIWORD(wParam);
      return Run(count, table, kEventCommand, command);
    }
    case WM_PAINT: return Run(count, table, kEventPaint, call);
    case WM_ERASEBKGND: return Run(count, table, kEventEraseBackground, call);
    case WM_NOTIFY:
      HideCompanion(page);
      return Notification(page, wParam, lParam, count, table);
    case WM_HELP:
      HelpForWindow(reinterpret_cast<const HELPINFO*>(lParam));
      return TRUE;
    case WM_CONTEXTMENU:
      HelpForContextMenu(reinterpret_cast<HWND>(wParam));
      return TRUE;
    case WM_KEYDOWN:
      HideCompanion(page);
      if (wParam == static_cast<WPARAM>(VK_F1)) HelpForFocus(page);
      return TRUE;
    case WM_DESTROY: {
      const LRESULT result = Run(count, table, kEventDestroy, call);
      DestroyPageState(page);
      return result;
    }
    case kHostPageMessageA:
    case kHostPageMessageB:
      return HostLook(page, message, lParam);
    default:
      return FALSE;
  }
}

void MarkPageChanged(HWND page) {
  SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

}  // namespace tq::faxui
