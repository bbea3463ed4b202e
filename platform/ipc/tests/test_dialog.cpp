#include "test_dialog.h"

#include "win/resource.h"

namespace ipctest {
namespace {

const tq::res::ControlTemplate kControls[] = {
    {WC_LISTBOXW, kList, u"", 10, 10, 120, 60, LBS_NOTIFY | WS_TABSTOP | WS_VSCROLL},
    {WC_BUTTONW, kImport, u"&Importer dans la liste", 10, 75, 120, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_BUTTONW, IDOK, u"OK", 10, 95, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 70, 95, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};

const tq::res::DialogTemplate kDialogs[] = {
    {kDialog, u"Destinataire du fax", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 140, 115, kControls},
};

const tq::res::ResourceScript kScript{kDialogs, {}, {}};

}  // namespace

void RegisterDialog() { tq::res::RegisterResources(nullptr, kScript); }

}  // namespace ipctest
