// The checks of the communication settings on OK.
#include "common/ansi_slots.h"
#include "faxui/text_routines.h"
#include "recipient_list/comm_dialog.h"
#include "dialogs/messages.h"
#include "faxui/resource_ids.h"
#include "recipient_list/texts.h"
#include "win/user.h"

namespace tq::faxui {

namespace {

constexpr int kMailboxLast = 200;
constexpr int kPasswordLength = 4;

}  // namespace

int ValidateCommSettings(HWND dialog, const EntryRecord& record) {
  if (record.sendMode == '4') {
    const int mailbox = DecimalValue(std::string(AnsiSlotView(record.mailboxId)).c_str());
    if (mailbox < 1 || mailbox > kMailboxLast) {
      return RefuseField(dialog,
                    texts::kMailboxRequired, texts::kSecureCaption, comm::kMailboxEdit, true);
    }
    const std::string password(AnsiSlotView(record.mailboxPassword));
    if (!password.empty() && password.size() < kPasswordLength) {
      return RefuseField(dialog,
                    texts::kMailboxPasswordLength, texts::kSecureCaption, comm::kMailboxPasswordEdit, true);
    }
  } else if (record.sendMode == '1') {
    if (DecimalValue(std::string(AnsiSlotView(record.relayTerminalId)).c_str()) == 0) {
      return RefuseField(dialog,
                    texts::kRelayTerminalRequired, texts::kRelayCaption, comm::kRelayTerminalEdit, true);
    }
    if (record.destinationCount <= 0) {
      return RefuseField(dialog,
                    texts::kDestinationListEmpty, texts::kRelayCaption, comm::kDestinationEdit, false);
    }
  }
  return 1;
}

}  // namespace tq::faxui
