#include "address_dialog.h"

#include <string>

#include "texts.h"
#include "win/ansi_text.h"
#include "win/dialog_state.h"
#include "win/kernel.h"
#include "win/program_folder.h"
#include "win/text.h"
#include "win/user.h"

namespace tq::mapi {
namespace {

struct DialogState {
  const ADRPARM* parameters;
  const CardBook* book;
  std::vector<const Contact*>* picked;
};

std::u16string Wide(const char* ansi) { return ansi != nullptr ? AnsiToWide(ansi) : std::u16string(); }

std::u16string LineOf(const Contact& contact) {
  std::u16string line = Utf8ToUtf16(contact.displayName);
  if (line.empty()) line.push_back(u'?');
  if (contact.isList) line += texts::kListMark;
  return line;
}

std::vector<int> SelectedItems(HWND list) {
  LRESULT count = SendMessageW(list, LB_GETSELCOUNT, 0, 0);
  std::vector<int> items(count > 0 ? static_cast<std::size_t>(count) : 0);
  if (!items.empty()) {
    SendMessageW(list, LB_GETSELITEMS, items.size(), reinterpret_cast<LPARAM>(items.data()));
  }
  return items;
}

std::u16string ItemText(HWND list, int item) {
  LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(item), 0);
  if (length < 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// Moves the book list's selected entries to the well, each once.
void AddSelected(HWND dialog) {
  HWND book = GetDlgItem(dialog, kBookList);
  HWND well = GetDlgItem(dialog, kToWell);
  for (int item : SelectedItems(book)) {
    LRESULT data = SendMessageW(book, LB_GETITEMDATA, static_cast<WPARAM>(item), 0);
    bool present = false;
    LRESULT count = SendMessageW(well, LB_GETCOUNT, 0, 0);
    for (LRESULT k = 0; k < count && !present; ++k) {
      present = SendMessageW(well, LB_GETITEMDATA, static_cast<WPARAM>(k), 0) == data;
    }
    if (present) continue;
    std::u16string text = ItemText(book, item);
    LRESULT added = SendMessageW(well, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (added >= 0) SendMessageW(well, LB_SETITEMDATA, static_cast<WPARAM>(added), data);
  }
}

void RemoveSelected(HWND dialog) {
  HWND well = GetDlgItem(dialog, kToWell);
  std::vector<int> items = SelectedItems(well);
  for (auto item = items.rbegin(); item != items.rend(); ++item) {
    SendMessageW(well, LB_DELETESTRING, static_cast<WPARAM>(*item), 0);
  }
}

// Typing a name selects the first line that begins with it.
void Search(HWND dialog) {
  HWND edit = GetDlgItem(dialog, kSearchEdit);
  int length = GetWindowTextLengthW(edit);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  GetWindowTextW(edit, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  if (text.empty()) return;
  HWND book = GetDlgItem(dialog, kBookList);
  LRESULT found = SendMessageW(book, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  if (found < 0) return;
  SendMessageW(book, LB_SETSEL, FALSE, -1);
  SendMessageW(book, LB_SETSEL, TRUE, found);
  SendMessageW(book, LB_SETCARETINDEX, static_cast<WPARAM>(found), 0);
}

void Initialise(HWND dialog, DialogState& state) {
  const ADRPARM& parameters = *state.parameters;
  if (parameters.lpszCaption != nullptr) SetWindowTextW(dialog, Wide(parameters.lpszCaption).c_str());
  SetDlgItemTextW(dialog, kWellsTitle, Wide(parameters.lpszDestWellsTitle).c_str());
  SetDlgItemTextW(dialog, kNewEntryTitle, Wide(parameters.lpszNewEntryTitle).c_str());
  std::u16string destination = parameters.cDestFields > 0 && parameters.lppszDestTitles != nullptr
                                   ? Wide(parameters.lppszDestTitles[0])
                                   : std::u16string(texts::kDefaultDestinationTitle);
  std::u16string button(u"&");
  button.append(destination).append(u" ->");
  SetDlgItemTextW(dialog, kToButton, button.c_str());
  HWND book = GetDlgItem(dialog, kBookList);
  const std::vector<Contact>& contacts = state.book->contacts();
  for (std::size_t i = 0; i < contacts.size(); ++i) {
    std::u16string line = LineOf(contacts[i]);
    LRESULT item = SendMessageW(book, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (item >= 0) SendMessageW(book, LB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(i));
  }
  if (!contacts.empty()) SendMessageW(book, LB_SETSEL, TRUE, 0);
}

void Finish(HWND dialog, DialogState& state) {
  HWND well = GetDlgItem(dialog, kToWell);
  const std::vector<Contact>& contacts = state.book->contacts();
  LRESULT count = SendMessageW(well, LB_GETCOUNT, 0, 0);
  for (LRESULT k = 0; k < count; ++k) {
    LRESULT index = SendMessageW(well, LB_GETITEMDATA, static_cast<WPARAM>(k), 0);
    if (index >= 0 && static_cast<std::size_t>(index) < contacts.size()) {
      state.picked->push_back(&contacts[static_cast<std::size_t>(index)]);
    }
  }
}

// F1: the dialog's topic in the address book's help file, beside the
// program that shows it.
void OpenAddressHelp(HWND dialog) {
  const std::u16string file = tq::BesideProgram(u"qladdress.HLP");
  WinHelpW(dialog, file.c_str(), HELP_CONTEXT, kAddressDialog);
}

INT_PTR AddressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = tq::DialogStateOf<DialogState>(dialog);
  switch (message) {
    case WM_HELP:
      OpenAddressHelp(dialog);
      return TRUE;
    case WM_INITDIALOG: {
      state = &tq::AttachBorrowedDialogState(dialog, *reinterpret_cast<DialogState*>(lParam));
      Initialise(dialog, *state);
      // The focus starts in the name field, where typing finds the first
      // line that begins with it; an empty well has nothing to act on.
      SetFocus(GetDlgItem(dialog, kSearchEdit));
      return FALSE;
    }
    case WM_VKEYTOITEM: {
      HWND list = reinterpret_cast<HWND>(lParam);
      if (LOWORD(wParam) == VK_DELETE && list == GetDlgItem(dialog, kToWell)) {
        RemoveSelected(dialog);
        return -2;
      }
      if (LOWORD(wParam) == VK_RETURN && list == GetDlgItem(dialog, kBookList)) {
        AddSelected(dialog);
        return -2;
      }
      return -1;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kSearchEdit:
          if (HIWORD(wParam) == EN_CHANGE) Search(dialog);
          return TRUE;
        case kBookList:
          if (HIWORD(wParam) == LBN_DBLCLK) AddSelected(dialog);
          return TRUE;
        case kToButton:
          AddSelected(dialog);
          return TRUE;
        case kRemoveButton:
          RemoveSelected(dialog);
          return TRUE;
        case IDOK:
          if (state != nullptr) Finish(dialog, *state);
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

HRESULT RunAddressDialog(HINSTANCE resources, HWND parent, const ADRPARM& parameters, const CardBook& book,
                         std::vector<const Contact*>& picked) {
  DialogState state{&parameters, &book, &picked};
  INT_PTR result = DialogBoxParamW(resources, MAKEINTRESOURCEW(kAddressDialog), parent, AddressDialogProc,
                                   reinterpret_cast<LPARAM>(&state));
  if (result == IDOK) return S_OK;
  picked.clear();
  return result == IDCANCEL ? MAPI_E_USER_CANCEL : MAPI_E_CALL_FAILED;
}

}  // namespace tq::mapi
