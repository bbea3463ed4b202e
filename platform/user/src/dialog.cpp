// Dialogs from templates: modal (DialogBoxParamW, with the owner disabled
// while it runs) and modeless (CreateDialogParamW), and EndDialog.
#include <cctype>

#include "updown_control.h"
#include "win/updown.h"
#include "window.h"
#include "win/transcript.h"

namespace tq::ui {
namespace {

// The dialog font's base units (8-point dialog font at 96 dots an inch).
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

bool SameClass(const char16_t* a, const char16_t* b) {
  for (; *a != 0 && *b != 0; ++a, ++b) {
    const auto lower = [](char16_t c) { return c < 128 ? static_cast<char16_t>(std::tolower(c)) : c; };
    if (lower(*a) != lower(*b)) return false;
  }
  return *a == *b;
}

WindowKind KindOfClass(const char16_t* name) {
  if (name == nullptr) return WindowKind::Static;
  if (SameClass(name, WC_BUTTONW)) return WindowKind::Button;
  if (SameClass(name, WC_EDITW)) return WindowKind::Edit;
  if (SameClass(name, WC_LISTBOXW)) return WindowKind::ListBox;
  if (SameClass(name, WC_COMBOBOXW)) return WindowKind::ComboBox;
  return WindowKind::Static;
}

std::unique_ptr<Control> MakeControl(WindowKind kind) {
  switch (kind) {
    case WindowKind::Button: return MakeButton();
    case WindowKind::Edit: return MakeEdit();
    case WindowKind::ListBox: return MakeListBox();
    case WindowKind::ComboBox: return MakeComboBox();
    default: return MakeStatic();
  }
}

}  // namespace

RECT DialogUnitsToPixels(short x, short y, short cx, short cy) {
  const LONG left = x * kBaseUnitX / 4;
  const LONG top = y * kBaseUnitY / 8;
  return RECT{left, top, left + cx * kBaseUnitX / 4, top + cy * kBaseUnitY / 8};
}

Window& CreateControl(Window& dialog, const res::ControlTemplate& item) {
  const WindowKind kind = KindOfClass(item.className);
  Window& control = NewWindow(kind);
  control.className = item.className != nullptr ? item.className : WC_STATICW;
  control.parent = &dialog;
  control.id = item.id;
  control.text = FromWide(item.text);
  control.style = item.style | WS_CHILD | (item.hidden ? 0 : WS_VISIBLE);
  control.exStyle = item.exStyle;
  control.instance = dialog.instance;
  control.rect = DialogUnitsToPixels(item.x, item.y, item.cx, item.cy);
  control.control = item.className != nullptr && SameClass(item.className, UPDOWN_CLASSW) ? MakeUpDown() : MakeControl(kind);
  dialog.children.push_back(&control);
  Dispatch(control, WM_CREATE, 0, 0);
  return control;
}

// Builds a dialog and its controls and sends WM_INITDIALOG. `parent` makes
// it a child (a property page); otherwise `owner` owns it. Null when the
// dialog destroyed itself during WM_INITDIALOG.
Window* BuildDialog(HINSTANCE instance, const res::DialogTemplate& dialogTemplate, Window* parent,
                    HWND owner, DLGPROC proc, LPARAM param) {
  Window& dialog = NewWindow(WindowKind::Dialog);
  dialog.className = WC_DIALOGW;
  dialog.text = FromWide(dialogTemplate.caption);
  dialog.style = dialogTemplate.style & ~WS_VISIBLE;
  dialog.exStyle = dialogTemplate.exStyle;
  dialog.instance = instance;
  dialog.templateId = dialogTemplate.id;
  dialog.dialogProc = proc;
  dialog.rect = DialogUnitsToPixels(dialogTemplate.x, dialogTemplate.y, dialogTemplate.cx,
                                    dialogTemplate.cy);
  if (parent != nullptr) {
    dialog.parent = parent;
    dialog.style |= WS_CHILD;
    parent->children.push_back(&dialog);
  } else if (Window* ownerWindow = PeekWindowRecord(owner)) {
    dialog.owner = TopLevelOf(*ownerWindow)->handle;
  }
  for (const res::ControlTemplate& item : dialogTemplate.controls) {
    Window& control = CreateControl(dialog, item);
    if (control.kind == WindowKind::Button && (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      dialog.defaultId = control.id;
    }
  }
  const HWND handle = dialog.handle;
  CurrentFace().WindowCreated(handle);
  HWND first = GetNextDlgTabItem(handle, nullptr, FALSE);
  const LRESULT wantsFocus = Dispatch(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
  Window* built = PeekWindowRecord(handle);
  if (built == nullptr) return nullptr;
  first = GetNextDlgTabItem(handle, nullptr, FALSE);
  if (wantsFocus != 0 && first != nullptr && parent == nullptr) {
    // The dialog manager gives the first tab stop the focus; an edit gets
    // its whole text selected.
    if (Window* control = PeekWindowRecord(first)) {
      FocusWindow(control);
      if (control->kind == WindowKind::Edit) SendMessageW(first, EM_SETSEL, 0, -1);
    }
  }
  return PeekWindowRecord(handle);
}

void ShowBuilt(Window& window) {
  window.style |= WS_VISIBLE;
  Changed(window, Change::Visible);
}

std::string DialogOpenLine(const Window& dialog) {
  return "dialog " + std::to_string(dialog.templateId) + " open " + QuoteText(dialog.text);
}

// The owner a modal window disables: the top-level window of `owner`.
HWND DisableOwner(HWND owner) {
  Window* ownerWindow = PeekWindowRecord(owner);
  if (ownerWindow == nullptr) return nullptr;
  Window* top = TopLevelOf(*ownerWindow);
  if (!top->Enabled()) return nullptr;
  EnableWindow(top->handle, FALSE);
  return top->handle;
}

// The control the dialog manager gives the focus back to: the one that
// had it, else (gone, hidden or disabled since) the first tab stop.
Window* FocusToRestore(Window& owner) {
  Window* focus = PeekWindowRecord(owner.lastFocus);
  if (focus != nullptr && IsWindowVisible(focus->handle) && IsWindowEnabled(focus->handle)) return focus;
  if (!owner.IsDialogLike()) return nullptr;
  return PeekWindowRecord(GetNextDlgTabItem(owner.handle, nullptr, FALSE));
}

void RestoreOwner(HWND disabled) {
  if (disabled == nullptr || !HandleExists(disabled)) return;
  EnableWindow(disabled, TRUE);
  Window* owner = PeekWindowRecord(disabled);
  // A dialog that has ended takes no focus back.
  if (owner == nullptr || owner->ended) return;
  if (Window* focus = FocusToRestore(*owner)) FocusWindow(focus);
}

}  // namespace tq::ui

using namespace tq::ui;

extern "C" INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC proc,
                                   LPARAM param) {
  const tq::res::DialogTemplate* dialogTemplate = tq::res::FindDialog(instance, name);
  if (dialogTemplate == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return -1;
  }
  if (owner != nullptr && !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  return OnOwnerThread([&]() -> INT_PTR {
    ClaimWindowThread();
    CurrentFace().ModalStarting("dialog", dialogTemplate->id, owner);
    const HWND disabled = DisableOwner(owner);
    Window* dialog = BuildDialog(instance, *dialogTemplate, nullptr, owner, proc, param);
    if (dialog == nullptr) {
      RestoreOwner(disabled);
      return 0;
    }
    dialog->modal = true;
    dialog->disabledOwner = disabled;
    const HWND handle = dialog->handle;
    const int id = dialog->templateId;
    WriteTranscript(DialogOpenLine(*dialog));
    if (!dialog->ended) {
      ShowBuilt(*dialog);
      RunModalLoop(*dialog);
    }
    INT_PTR result = 0;
    if (Window* done = PeekWindowRecord(handle)) {
      result = done->ended ? done->result : 0;
      done->disabledOwner = nullptr;
      DestroyRecord(*done);
    }
    WriteTranscript("dialog " + std::to_string(id) + " end " + std::to_string(result));
    RestoreOwner(disabled);
    return result;
  });
}

extern "C" HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC proc,
                                   LPARAM param) {
  const tq::res::DialogTemplate* dialogTemplate = tq::res::FindDialog(instance, name);
  if (dialogTemplate == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return OnOwnerThread([&]() -> HWND {
    ClaimWindowThread();
    Window* dialog = BuildDialog(instance, *dialogTemplate, nullptr, owner, proc, param);
    if (dialog == nullptr) return nullptr;
    WriteTranscript(DialogOpenLine(*dialog));
    if (dialogTemplate->style & WS_VISIBLE) ShowBuilt(*dialog);
    return dialog->handle;
  });
}

extern "C" BOOL EndDialog(HWND handle, INT_PTR result) {
  return OnOwnerThread([&]() -> BOOL {
    Window* dialog = FindWindowRecord(handle);
    if (dialog == nullptr || !dialog->IsDialogLike()) return FALSE;
    dialog->ended = true;
    dialog->result = result;
    // The owner comes back before the dialog goes, as Win32 does it.
    if (dialog->disabledOwner != nullptr) {
      const HWND owner = dialog->disabledOwner;
      dialog->disabledOwner = nullptr;
      if (HandleExists(owner)) EnableWindow(owner, TRUE);
    }
    if (Window* still = PeekWindowRecord(handle); still != nullptr && still->Visible()) {
      still->style &= ~WS_VISIBLE;
      Changed(*still, Change::Visible);
    }
    CurrentFace().Wake();
    return TRUE;
  });
}
