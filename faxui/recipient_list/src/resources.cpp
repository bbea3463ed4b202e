// The communication settings' part of the plug-in's resource script:
// dialog template 104 and the transmission mode strings. Sizes are in
// dialog units. The mailbox group (405 to 408) and the relay group (409 to
// 419) lie on the same area; only one of them is ever shown.
#include "recipient_list/resources.h"

#include "dialogs/template_styles.h"
#include "faxui/resource_ids.h"
#include "recipient_list/comm_dialog.h"

namespace tq::faxui {

namespace {

using namespace styles;

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

constexpr res::DialogTemplate kCommDialog{
    kCommDialogId, u"Paramètres de communication destinataire", kModalDialog, 0, 0, 0, 210, 240,
    kCommControls};

constexpr res::StringResource kTransmissionModeStrings[] = {
    {kModeG3Auto, u"G3 auto"},
    {kModeF4800, u"F4800"},
    {kModeG4Auto, u"G4 auto"},
};

}  // namespace

res::ResourceScript CommResources() {
  static const res::DialogTemplate dialogs[] = {kCommDialog};
  return {dialogs, kTransmissionModeStrings, {}};
}

}  // namespace tq::faxui
