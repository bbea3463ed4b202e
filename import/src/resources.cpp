// The Import application's resource script: its dialogs and its strings.
#include "resources.h"

#include "ids.h"
#include "win/user.h"

namespace tq::import {
namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kLabel = SS_LEFT;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kReadOnly = kEdit | ES_READONLY;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDefault = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kList = LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kMultiList = kList | LBS_EXTENDEDSEL;
constexpr DWORD kChosenList = kMultiList | LBS_USETABSTOPS | LBS_WANTKEYBOARDINPUT;

const tq::res::ControlTemplate kConfirmControls[] = {
    {WC_STATICW, confirm::kCountText, u"", 7, 7, 266, 8, kLabel},
    {WC_LISTBOXW, confirm::kList, u"", 7, 19, 266, 90, kList | LBS_USETABSTOPS},
    {WC_STATICW, -1, u"Entrées de base de données sélectionnées :", 7, 116, 170, 8, kLabel},
    {WC_EDITW, confirm::kTotal, u"", 183, 114, 40, 12, kReadOnly},
    {WC_STATICW, confirm::kRejectedLabel, u"", 7, 132, 170, 8, kLabel},
    {WC_EDITW, confirm::kRejected, u"", 183, 130, 40, 12, kReadOnly},
    {WC_STATICW, -1, u"Entrées de fax valides :", 7, 148, 170, 8, kLabel},
    {WC_EDITW, confirm::kValid, u"", 183, 146, 40, 12, kReadOnly},
    {WC_STATICW, confirm::kLimitNote, u"", 7, 164, 266, 8, kLabel},
    {WC_BUTTONW, IDOK, u"OK", 165, 180, 50, 14, kDefault},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 223, 180, 50, 14, kButton},
};

// The two-list selection of the CSV import (102) and of the speed-dial
// import (118) share their layout; 118 adds the title over the right list
// and the details button.
const tq::res::ControlTemplate kCsvSelectControls[] = {
    {WC_STATICW, -1, u"Entrez ou sélectionnez dans la liste:", 7, 7, 150, 8, kLabel},
    {WC_EDITW, select::kSearch, u"", 7, 18, 150, 12, kEdit},
    {WC_LISTBOXW, select::kAll, u"", 7, 34, 150, 130, kMultiList},
    {WC_BUTTONW, select::kMove, u"Vers ->", 163, 70, 50, 14, kButton},
    {WC_STATICW, -1, u"Destinataires sélectionnés", 219, 7, 150, 8, kLabel},
    {WC_LISTBOXW, select::kChosen, u"", 219, 34, 150, 130, kChosenList},
    {WC_BUTTONW, select::kRemove, u"Supprimer", 219, 168, 50, 14, kButton},
    {WC_BUTTONW, IDOK, u"OK", 205, 190, 50, 14, kDefault},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 262, 190, 50, 14, kButton},
    {WC_BUTTONW, select::kHelp, u"Aide", 319, 190, 50, 14, kButton},
};

const tq::res::ControlTemplate kSpeedDialSelectControls[] = {
    {WC_STATICW, -1, u"Entrez ou sélectionnez dans la liste :", 7, 7, 120, 8, kLabel},
    {WC_EDITW, select::kSearch, u"", 7, 18, 120, 12, kEdit},
    {WC_LISTBOXW, select::kAll, u"", 7, 34, 120, 130, kMultiList},
    {WC_BUTTONW, select::kMove, u"Vers ->", 133, 60, 50, 14, kButton},
    {WC_BUTTONW, select::kDetails, u"Détails", 133, 80, 50, 14, kButton},
    {WC_EDITW, select::kChosenTitle, u"", 189, 20, 200, 10, ES_READONLY},
    {WC_LISTBOXW, select::kChosen, u"", 189, 34, 200, 130, kChosenList},
    {WC_BUTTONW, select::kRemove, u"Supprimer", 189, 168, 50, 14, kButton},
    {WC_BUTTONW, IDOK, u"OK", 225, 190, 50, 14, kDefault},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 282, 190, 50, 14, kButton},
    {WC_BUTTONW, select::kHelp, u"Aide", 339, 190, 50, 14, kButton},
};

const tq::res::ControlTemplate kAssociateControls[] = {
    {WC_STATICW, -1, u"Associez les champs à importer :", 7, 7, 130, 8, kLabel},
    {WC_LISTBOXW, associate::kColumns, u"", 7, 18, 130, 110, kList},
    {WC_STATICW, -1, u"Nom :", 145, 18, 60, 8, kLabel},
    {WC_EDITW, associate::kName, u"", 145, 29, 100, 12, kReadOnly},
    {WC_BUTTONW, associate::kNameButton, u"Associer à", 250, 28, 55, 14, kButton},
    {WC_STATICW, -1, u"Numéro de fax :", 145, 50, 60, 8, kLabel},
    {WC_EDITW, associate::kFax, u"", 145, 61, 100, 12, kReadOnly},
    {WC_BUTTONW, associate::kFaxButton, u"Associer à", 250, 60, 55, 14, kButton},
    {WC_BUTTONW, IDOK, u"OK", 195, 114, 50, 14, kDefault},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 255, 114, 50, 14, kButton},
};

const tq::res::ControlTemplate kSourceControls[] = {
    {WC_STATICW, -1, u"Type de données :", 7, 9, 70, 8, kLabel},
    {WC_COMBOBOXW, source::kKind, u"", 80, 7, 170, 80, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {WC_BUTTONW, source::kAutomaticSearch, u"&Recherche automatique des champs CSV", 80, 26, 170, 10, kCheck},
    {WC_BUTTONW, source::kDefaultWab, u"Ouvrir le fichier WAB par &défaut", 80, 26, 170, 10, kCheck},
    {WC_BUTTONW, IDOK, u"OK", 86, 46, 50, 14, kDefault},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 143, 46, 50, 14, kButton},
    {WC_BUTTONW, source::kHelp, u"Aide", 200, 46, 50, 14, kButton},
};

const tq::res::ControlTemplate kProgressControls[] = {
    {WC_STATICW, -1, u"Extraction et validation des entrées de fax...", 10, 14, 200, 8, kLabel},
};

const tq::res::ControlTemplate kDetailsControls[] = {
    {WC_STATICW, -1, u"Nom :", 7, 9, 70, 8, kLabel},
    {WC_EDITW, details::kName, u"", 80, 7, 150, 12, kReadOnly},
    {WC_STATICW, -1, u"Numéro de fax :", 7, 25, 70, 8, kLabel},
    {WC_EDITW, details::kFax, u"", 80, 23, 150, 12, kReadOnly},
    {WC_STATICW, -1, u"Mode de trans :", 7, 41, 70, 8, kLabel},
    {WC_EDITW, details::kMode, u"", 80, 39, 150, 12, kReadOnly},
    {WC_STATICW, -1, u"Télécopie protégée :", 7, 57, 70, 8, kLabel},
    {WC_EDITW, details::kMailbox, u"", 80, 55, 150, 12, kReadOnly},
    {WC_STATICW, -1, u"Télécopie relais :", 7, 73, 70, 8, kLabel},
    {WC_EDITW, details::kRelay, u"", 80, 71, 150, 12, kReadOnly},
    {WC_STATICW, -1, u"Code F :", 7, 89, 70, 8, kLabel},
    {WC_EDITW, details::kFCode, u"", 80, 87, 150, 12, kReadOnly},
    {WC_BUTTONW, IDOK, u"OK", 180, 106, 50, 14, kDefault},
};

const tq::res::DialogTemplate kDialogs[] = {
    {kConfirmDialog, u"Importation des données d'un destinataire - Confirmation", kDialogStyle, 0, 0, 0, 280, 201,
     kConfirmControls},
    {kCsvSelectDialog, u"CSV", kDialogStyle, 0, 0, 0, 376, 211, kCsvSelectControls},
    {kAssociateDialog, u"CSV", kDialogStyle, 0, 0, 0, 312, 135, kAssociateControls},
    {kSourceDialog, u"Importation des données d'un destinataire", kDialogStyle, 0, 0, 0, 257, 67, kSourceControls},
    {kProgressDialog, u"Importation des données d'un destinataire", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0,
     220, 36, kProgressControls},
    {kSpeedDialSelectDialog, u"CSV", kDialogStyle, 0, 0, 0, 396, 211, kSpeedDialSelectControls},
    {kSpeedDialDetailsDialog, u"", kDialogStyle, 0, 0, 0, 237, 127, kDetailsControls},
};

const tq::res::StringResource kStrings[] = {
    {kCsvFilterString, u"Valeurs séparées par une virgule (*.CSV)|*.csv|Tous les fichiers (*.*)|*.*|"},
    {kWabFilterString, u"Carnet d'adresses (*.vcf)|*.vcf|Carnet d'adresses Windows (*.WAB)|*.wab|Tous les fichiers (*.*)|*.*|"},
};

}  // namespace

const tq::res::ResourceScript kResourceScript{kDialogs, kStrings, {}};

}  // namespace tq::import
