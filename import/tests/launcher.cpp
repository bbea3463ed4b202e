// The dialog that starts the Import application in the scenario tests, as
// the plug-in's recipient and phonebook dialogs do: its button 1018 starts
// the program named on the command line with the result file's path, and
// the completion command is answered with a report of what the dialog saw.
//
//   import_launcher recipient|phonebook PROGRAM RESULT
//
// The report ($TELEQUILL_ROOT/launcher-report.txt): the command received,
// whether the dialog was enabled and whether it was disabled while the
// import ran. The run is bounded by the script of TELEQUILL_UI.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "win/process.h"
#include "win/resource.h"
#include "win/user.h"

namespace {

constexpr int kDialog = 100;
constexpr int kRecipientList = 1008;
constexpr int kImportButton = 1018;
constexpr int kNamesImported = 1022;
constexpr int kSpeedDialImported = 1028;

const tq::res::ControlTemplate kRecipientControls[] = {
    {WC_LISTBOXW, kRecipientList, u"", 7, 7, 150, 60, LBS_NOTIFY | WS_BORDER},
    {WC_BUTTONW, kImportButton, u"&Importer dans la liste", 7, 72, 100, 14, BS_PUSHBUTTON | WS_TABSTOP},
};
const tq::res::ControlTemplate kPhonebookControls[] = {
    {WC_BUTTONW, kImportButton, u"&Importer dans l'annuaire", 7, 72, 100, 14, BS_PUSHBUTTON | WS_TABSTOP},
};
const tq::res::DialogTemplate kRecipientDialogs[] = {
    {kDialog, u"Destinataire du fax", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 170, 95, kRecipientControls}};
const tq::res::DialogTemplate kPhonebookDialogs[] = {
    {kDialog, u"Annuaire", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 170, 95, kPhonebookControls}};

std::string commandLine;
bool disabledMeanwhile = false;

void Report(const std::string& text) {
  const char* root = std::getenv("TELEQUILL_ROOT");
  const std::string path = std::string(root != nullptr ? root : ".") + "/launcher-report.txt";
  std::ofstream(path, std::ios::trunc) << text;
}

INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_ENABLE && wParam == FALSE) disabledMeanwhile = true;
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  if (id == kImportButton) {
    if (WinExec(commandLine.c_str(), SW_SHOW) <= 31) Report("not started\n");
    return TRUE;
  }
  if (id == kNamesImported || id == kSpeedDialImported) {
    Report("command " + std::to_string(id) + "\nenabled " + (IsWindowEnabled(dialog) ? "yes" : "no") +
           "\ndisabled meanwhile " + (disabledMeanwhile ? "yes" : "no") + "\n");
    EndDialog(dialog, id);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: import_launcher recipient|phonebook PROGRAM RESULT\n");
    return 64;
  }
  const bool recipient = std::string(argv[1]) == "recipient";
  const tq::res::ResourceScript script{recipient ? std::span<const tq::res::DialogTemplate>(kRecipientDialogs)
                                                 : std::span<const tq::res::DialogTemplate>(kPhonebookDialogs),
                                       {}, {}};
  tq::res::RegisterResources(nullptr, script);
  commandLine = std::string(argv[2]) + " " + argv[3];
  return DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kDialog), nullptr, DialogProc, 0) > 0 ? 0 : 1;
}
