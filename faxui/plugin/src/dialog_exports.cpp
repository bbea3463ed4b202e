// The dialog procedures the plug-in exports by name. Some are reached only
// by name (through the exports), so nothing else in the plug-in refers to
// them; naming them here links their objects in from the dialogs' static
// libraries and so keeps them exported.
#include "phonebook/entry_editor.h"
#include "phonebook/group_editor.h"
#include "phonebook/phonebook_dialog.h"
#include "printflow/prompt.h"
#include "recipient_list/comm_dialog.h"
#include "recipients/recipient_dialog.h"
#include "win/user.h"

namespace {

[[gnu::used]] constexpr DLGPROC kExportedDialogProcedures[] = {
    RecipientDlgProc,  CommDlgProc,      PhonebookDlgProc, ShowDBInfoDlgProc, EditDBInfoDlgProc,
    NewEntryDlgProc,   EditDBGrpDlgProc, ShowDBGrpDlgProc, FaxPromptDlgProc,
};

}  // namespace
