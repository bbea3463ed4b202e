// The checks of the communication settings on OK.
#include "common/ansi_slots.h"
#include "faxui/text_routines.h"
#include "recipient_list/comm_dialog.h"
#include "dialogs/messages.h"
#include "faxui/resource_ids.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr const char16_t* kSecureCaption = u"Paramètres de télécopie protégée non valides";
constexpr const char16_t* kRelayCaption = u"Paramètres de télécopie relais non valides";
constexpr int kMailboxLast = 200;
constexpr int kPasswordLength = 4;

}  // namespace

int ValidateCommSettings(HWND dialog, const EntryRecord& record) {
  if (record.sendMode == '4') {
    const int mailbox = DecimalValue(std::string(AnsiSlotView(record.mailboxId)).c_str());
    if (mailbox < 1 || mailbox > kMailboxLast) {
      return RefuseField(dialog,
                    u"Un numéro de boîte aux lettres (1 - 200) doit être spécifié pour l'envoi de "
                    u"télécopie protégée.",
                    kSecureCaption, comm::kMailboxEdit, true);
    }
    const std::string password(AnsiSlotView(record.mailboxPassword));
    if (!password.empty() && password.size() < kPasswordLength) {
      return RefuseField(dialog,
                    u"Un mot de passe à 4 chiffres doit être spécifié pour l'envoi de télécopie "
                    u"protégée.",
                    kSecureCaption, comm::kMailboxPasswordEdit, true);
    }
  } else if (record.sendMode == '1') {
    if (DecimalValue(std::string(AnsiSlotView(record.relayTerminalId)).c_str()) == 0) {
      return RefuseField(dialog,
                    u"Un ID de terminal relais (1 - 99) doit être spécifié pour l'envoi de télécopie "
                    u"relais.",
                    kRelayCaption, comm::kRelayTerminalEdit, true);
    }
    if (record.destinationCount <= 0) {
      return RefuseField(dialog,
                    u"Un ID de destination doit être ajouté à la liste des destinations pour l'envoi "
                    u"de télécopie relais.",
                    kRelayCaption, comm::kDestinationEdit, false);
    }
  }
  return 1;
}

}  // namespace tq::faxui
