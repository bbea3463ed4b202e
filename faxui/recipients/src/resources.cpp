// The recipients' part of the plug-in's resource script: the template of
// the recipient dialog (101). Sizes are in dialog units.
#include "recipients/resources.h"

#include "dialogs/template_styles.h"
#include "faxui/resource_ids.h"

namespace tq::faxui {

namespace {

using namespace styles;

constexpr DWORD kRecipientListStyle =
    LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;

constexpr res::ControlTemplate kRecipientControls[] = {
    // Left column: the recipient being typed, import and the phonebook.
    {WC_STATICW, rcp::kNameLabel, u"&Nom :", 7, 7, 143, 8, kLabel},
    {WC_EDITW, rcp::kNameEdit, u"", 7, 17, 143, 12, kEdit},
    {WC_STATICW, rcp::kFaxNumberLabel, u"Numéro de &fax :", 7, 35, 143, 8, kLabel},
    {WC_STATICW, rcp::kSpeedDialLabel200, u"Numéro de com&position abrégée (1-200) :", 7, 35, 143, 8,
     kLabel, 0, true},
    {WC_STATICW, rcp::kSpeedDialLabel999, u"Numéro de com&position abrégée (1-999) :", 7, 35, 143, 8,
     kLabel, 0, true},
    {WC_EDITW, rcp::kNumberEdit, u"", 7, 45, 143, 12, kEdit},
    {WC_BUTTONW, rcp::kSpeedDialCheck, u"&Utiliser n° de composition abrégée", 7, 61, 143, 10,
     kCheck},
    {WC_BUTTONW, rcp::kAddButton, u"&Vers->", 156, 44, 42, 14, kButton},
    {WC_BUTTONW, rcp::kImportButton, u"&Importer dans la liste", 7, 80, 143, 14, kButton},
    {WC_STATICW, rcp::kPhonebookLabel, u"Annuaire courant :", 7, 104, 143, 8, kLabel},
    {WC_EDITW, rcp::kPhonebookPath, u"", 7, 114, 143, 12, kEdit | ES_READONLY},
    {WC_BUTTONW, rcp::kSearchPhonebookButton, u"Rec&hercher dans l'annuaire...", 7, 131, 143, 14,
     kButton},
    // Right column: the recipient list and what acts on its lines.
    {WC_STATICW, rcp::kListLabel, u"Liste des &destinataires :", 205, 7, 178, 8, kLabel},
    {WC_LISTBOXW, rcp::kList, u"", 205, 17, 178, 104, kRecipientListStyle},
    {WC_BUTTONW, rcp::kDetailsButton, u"Inf&ormations destinataire", 205, 125, 87, 14, kButton},
    {WC_BUTTONW, rcp::kCommButton, u"Paramètres de &comm.", 296, 125, 87, 14, kButton},
    {WC_BUTTONW, rcp::kRemoveButton, u"&Retirer de la liste", 205, 142, 87, 14, kButton},
    {WC_BUTTONW, rcp::kStoreButton, u"A&jouter à l'annuaire", 296, 142, 87, 14, kButton},
    {WC_BUTTONW, IDOK, u"OK", 205, 179, 56, 14, kDefaultButton},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 266, 179, 56, 14, kButton},
    {WC_BUTTONW, rcp::kHelpButton, u"Aide", 327, 179, 56, 14, kButton},
    // Never shown: the commands the Import application posts, and the
    // scratch list of the current phonebook's lines.
    {WC_STATICW, rcp::kImportDone, u"", 0, 0, 0, 0, kLabel, 0, true},
    {WC_STATICW, rcp::kImportDoneOther, u"", 0, 0, 0, 0, kLabel, 0, true},
    {WC_LISTBOXW, kScratchList, u"", 0, 0, 0, 0, LBS_SORT, 0, true},
};

constexpr res::DialogTemplate kRecipientDialog{
    kRecipientDialogId, u"Destinataire du fax", kModalDialog, 0, 0, 0, 390, 200, kRecipientControls};

}  // namespace

res::ResourceScript RecipientResources() {
  static const res::DialogTemplate dialogs[] = {kRecipientDialog};
  return {dialogs, {}, {}};
}

}  // namespace tq::faxui
