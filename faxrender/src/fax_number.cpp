#include "faxrender/fax_number.h"

#include <algorithm>

#include "faxrender/formatter.h"
#include "faxrender/text_routines.h"

namespace tq::render {
namespace {

inline constexpr int kPaddedIdWidth = 4;
inline constexpr int kMailboxPasswordLength = 4;

// Takes a text slot of the record into `out` (size bytes), never reading
// past the slot even when the slot carries no terminator.
template <std::size_t N>
void TakeSlot(char* out, std::size_t size, const char (&slot)[N]) {
  CopyStringA(out, slot, std::min(size, N + 1));
}

// "{1", the terminal padded to 4 digits, the print-at-relay character, each
// destination as '0' and its three characters, "}".
void RelayBlock(const EntryRecord& recipient, char* out, std::size_t size) {
  char terminal[kPaddedIdWidth + 1];
  TakeSlot(terminal, sizeof terminal, recipient.relayTerminalId);
  padzeroA(terminal, static_cast<int>(ASCIIstrlen(terminal)), kPaddedIdWidth);

  char destinations[kMaxDestinations * (kDestinationIdLength + 1) + 1];
  const int count = std::clamp(recipient.destinationCount, 0, kMaxDestinations);
  std::size_t length = 0;
  for (int i = 0; i < count; ++i) {
    destinations[length++] = '0';
    memcpyn(destinations + length, recipient.destinationIds + i * kDestinationIdLength,
            kDestinationIdLength);
    length += kDestinationIdLength;
  }
  destinations[length] = '\0';

  // The character is sent as the record holds it; only a NUL, which would
  // end the block's text before its destinations and closing brace, is sent
  // as '0', the record's default.
  const char printAtRelay = recipient.printOnRelay != '\0' ? recipient.printOnRelay : '0';
  FormatText(out, size, "{%c%s%c%s}", '1', terminal, printAtRelay, destinations);
}

// "{4", the mailbox padded to 4 digits, its password when there is one, "}".
void MailboxBlock(const EntryRecord& recipient, char* out, std::size_t size) {
  char mailbox[kPaddedIdWidth + 1];
  TakeSlot(mailbox, sizeof mailbox, recipient.mailboxId);
  padzeroA(mailbox, static_cast<int>(ASCIIstrlen(mailbox)), kPaddedIdWidth);

  char password[kMailboxPasswordLength + 1];
  TakeSlot(password, sizeof password, recipient.mailboxPassword);

  char idAndPassword[sizeof mailbox + sizeof password];
  FormatText(idAndPassword, sizeof idAndPassword, "%s%s", mailbox, password);
  FormatText(out, size, "{%c%s}", '4', idAndPassword);
}

}  // namespace

int DoFaxNumParam(const EntryRecord& recipient, char* destination, std::size_t size) {
  char number[kFaxNumberSize];
  CopyStringA(number, recipient.faxNumber, sizeof number);
  char dial[kFaxNumberSize];
  DecodeFaxNum(number, dial);

  if (recipient.speedDialFlag == 1) return FormatText(destination, size, "%c%s%c\n", '\'', dial, '\'');

  char relay[96] = "";
  if (recipient.sendMode == '1') RelayBlock(recipient, relay, sizeof relay);

  char mailbox[16] = "";
  if (recipient.sendMode == '4' && recipient.mailboxId[0] != '\0')
    MailboxBlock(recipient, mailbox, sizeof mailbox);

  char fCode[kFCodeSize];
  TakeSlot(fCode, sizeof fCode, recipient.fCode);
  char fCodeBlock[kFCodeSize + 4] = "";
  if (fCode[0] != '\0') FormatText(fCodeBlock, sizeof fCodeBlock, "{5%s}", fCode);

  char fPassword[kFCodeSize];
  TakeSlot(fPassword, sizeof fPassword, recipient.fCodePassword);
  char fPasswordBlock[kFCodeSize + 4] = "";
  if (fPassword[0] != '\0') FormatText(fPasswordBlock, sizeof fPasswordBlock, "{6%s}", fPassword);

  // Twice the transmission mode index: {30} G3 auto, {32} F4800, {34} G4.
  const auto modeCode =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(recipient.transmissionMode) * 2u);
  return FormatText(destination, size, "%s%s{20}{3%d}%s%s%s\n", dial, relay, modeCode, mailbox,
                    fCodeBlock, fPasswordBlock);
}

}  // namespace tq::render
