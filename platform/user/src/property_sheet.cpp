// PropertySheetW: a modal sheet with the buttons "OK", "Annuler",
// "A&ppliquer" and "&Aide", pages made when first shown, and the PSN_*
// notifications in Win32's order.
#include "property_sheet.h"

#include <cstring>

#include "texts.h"
#include "win/transcript.h"
#include "win/sheet_labels.h"
#include "win/user_input.h"

namespace tq::ui {

namespace {

struct PageHandle {
  std::vector<unsigned char> page;
};

std::vector<unsigned char> CopyPage(const PROPSHEETPAGEW* page) {
  // A caller's page may carry its own data after the Win32 fields.
  const size_t given = page->dwSize == 0 ? sizeof(PROPSHEETPAGEW) : page->dwSize;
  const size_t size = std::max(given, sizeof(PROPSHEETPAGEW));
  std::vector<unsigned char> bytes(size, 0);
  std::memcpy(bytes.data(), page, given);
  reinterpret_cast<PROPSHEETPAGEW*>(bytes.data())->dwSize = static_cast<DWORD>(size);
  return bytes;
}

const res::DialogTemplate* PageTemplate(const PROPSHEETPAGEW& page) {
  if (page.dwFlags & PSP_DLGINDIRECT) return static_cast<const res::DialogTemplate*>(page.pResource);
  return res::FindDialog(page.hInstance, page.pszTemplate);
}

SheetState& State(Window& sheet) { return *sheet.sheet; }

LRESULT Notify(Window& sheet, HWND page, UINT code, LPARAM lParam) {
  Window* window = PeekWindowRecord(page);
  if (window == nullptr) return 0;
  PSHNOTIFY notification{{sheet.handle, 0, code}, lParam};
  return Dispatch(*window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notification));
}

void SetButton(Window& sheet, int id, bool enabled) {
  for (Window* child : sheet.children) {
    if (child->id == id && !child->IsDialogLike()) EnableWindow(child->handle, enabled ? TRUE : FALSE);
  }
}

bool CreatePage(Window& sheet, SheetPage& page) {
  PROPSHEETPAGEW& header = *reinterpret_cast<PROPSHEETPAGEW*>(page.page.data());
  if ((header.dwFlags & PSP_USECALLBACK) && header.pfnCallback != nullptr &&
      header.pfnCallback(nullptr, PSPCB_CREATE, &header) == 0) {
    return false;
  }
  const res::DialogTemplate* dialogTemplate = PageTemplate(header);
  if (dialogTemplate == nullptr) return false;
  page.templateId = dialogTemplate->id;
  Window* window = BuildDialog(header.hInstance, *dialogTemplate, &sheet, nullptr, header.pfnDlgProc,
                               reinterpret_cast<LPARAM>(&header));
  if (window == nullptr) return false;
  // As Win32's sheet does, a page template's own WS_DISABLED is dropped.
  window->style &= ~(WS_VISIBLE | WS_DISABLED);
  page.window = window->handle;
  return true;
}

// Leaving the shown page: PSN_KILLACTIVE, whose non-zero answer keeps it.
bool LeaveCurrent(Window& sheet) {
  SheetState& state = State(sheet);
  if (state.current < 0) return true;
  const HWND page = state.pages[state.current].window;
  return Notify(sheet, page, PSN_KILLACTIVE, 0) == 0;
}

// True when `window` is `page` or one of its controls.
bool Inside(HWND window, HWND page) {
  for (Window* at = PeekWindowRecord(window); at != nullptr; at = at->parent) {
    if (at->handle == page) return true;
  }
  return false;
}

HWND TabRow(Window& sheet) {
  for (Window* child : sheet.children) {
    if (child->id == IDC_PROPSHEET_TABS && !child->IsDialogLike()) return child->handle;
  }
  return nullptr;
}

bool ShowPage(Window& sheet, int index, bool leaveFirst) {
  SheetState& state = State(sheet);
  if (index < 0 || index >= static_cast<int>(state.pages.size())) return false;
  if (index == state.current) return true;
  if (leaveFirst && !LeaveCurrent(sheet)) return false;
  SheetPage& page = state.pages[index];
  if (page.window == nullptr) {
    state.making = index;
    const bool made = CreatePage(sheet, page);
    state.making = -1;
    if (!made) return false;
  }
  if (state.current >= 0) {
    const HWND old = state.pages[state.current].window;
    ShowWindow(old, SW_HIDE);
    // The focus leaves a hidden page for the tab row, where the arrows go
    // on changing pages.
    if (Inside(FocusedWindow(), old)) FocusWindow(PeekWindowRecord(TabRow(sheet)));
  }
  state.current = index;
  ShowWindow(page.window, SW_SHOW);
  SetButton(sheet, IDC_PROPSHEET_HELP, (page.Header().dwFlags & PSP_HASHELP) != 0);
  Notify(sheet, page.window, PSN_SETACTIVE, 0);
  // A page shown is painted.
  if (Window* shown = PeekWindowRecord(page.window)) Dispatch(*shown, WM_PAINT, 0, 0);
  Changed(sheet, Change::Page);
  return true;
}

int IndexOfPage(SheetState& state, HWND page) {
  for (int i = 0; i < static_cast<int>(state.pages.size()); ++i) {
    if (state.pages[i].window == page) return i;
  }
  return -1;
}

// PSN_APPLY to every page made so far; a page that answers invalid is shown
// and the sheet stays.
bool ApplyAll(Window& sheet, bool ok) {
  SheetState& state = State(sheet);
  for (int i = 0; i < static_cast<int>(state.pages.size()); ++i) {
    if (state.pages[i].window == nullptr) continue;
    const LRESULT answer = Notify(sheet, state.pages[i].window, PSN_APPLY, ok ? TRUE : FALSE);
    if (answer == PSNRET_INVALID || answer == PSNRET_INVALID_NOCHANGEPAGE) {
      ShowPage(sheet, i, false);
      return false;
    }
  }
  state.applied = true;
  for (SheetPage& page : state.pages) page.changed = false;
  SetButton(sheet, IDC_PROPSHEET_APPLY, false);
  return true;
}

void PressOk(Window& sheet) {
  if (!LeaveCurrent(sheet) || !ApplyAll(sheet, true)) return;
  EndDialog(sheet.handle, 1);
}

void PressApply(Window& sheet) {
  if (!LeaveCurrent(sheet)) return;
  const bool applied = ApplyAll(sheet, false);
  SheetState& state = State(sheet);
  // The shown page becomes active again after the apply.
  if (applied && state.current >= 0) Notify(sheet, state.pages[state.current].window, PSN_SETACTIVE, 0);
}

void PressCancel(Window& sheet) {
  SheetState& state = State(sheet);
  if (state.current >= 0 && Notify(sheet, state.pages[state.current].window, PSN_QUERYCANCEL, 0) != 0) return;
  for (SheetPage& page : state.pages) {
    if (page.window != nullptr) Notify(sheet, page.window, PSN_RESET, FALSE);
  }
  EndDialog(sheet.handle, state.applied ? 1 : 0);
}

// The row of tabs: Left and Up show the page before, Right and Down the
// page after, without wrapping round; the focus stays on the row.
class SheetTabs final : public Control {
 public:
  LRESULT Message(Window& self, UINT message, WPARAM wParam, LPARAM, bool* handled) override {
    switch (message) {
      case WM_GETDLGCODE: return DLGC_WANTARROWS;
      case WM_KEYDOWN: {
        Window* sheet = self.parent;
        if (sheet == nullptr || !sheet->sheet) return 0;
        const int step = wParam == VK_LEFT || wParam == VK_UP ? -1 : wParam == VK_RIGHT || wParam == VK_DOWN ? 1 : 0;
        if (step != 0) ShowPage(*sheet, State(*sheet).current + step, true);
        return 0;
      }
      default: *handled = false; return 0;
    }
  }
};

void MarkChanged(Window& sheet, HWND page, bool changed) {
  SheetState& state = State(sheet);
  const int index = IndexOfPage(state, page);
  if (index < 0) return;
  state.pages[index].changed = changed;
  if (changed) WriteTranscript("sheet changed " + std::to_string(state.pages[index].templateId));
  bool any = false;
  for (const SheetPage& p : state.pages) any = any || p.changed;
  SetButton(sheet, IDC_PROPSHEET_APPLY, any);
}

INT_PTR SheetProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* sheet = PeekWindowRecord(handle);
  if (sheet == nullptr || !sheet->sheet) return FALSE;
  SheetState& state = State(*sheet);
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PROPSHEET_OK: PressOk(*sheet); return TRUE;
        case IDC_PROPSHEET_CANCEL: PressCancel(*sheet); return TRUE;
        case IDC_PROPSHEET_APPLY: PressApply(*sheet); return TRUE;
        case IDC_PROPSHEET_HELP:
          if (state.current >= 0) Notify(*sheet, state.pages[state.current].window, PSN_HELP, 0);
          return TRUE;
        default: return FALSE;
      }
    case WM_CLOSE: PressCancel(*sheet); return TRUE;
    case WM_HELP:
      // F1 where no page answers it (the tab row, the sheet's buttons): the
      // shown page's help, as "Aide" gives it.
      if (state.current >= 0 && (state.pages[state.current].Header().dwFlags & PSP_HASHELP)) {
        Notify(*sheet, state.pages[state.current].window, PSN_HELP, 0);
      }
      return TRUE;
    case PSM_CHANGED: MarkChanged(*sheet, reinterpret_cast<HWND>(wParam), true); return TRUE;
    case PSM_UNCHANGED: MarkChanged(*sheet, reinterpret_cast<HWND>(wParam), false); return TRUE;
    case PSM_SETCURSEL: {
      int index = static_cast<int>(wParam);
      if (lParam != 0) {
        for (int i = 0; i < static_cast<int>(state.pages.size()); ++i) {
          if (reinterpret_cast<LPARAM>(state.pages[i].handle) == lParam) index = i;
        }
      }
      sheet->msgResult = ShowPage(*sheet, index, true) ? TRUE : FALSE;
      return TRUE;
    }
    case PSM_GETCURRENTPAGEHWND:
      sheet->msgResult = reinterpret_cast<LONG_PTR>(SheetCurrentPage(*sheet));
      return TRUE;
    case PSM_PRESSBUTTON:
      switch (static_cast<int>(wParam)) {
        case PSBTN_OK: PressOk(*sheet); break;
        case PSBTN_CANCEL: PressCancel(*sheet); break;
        case PSBTN_APPLYNOW: PressApply(*sheet); break;
        case PSBTN_HELP: SheetProc(handle, WM_COMMAND, IDC_PROPSHEET_HELP, 0); break;
        default: break;
      }
      return TRUE;
    case PSM_APPLY:
      sheet->msgResult = LeaveCurrent(*sheet) && ApplyAll(*sheet, false) ? TRUE : FALSE;
      return TRUE;
    case PSM_CANCELTOCLOSE:
      SetDlgItemTextW(handle, IDC_PROPSHEET_OK, state.closeText.empty() ? texts::kCloseButton : state.closeText.c_str());
      SetButton(*sheet, IDC_PROPSHEET_CANCEL, false);
      return TRUE;
    case PSM_SETTITLEW:
      SetWindowTextW(handle, reinterpret_cast<LPCWSTR>(lParam));
      return TRUE;
    case PSM_QUERYSIBLINGS:
      for (const SheetPage& page : state.pages) {
        if (page.window == nullptr) continue;
        if (LRESULT answer = SendMessageW(page.window, PSM_QUERYSIBLINGS, wParam, lParam)) {
          sheet->msgResult = answer;
          return TRUE;
        }
      }
      return TRUE;
    default:
      return FALSE;
  }
}

const res::ControlTemplate kSheetButtons[] = {
    {WC_BUTTONW, IDC_PROPSHEET_OK, u"OK", 0, 0, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP},
    {WC_BUTTONW, IDC_PROPSHEET_CANCEL, texts::kCancelButton, 0, 0, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_BUTTONW, IDC_PROPSHEET_APPLY, texts::kApplyButton, 0, 0, 50, 14, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED},
    {WC_BUTTONW, IDC_PROPSHEET_HELP, texts::kHelpButton, 0, 0, 50, 14, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED},
};

void ReleasePages(SheetState& state) {
  for (SheetPage& page : state.pages) {
    PROPSHEETPAGEW& header = *reinterpret_cast<PROPSHEETPAGEW*>(page.page.data());
    if ((header.dwFlags & PSP_USECALLBACK) && header.pfnCallback != nullptr) {
      header.pfnCallback(nullptr, PSPCB_RELEASE, &header);
    }
    // A sheet given page handles destroys them when it closes.
    delete reinterpret_cast<PageHandle*>(page.handle);
  }
}

}  // namespace

bool SheetShowIndex(Window& sheet, int index) { return sheet.sheet && ShowPage(sheet, index, true); }

bool SheetKey(Window& sheet, int key, bool shift, bool control) {
  if (!sheet.sheet || !control) return false;
  int step = 0;
  if (key == VK_TAB) step = shift ? -1 : 1;
  if (key == VK_NEXT) step = 1;
  if (key == VK_PRIOR) step = -1;
  if (step == 0) return false;
  SheetState& state = State(sheet);
  const int count = static_cast<int>(state.pages.size());
  if (count > 0) ShowPage(sheet, ((state.current + step) % count + count) % count, true);
  return true;
}

HWND SheetTabRow(Window& sheet) { return TabRow(sheet); }

HWND SheetCurrentPage(const Window& sheet) {
  if (!sheet.sheet || sheet.sheet->current < 0) return nullptr;
  return sheet.sheet->pages[sheet.sheet->current].window;
}

bool SheetHasTemplate(Window& sheet, int templateId) {
  for (const SheetPage& page : State(sheet).pages) {
    const res::DialogTemplate* dialogTemplate = PageTemplate(page.Header());
    if (dialogTemplate != nullptr && dialogTemplate->id == templateId) return true;
  }
  return false;
}

bool SheetShowTemplate(Window& sheet, int templateId) {
  SheetState& state = State(sheet);
  for (int i = 0; i < static_cast<int>(state.pages.size()); ++i) {
    const res::DialogTemplate* dialogTemplate = PageTemplate(state.pages[i].Header());
    if (dialogTemplate != nullptr && dialogTemplate->id == templateId) return ShowPage(sheet, i, true);
  }
  return false;
}

void SetSheetCloseText(HWND handle, std::u16string text) {
  Window* sheet = PeekWindowRecord(handle);
  if (sheet != nullptr && sheet->sheet) sheet->sheet->closeText = std::move(text);
}

std::vector<SheetPageTab> SheetPageTabs(HWND handle) {
  std::vector<SheetPageTab> tabs;
  Window* sheet = PeekWindowRecord(handle);
  if (sheet == nullptr || !sheet->sheet) return tabs;
  for (const SheetPage& page : sheet->sheet->pages) {
    const PROPSHEETPAGEW& header = page.Header();
    const bool making = static_cast<int>(tabs.size()) == sheet->sheet->making;
    const res::DialogTemplate* dialogTemplate = PageTemplate(header);
    SheetPageTab tab;
    tab.page = page.window;
    tab.making = making;
    tab.templateId = dialogTemplate != nullptr ? dialogTemplate->id : page.templateId;
    if (dialogTemplate != nullptr) tab.cx = dialogTemplate->cx, tab.cy = dialogTemplate->cy;
    if ((header.dwFlags & PSP_USETITLE) && header.pszTitle != nullptr) {
      if (!IS_INTRESOURCE(header.pszTitle)) {
        tab.title = FromWide(header.pszTitle);
      } else if (const res::StringResource* text = res::FindString(
                     header.hInstance, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(header.pszTitle)))) {
        tab.title = FromWide(text->text);
      }
    } else if (dialogTemplate != nullptr) {
      tab.title = FromWide(dialogTemplate->caption);
    }
    tabs.push_back(std::move(tab));
  }
  return tabs;
}

}  // namespace tq::ui

using namespace tq::ui;

extern "C" HPROPSHEETPAGE CreatePropertySheetPageW(LPCPROPSHEETPAGEW page) {
  if (page == nullptr) return nullptr;
  auto* handle = new PageHandle{CopyPage(page)};
  return reinterpret_cast<HPROPSHEETPAGE>(handle);
}

extern "C" BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page) {
  auto* handle = reinterpret_cast<PageHandle*>(page);
  if (handle == nullptr) return FALSE;
  auto& header = *reinterpret_cast<PROPSHEETPAGEW*>(handle->page.data());
  if ((header.dwFlags & PSP_USECALLBACK) && header.pfnCallback != nullptr) {
    header.pfnCallback(nullptr, PSPCB_RELEASE, &header);
  }
  delete handle;
  return TRUE;
}

extern "C" INT_PTR PropertySheetW(LPCPROPSHEETHEADERW header) {
  if (header == nullptr || header->nPages == 0 || header->ppsp == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  return OnOwnerThread([&]() -> INT_PTR {
    ClaimWindowThread();
    auto state = std::make_unique<SheetState>();
    if (header->dwFlags & PSH_PROPSHEETPAGE) {
      // Pages in one array, each dwSize bytes long.
      const auto* bytes = reinterpret_cast<const unsigned char*>(header->ppsp);
      for (UINT i = 0; i < header->nPages; ++i) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(bytes);
        state->pages.push_back({CopyPage(page), nullptr, nullptr, 0, false});
        bytes += std::max<DWORD>(page->dwSize, sizeof(PROPSHEETPAGEW));
      }
    } else {
      for (UINT i = 0; i < header->nPages; ++i) {
        auto* handle = reinterpret_cast<PageHandle*>(header->phpage[i]);
        if (handle == nullptr) continue;
        state->pages.push_back({handle->page, header->phpage[i], nullptr, 0, false});
      }
    }
    CurrentFace().ModalStarting("sheet", 0, header->hwndParent);
    Window& sheet = NewWindow(WindowKind::Sheet);
    sheet.className = WC_DIALOGW;
    std::u16string caption = FromWide(header->pszCaption);
    if (header->dwFlags & PSH_PROPTITLE) caption = texts::kPropertiesOf + caption;
    sheet.text = caption;
    sheet.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    sheet.instance = header->hInstance;
    sheet.dialogProc = SheetProc;
    sheet.rect = DialogUnitsToPixels(0, 0, 252, 218);
    if (Window* owner = PeekWindowRecord(header->hwndParent)) sheet.owner = TopLevelOf(*owner)->handle;
    sheet.sheet = std::move(state);
    sheet.modal = true;
    const HWND handle = sheet.handle;
    for (const tq::res::ControlTemplate& button : kSheetButtons) {
      Window& control = CreateControl(sheet, button);
      if (control.id == IDC_PROPSHEET_APPLY && (header->dwFlags & PSH_NOAPPLYNOW)) control.style &= ~WS_VISIBLE;
      if (control.id == IDC_PROPSHEET_HELP && !(header->dwFlags & PSH_HASHELP)) control.style &= ~WS_VISIBLE;
    }
    Window& tabs = CreateControl(sheet, {WC_TABCONTROLW, IDC_PROPSHEET_TABS, u"", 0, 0, 0, 0, WS_TABSTOP | WS_GROUP});
    tabs.control = std::make_unique<SheetTabs>();
    sheet.defaultId = IDC_PROPSHEET_OK;
    const HWND disabled = DisableOwner(header->hwndParent);
    sheet.disabledOwner = disabled;
    CurrentFace().WindowCreated(handle);
    UINT start = (header->dwFlags & PSH_USEPSTARTPAGE) ? 0 : header->nStartPage;
    if (start >= sheet.sheet->pages.size()) start = 0;
    if (!ShowPage(sheet, static_cast<int>(start), false)) {
      for (int i = 0; i < static_cast<int>(sheet.sheet->pages.size()) && SheetCurrentPage(sheet) == nullptr; ++i) {
        ShowPage(sheet, i, false);
      }
    }
    INT_PTR result = -1;
    if (Window* shown = PeekWindowRecord(handle)) {
      if (SheetCurrentPage(*shown) != nullptr) {
        // The sheet opens with the focus on its tab row unless the page
        // took it.
        Window* focus = PeekWindowRecord(FocusedWindow());
        if (focus == nullptr || TopLevelOf(*focus) != shown) FocusWindow(PeekWindowRecord(TabRow(*shown)));
        shown->style |= WS_VISIBLE;
        Changed(*shown, Change::Visible);
        RunModalLoop(*shown);
      }
    }
    if (Window* done = PeekWindowRecord(handle)) {
      if (done->ended) result = done->result;
      std::unique_ptr<SheetState> finished = std::move(done->sheet);
      done->disabledOwner = nullptr;
      DestroyRecord(*done);
      ReleasePages(*finished);
    }
    RestoreOwner(disabled);
    return result;
  });
}
