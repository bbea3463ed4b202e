#include "sample_dialog.h"

#include "win/resource.h"

namespace sample {
namespace {

const tq::res::ControlTemplate kMainControls[] = {
    {WC_EDITW, kNumber, u"", 10, 10, 120, 12, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER},
    {WC_LISTBOXW, kNames, u"", 10, 30, 120, 80,
     LBS_SORT | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT | WS_TABSTOP | WS_VSCROLL},
    {WC_BUTTONW, kFine, u"&Fine", 140, 10, 60, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
    {WC_BUTTONW, kStandard, u"&Standard", 140, 22, 60, 10, BS_AUTORADIOBUTTON},
    {WC_BUTTONW, kFast, u"&Rapide", 140, 34, 60, 10, BS_AUTORADIOBUTTON},
    {WC_BUTTONW, kReport, u"Ra&pport", 140, 50, 60, 10, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP},
    {WC_BUTTONW, kDetails, u"&Détails...", 140, 70, 60, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_BUTTONW, kWarn, u"Avertir", 140, 88, 60, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_STATICW, kStatus, u"Prêt", 10, 115, 120, 8, SS_LEFT},
    {WC_BUTTONW, IDOK, u"OK", 80, 130, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 140, 130, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};

const tq::res::ControlTemplate kDetailControls[] = {
    {WC_EDITW, kDetailText, u"", 10, 10, 100, 12, WS_TABSTOP},
    {WC_BUTTONW, IDOK, u"OK", 10, 30, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 70, 30, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};

const tq::res::ControlTemplate kTimerControls[] = {
    {WC_STATICW, 3001, u"Recherche...", 10, 10, 100, 8, SS_LEFT},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 10, 30, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};

const tq::res::DialogTemplate kDialogs[] = {
    {kMainDialog, u"Échantillon", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 200, 150, kMainControls},
    {kDetailsDialog, u"Détails", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 130, 50, kDetailControls},
    {kTimerDialog, u"Recherche", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 120, 50, kTimerControls},
};

const tq::res::StringResource kStrings[] = {
    {1, u"Entrez un numéro de fax."},
    {2, u"Ajouter le destinataire à la liste"},
};

const tq::res::ResourceScript kScript{kDialogs, kStrings, {}};

// Characters a fax number may hold.
bool Allowed(char16_t c) {
  return (c >= u'0' && c <= u'9') || c == u' ' || c == u'-' || c == u'+' || c == u'(' || c == u')';
}

// The filter pattern: at each change, the first character that does not
// belong is selected and replaced by nothing, with a beep; the replacement
// changes the text again, so each pass removes one character.
void FilterNumber(HWND dialog) {
  char16_t text[64];
  GetDlgItemTextW(dialog, kNumber, text, 64);
  TheRecord().numberTexts.push_back(text);
  for (int i = 0; text[i] != 0; ++i) {
    if (Allowed(text[i])) continue;
    MessageBeep(MB_OK);
    ++TheRecord().beeps;
    SendDlgItemMessageW(dialog, kNumber, EM_SETSEL, i, i + 1);
    SendDlgItemMessageW(dialog, kNumber, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u""));
    return;
  }
}

INT_PTR DetailsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      TheRecord().ownerDisabledInDetails = !IsWindowEnabled(GetParent(dialog));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

HINSTANCE Instance() { return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x5A0000)); }

void RegisterSampleResources() { tq::res::RegisterResources(Instance(), kScript); }

Record& TheRecord() {
  static Record record;
  return record;
}

const std::vector<std::u16string>& StartNames() {
  static const std::vector<std::u16string> names = {u"Martin", u"éric", u"Bernard", u"alain", u"Eliane",
                                                    u"Fabien", u"claire", u"Dupont"};
  return names;
}

INT_PTR MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageW(dialog, kNumber, EM_LIMITTEXT, 20, 0);
      for (const std::u16string& name : StartNames()) {
        SendDlgItemMessageW(dialog, kNames, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
      }
      CheckRadioButton(dialog, kFine, kFast, kStandard);
      return TRUE;
    case WM_VKEYTOITEM:
      if (LOWORD(wParam) == VK_DELETE) {
        ++TheRecord().deleteKeys;
        // Delete removes the selected lines, last first.
        int selected[64];
        const int count = static_cast<int>(SendDlgItemMessageW(dialog, kNames, LB_GETSELITEMS, 64,
                                                               reinterpret_cast<LPARAM>(selected)));
        for (int i = count - 1; i >= 0; --i) SendDlgItemMessageW(dialog, kNames, LB_DELETESTRING, selected[i], 0);
        return -2;
      }
      return -1;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kNumber:
          if (HIWORD(wParam) == EN_CHANGE) FilterNumber(dialog);
          return TRUE;
        case kDetails:
          DialogBoxParamW(Instance(), MAKEINTRESOURCEW(kDetailsDialog), dialog, DetailsDialogProc, 0);
          TheRecord().ownerEnabledAfterDetails = IsWindowEnabled(dialog) != 0;
          TheRecord().focusAfterDetails = GetDlgCtrlID(GetFocus());
          return TRUE;
        case kWarn: {
          char16_t text[64];
          char16_t caption[64];
          LoadStringW(Instance(), 1, text, 64);
          LoadStringW(Instance(), 2, caption, 64);
          TheRecord().boxAnswer = MessageBoxW(dialog, text, caption, MB_OKCANCEL | MB_ICONWARNING);
          TheRecord().focusAfterBox = GetDlgCtrlID(GetFocus());
          SetDlgItemTextW(dialog, kStatus, TheRecord().boxAnswer == IDOK ? u"Confirmé" : u"Annulé");
          return TRUE;
        }
        case kImportDone:
          ++TheRecord().posted;
          SetDlgItemTextW(dialog, kStatus, u"Importé");
          return TRUE;
        case IDOK:
        case IDCANCEL:
          EndDialog(dialog, LOWORD(wParam));
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

// Ends itself after a few timer ticks, with nobody pressing anything.
INT_PTR TimerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetTimer(dialog, 7, 20, nullptr);
      return TRUE;
    case WM_TIMER:
      if (wParam == 7 && ++TheRecord().timerTicks == 3) {
        KillTimer(dialog, 7);
        EndDialog(dialog, IDOK);
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace sample
