// The address dialog's template, which the address book libraries' resource
// scripts carry. Sizes are in dialog units.
#include "address_dialog.h"
#include "win/user.h"

namespace tq::mapi {
namespace {

const tq::res::ControlTemplate kControls[] = {
    {WC_STATICW, kSearchLabel, u"&Tapez le nom ou sélectionnez-le dans la liste :", 7, 7, 160, 8, SS_LEFT},
    {WC_EDITW, kSearchEdit, u"", 7, 17, 160, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    {WC_LISTBOXW, kBookList, u"", 7, 33, 160, 150,
     LBS_SORT | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {WC_STATICW, kWellsTitle, u"", 178, 7, 170, 8, SS_LEFT},
    {WC_BUTTONW, kToButton, u"", 178, 33, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_LISTBOXW, kToWell, u"", 234, 33, 114, 130,
     LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {WC_BUTTONW, kRemoveButton, u"&Supprimer", 234, 169, 60, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {WC_STATICW, kNewEntryTitle, u"", 7, 189, 341, 16, SS_LEFT},
    {WC_BUTTONW, IDOK, u"OK", 244, 209, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 298, 209, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};

const tq::res::DialogTemplate kDialogs[] = {
    {kAddressDialog, u"Carnet d'adresses", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 355,
     230, kControls},
};

}  // namespace

const tq::res::ResourceScript kAddressDialogScript{kDialogs, {}, {}};

}  // namespace tq::mapi
