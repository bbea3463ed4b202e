#include "import/speed_dial_rows.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "common/ansi_slots.h"
#include "import/text_rules.h"

namespace tq::import {
namespace {

constexpr std::size_t kColumnNumber = 0;
constexpr std::size_t kColumnState = 1;
constexpr std::size_t kColumnFax = 2;
constexpr std::size_t kColumnName = 3;
constexpr std::size_t kColumnMode = 6;
constexpr std::size_t kColumnMailbox = 11;
constexpr std::size_t kColumnRelay = 12;
constexpr std::size_t kColumnFCode = 14;

std::string_view Column(const std::vector<std::string_view>& fields, std::size_t index) {
  return index < fields.size() ? fields[index] : std::string_view();
}

// Digits only; anything else (or nothing) is 0.
int StrictDecimal(std::string_view text) {
  if (text.empty() || text.size() > 9) return 0;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

char Rotate13(char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<char>('A' + (c - 'A' + 13) % 26);
  if (c >= 'a' && c <= 'z') return static_cast<char>('a' + (c - 'a' + 13) % 26);
  return c;
}

struct TwoParts {
  std::string first;
  std::string second;
};

TwoParts SplitAtColon(const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) return {text, {}};
  return {text.substr(0, colon), text.substr(colon + 1)};
}

// A destination ID: three characters after the cut or the padding, then
// judged by what follows its leading zeros. Empty when not accepted.
bool AcceptDestination(std::string_view token, char slot[kDestinationIdLength]) {
  std::string id(token.substr(0, kDestinationIdLength));
  if (id.size() < kDestinationIdLength) id.insert(0, kDestinationIdLength - id.size(), '0');
  std::size_t zeros = 0;
  while (zeros < id.size() && id[zeros] == '0') ++zeros;
  std::string_view rest = std::string_view(id).substr(zeros);
  bool accepted = false;
  if (rest.empty()) {
    accepted = true;
  } else if (rest[0] == '#' && StrictDecimal(rest.substr(1)) >= 1 && StrictDecimal(rest.substr(1)) <= 9) {
    accepted = true;
  } else {
    rest = rest.substr(0, 2);
    accepted = rest == "*" || rest == "**" || (rest.size() == 2 && rest[1] == '*') || StrictDecimal(rest) >= 1;
    id.resize(zeros + rest.size());
  }
  if (!accepted) return false;
  std::memset(slot, 0, kDestinationIdLength);
  std::memcpy(slot, id.data(), id.size());
  return true;
}

}  // namespace

bool IsSpeedDialHeader(const std::vector<std::string_view>& fields) {
  return fields.size() >= 4 && fields[0] == "*" && TrimBlanks(fields[1]) == "1" && TrimBlanks(fields[2]) == "0" &&
         TrimBlanks(fields[3]) == "1";
}

std::int32_t TransmissionModeIndex(std::string_view text) {
  const std::string copy(text);
  const long mode = std::strtol(copy.c_str(), nullptr, 10);
  if (mode == 2 || mode == 3) return 1;
  if (mode == 4) return 2;
  return 0;
}

std::string DecodeDeviceText(std::string_view text) {
  if (text.size() % 4 != 0) return {};
  std::string out;
  out.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    int values[4];
    int padding = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = Rotate13(text[i + k]);
      if (c == '=' && i + 4 == text.size() && k >= 2) {
        values[k] = 0;
        ++padding;
        continue;
      }
      if (padding > 0) return {};  // data after '='
      values[k] = Base64Value(c);
      if (values[k] < 0) return {};
    }
    const unsigned group = (values[0] << 18) | (values[1] << 12) | (values[2] << 6) | values[3];
    out.push_back(static_cast<char>((group >> 16) & 0xFF));
    if (padding < 2) out.push_back(static_cast<char>((group >> 8) & 0xFF));
    if (padding < 1) out.push_back(static_cast<char>(group & 0xFF));
  }
  return out;
}

bool ApplyMailbox(std::string_view encoded, EntryRecord& record) {
  // The ID and the first five bytes of the password.
  std::memset(reinterpret_cast<char*>(&record) + offsetof(EntryRecord, mailboxId), 0, 9);
  const TwoParts parts = SplitAtColon(DecodeDeviceText(encoded));
  CopyToAnsiSlot(record.mailboxId, std::string_view(parts.first).substr(0, 3));
  CopyToAnsiSlot(record.mailboxPassword, std::string_view(parts.second).substr(0, 4));
  const std::string_view id = AnsiSlotView(record.mailboxId);
  const std::size_t password = AnsiSlotView(record.mailboxPassword).size();
  return !id.empty() && (password == 0 || password >= 4);
}

void ApplyFCode(std::string_view encoded, EntryRecord& record) {
  std::memset(record.fCode, 0, sizeof record.fCode);
  std::memset(record.fCodePassword, 0, sizeof record.fCodePassword);
  const TwoParts parts = SplitAtColon(DecodeDeviceText(encoded));
  CopyToAnsiSlot(record.fCode, std::string_view(parts.first).substr(0, 20));
  CopyToAnsiSlot(record.fCodePassword, std::string_view(parts.second).substr(0, 20));
}

bool ApplyRelay(std::string_view text, EntryRecord& record) {
  auto* block = reinterpret_cast<char*>(&record) + offsetof(EntryRecord, relayTerminalId);
  std::memset(block, 0, offsetof(EntryRecord, speedDialFlag) - offsetof(EntryRecord, relayTerminalId));
  record.printOnRelay = '0';
  if (text.empty()) return false;
  if (text[0] == 'P') {
    record.printOnRelay = '1';
    text.remove_prefix(1);
  }
  const std::size_t slash = text.find('/');
  const std::string_view terminal = text.substr(0, std::min<std::size_t>(slash, 2));
  const int terminalValue = StrictDecimal(terminal);
  if (terminalValue >= 1 && terminalValue <= 99) CopyToAnsiSlot(record.relayTerminalId, terminal);
  std::int32_t count = 0;
  if (slash != std::string_view::npos) {
    std::string_view list = text.substr(slash + 1);
    for (;;) {
      if (count == kMaxDestinations) break;
      const std::size_t next = list.find('/');
      const std::string_view token = list.substr(0, next);
      if (!token.empty() && AcceptDestination(token, record.destinationIds + count * kDestinationIdLength)) ++count;
      if (next == std::string_view::npos) break;
      list.remove_prefix(next + 1);
    }
  }
  record.destinationCount = count;
  return count > 0 && record.relayTerminalId[0] != '\0';
}

EntryRecord CompleteRecord(const SpeedDialEntry& entry) {
  EntryRecord record = entry.record;
  const bool relay = ApplyRelay(entry.relay, record);
  const bool mailbox = ApplyMailbox(entry.mailbox, record);
  ApplyFCode(entry.fCode, record);
  record.sendMode = relay && !mailbox ? '1' : mailbox && !relay ? '4' : '0';
  return record;
}

int ReadSpeedDialRows(const CsvFile& file, SpeedDialList& list) {
  std::vector<std::string_view> fields;
  if (file.header >= file.lines.size()) return kBadSpeedDialHeader;
  if (!SplitFields(file.lines[file.header], fields)) return kUnclosedQuote;
  if (!IsSpeedDialHeader(fields)) return kBadSpeedDialHeader;
  list.entries.reserve(file.lines.size() - file.header);
  for (std::size_t i = file.header + 1; i < file.lines.size(); ++i) {
    if (file.lines[i].empty()) continue;
    if (!SplitFields(file.lines[i], fields)) return kUnclosedQuote;
    if (fields.size() == 1 && fields[0] == "*") break;
    const std::string_view number = TrimBlanks(Column(fields, kColumnNumber));
    const std::string fax = NormalizeFaxNumber(Column(fields, kColumnFax));
    if (fields.size() <= kColumnFax || Column(fields, kColumnState) == "I" || number.empty() || fax.empty()) {
      ++list.rejected;
      continue;
    }
    SpeedDialEntry entry;
    entry.record = DefaultEntryRecord;
    CopyToAnsiSlot(entry.record.name, ReplaceNameBrackets(Column(fields, kColumnName)));
    CopyToAnsiSlot(entry.record.faxNumber, fax);
    entry.mode = Column(fields, kColumnMode);
    entry.record.transmissionMode = TransmissionModeIndex(TrimBlanks(entry.mode));
    entry.number = number;
    entry.mailbox = Column(fields, kColumnMailbox);
    entry.relay = Column(fields, kColumnRelay);
    entry.fCode = Column(fields, kColumnFCode);
    list.entries.push_back(std::move(entry));
  }
  return 0;
}

}  // namespace tq::import
