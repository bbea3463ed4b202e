// The recipients' part of the plug-in's resource script: dialog templates
// 101 and 104 and the transmission mode strings. Sizes are in dialog units.
// In 104 the mailbox group (405 to 408) and the relay group (409 to 419)
// lie on the same area; only one of them is ever shown.
#include "recipients/resources.h"

#include "dialogs/template_styles.h"
#include "faxui/resource_ids.h"
#include "recipients/comm_dialog.h"

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

constexpr res::ControlTemplate kCommControls[] = {
    {WC_STATICW, comm::kModeLabel, u"&Mode de transmission :", 7, 8, 90, 8, kLabel},
    {WC_COMBOBOXW, comm::kModeList, u"", 100, 6, 103, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {WC_STATICW, comm::kFCodeLabel, u"Code &F :", 7, 25, 90, 8, kLabel},
    {WC_EDITW, comm::kFCodeEdit, u"", 100, 23, 103, 12, kEdit},
    {WC_STATICW, comm::kFCodePasswordLabel, u"M&ot de passe :", 7, 41, 90, 8, kLabel},
    {WC_EDITW, comm::kFCodePasswordEdit, u"", 100, 39, 103, 12, kPassword},
    {WC_BUTTONW, comm::kSecureCheck, u"Envoi &sécurisé", 7, 58, 90, 10, kCheck},
    {WC_BUTTONW, comm::kRelayCheck, u"Envoi &relais", 100, 58, 103, 10, kCheck},
    // Mailbox group.
    {WC_STATICW, comm::kMailboxLabel, u"ID &boîte aux lettres (1-200) :", 7, 78, 120, 8, kLabel | kOff,
     0, true},
    {WC_EDITW, comm::kMailboxEdit, u"", 130, 76, 73, 12, kEdit | kOff, 0, true},
    {WC_STATICW, comm::kMailboxPasswordLabel, u"Mot de passe boîte aux &lettres :", 7, 94, 120, 8,
     kLabel | kOff, 0, true},
    {WC_EDITW, comm::kMailboxPasswordEdit, u"", 130, 92, 73, 12, kPassword | kOff, 0, true},
    // Relay group.
    {WC_STATICW, comm::kRelayTerminalLabel, u"ID &terminal relais (1-99) :", 7, 78, 120, 8,
     kLabel | kOff, 0, true},
    {WC_EDITW, comm::kRelayTerminalEdit, u"", 130, 76, 73, 12, kEdit | kOff, 0, true},
    {WC_BUTTONW, comm::kPrintOnRelayCheck, u"Im&primer sur le terminal relais", 7, 94, 196, 10,
     kCheck | kOff, 0, true},
    {WC_BUTTONW, comm::kGroupCheck, u"Envoi à un &groupe", 7, 108, 196, 10, kCheck | kOff, 0, true},
    {WC_STATICW, comm::kDestinationLabel99, u"ID de desti&nation (1-99) :", 7, 124, 96, 8,
     kLabel | kOff, 0, true},
    {WC_STATICW, comm::kDestinationLabel9, u"ID de desti&nation (1-9) :", 7, 124, 96, 8,
     kLabel | kOff, 0, true},
    {WC_EDITW, comm::kDestinationEdit, u"", 7, 134, 40, 12, kEdit | kOff, 0, true},
    {WC_BUTTONW, comm::kAddDestinationButton, u"A&jouter à->", 52, 133, 52, 14, kButton | kOff, 0,
     true},
    {WC_BUTTONW, comm::kRemoveDestinationButton, u"R&etirer", 52, 150, 52, 14, kButton | kOff, 0,
     true},
    {WC_STATICW, comm::kDestinationListLabel, u"Liste de &destinations :", 110, 124, 93, 8,
     kLabel | kOff, 0, true},
    {WC_LISTBOXW, comm::kDestinationList, u"", 110, 134, 93, 76,
     LBS_NOTIFY | LBS_EXTENDEDSEL | WS_VSCROLL | WS_BORDER | WS_TABSTOP | kOff, 0, true},
    {WC_BUTTONW, IDOK, u"OK", 46, 219, 50, 14, kDefaultButton},
    {WC_BUTTONW, IDCANCEL, u"Annuler", 100, 219, 50, 14, kButton},
    {WC_BUTTONW, comm::kHelpButton, u"Aide", 154, 219, 50, 14, kButton},
};

constexpr res::DialogTemplate kRecipientDialog{
    kRecipientDialogId, u"Destinataire du fax", kModalDialog, 0, 0, 0, 390, 200, kRecipientControls};

constexpr res::DialogTemplate kCommDialog{
    kCommDialogId, u"Paramètres de communication destinataire", kModalDialog, 0, 0, 0, 210, 240,
    kCommControls};

constexpr res::StringResource kTransmissionModeStrings[] = {
    {kModeG3Auto, u"G3 auto"},
    {kModeF4800, u"F4800"},
    {kModeG4Auto, u"G4 auto"},
};

}  // namespace

res::ResourceScript RecipientResources() {
  static const res::DialogTemplate dialogs[] = {kRecipientDialog, kCommDialog};
  return {dialogs, kTransmissionModeStrings, {}};
}

}  // namespace tq::faxui
