// What the Qt face shows for the layer's modal calls: the buttons and icon
// of a message box, the filters of a file dialog, the page a help request
// opens. Kept apart from the widgets so that they can be checked alone.
#pragma once

#include <QMessageBox>
#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <string>
#include <vector>

#include "win/face.h"

namespace tq::ui::qt {

struct BoxButton {
  int answer;     // IDOK, IDCANCEL, IDYES, IDNO
  QString label;  // in the program's interface language
  QMessageBox::ButtonRole role;
};

// Left to right, as Win32 orders them.
std::vector<BoxButton> BoxButtonsOf(BoxButtons buttons);
QMessageBox::Icon BoxIconOf(BoxIcon icon);
// What Escape (or the close box) answers; 0 when the box has no way out but
// its buttons (Yes/No).
int EscapeAnswer(BoxButtons buttons);

// "Description (pattern pattern)" for each pair; patterns separated by ';'
// in the pair become blanks.
QStringList NameFilters(const FileDialogCall& call);
// A dialog's client size made wide enough for its whole caption (with room
// for the title bar's icon and buttons), as far as the screen allows.
QSize WidenedForCaption(QSize client, const QFont& font, const std::u16string& caption);
// Qt's own dialogs (the file dialogs) speak the program's interface
// language (its system texts' locale): Qt's translations for it are loaded
// when installed. False when they are not.
bool SpeakTheInterfaceLanguage();
QString FileDialogTitle(const FileDialogCall& call);

// The HTML page a help request opens: the help file's name with .html in
// place of its Windows extension, beside the given file when it names a
// folder, else in `helpFolder`; the topic as the fragment "context-N".
// Empty for HELP_QUIT, which closes nothing here.
QUrl HelpPage(const std::u16string& file, UINT command, DWORD context, const QString& helpFolder);

// The help context a HELP_WM_HELP or HELP_CONTEXTMENU request names: the
// pair for `controlId` in the (control, context) pairs ended by (0, 0).
DWORD ContextOfControl(int controlId, const DWORD* pairs);

}  // namespace tq::ui::qt
