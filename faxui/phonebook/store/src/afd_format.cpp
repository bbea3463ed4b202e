#include "phonebook/afd_format.h"

#include <algorithm>

#include "byte_scan.h"

namespace tq::phonebook {

namespace {

constexpr std::size_t kFirstDestinationField = 10;

std::string_view Cut(std::string_view text, std::size_t limit) {
  return text.substr(0, std::min(text.size(), limit));
}

void AppendField(std::string& out, std::string_view text, std::size_t limit) {
  std::string clean = WithoutControlBytes(text);
  out.append(Cut(clean, limit));
  out.push_back(kFieldEnd);
}

void AppendDecimal(std::string& out, std::uint32_t value) {
  out.append(std::to_string(value));
  out.push_back(kFieldEnd);
}

// The fields of a record given from its start byte to its end byte. Each
// field ends at its 0x03; text left before the end byte without one is
// taken as a last field, so that a reader never runs past the record.
std::vector<std::string_view> SplitFields(std::string_view record) {
  if (!record.empty() && IsControlByte(record.front()) && record.front() != kFieldEnd) record.remove_prefix(1);
  if (!record.empty() && record.back() == kRecordEnd) record.remove_suffix(1);
  std::vector<std::string_view> fields;
  std::size_t begin = 0;
  while (begin < record.size()) {
    std::size_t end = record.find(kFieldEnd, begin);
    if (end == std::string_view::npos) end = record.size();
    fields.push_back(record.substr(begin, end - begin));
    begin = end + 1;
  }
  return fields;
}

std::string_view FieldAt(const std::vector<std::string_view>& fields, std::size_t index) {
  return index < fields.size() ? fields[index] : std::string_view{};
}

std::string_view FirstField(std::string_view afterStart) {
  return afterStart.substr(0, afterStart.find(kFieldEnd));
}

bool IsStartFor(char c, RecordQuery::Kind kind) {
  switch (kind) {
    case RecordQuery::Kind::Individual: return c == kIndividualStart;
    case RecordQuery::Kind::Group: return c == kGroupStart;
    case RecordQuery::Kind::Any: return c == kIndividualStart || c == kGroupStart;
  }
  return false;
}

// The first byte of the name a search is after, in both cases. As the key
// comparison does, an ASCII first byte of another letter settles that a
// record is not the one, without finding the end of its name: a search
// rejects most records so.
class FirstByteFilter {
 public:
  explicit FirstByteFilter(std::string_view name) {
    if (name.empty() || static_cast<unsigned char>(name[0]) >= 0x80) return;
    active_ = true;
    lower_ = upper_ = name[0];
    if (lower_ >= 'A' && lower_ <= 'Z') lower_ = static_cast<char>(lower_ + ('a' - 'A'));
    if (upper_ >= 'a' && upper_ <= 'z') upper_ = static_cast<char>(upper_ - ('a' - 'A'));
  }
  // The body is the record without its start and end bytes.
  bool Rejects(std::string_view body) const {
    if (!active_ || body.empty()) return false;
    char first = body[0];
    return first != kFieldEnd && static_cast<unsigned char>(first) < 0x80 && first != lower_ && first != upper_;
  }

 private:
  bool active_ = false;
  char lower_ = 0;
  char upper_ = 0;
};

// Whether a record of the query's kind is the one, by its body (the record
// without its start and end bytes).
bool MatchesKey(std::string_view body, const RecordQuery& query) {
  std::string_view first = FirstField(body);
  if (!KeysEqual(Cut(first, kKeyTextLength), query.name)) return false;
  if (query.kind == RecordQuery::Kind::Group) return true;
  std::string_view rest = first.size() < body.size() ? body.substr(first.size() + 1) : std::string_view{};
  return KeysEqual(Cut(FirstField(rest), kKeyTextLength), query.faxNumber);
}

// The plain walk: the first record of any kind.
RecordSearch FindAnyRecord(std::string_view window) {
  RecordSearch search;
  std::size_t start = 0;
  while (start < window.size() && !IsStartFor(window[start], RecordQuery::Kind::Any)) ++start;
  if (start == window.size()) return search;
  search.lastStart = start;
  std::size_t end = start + 1 + FindByte(window.data() + start + 1, window.size() - start - 1, kRecordEnd);
  if (end == window.size()) {
    search.incomplete = true;
    return search;
  }
  search.found = true;
  search.start = start;
  search.end = end + 1;
  return search;
}

// A keyed search: records of the query's kind in turn, the other kind's
// skipped whole, until one matches.
RecordSearch FindKeyedRecord(std::string_view window, const RecordQuery& query) {
  RecordSearch search;
  const char startByte = query.kind == RecordQuery::Kind::Individual ? kIndividualStart : kGroupStart;
  const FirstByteFilter filter(query.name);
  const char* bytes = window.data();
  const std::size_t size = window.size();
  ByteFinder ends(bytes, size, kRecordEnd);
  std::size_t pos = 0;
  while (pos < size) {
    // Records mostly follow one another directly.
    std::size_t start = bytes[pos] == startByte ? pos : pos + FindByte(bytes + pos, size - pos, startByte);
    if (start == size) break;
    std::size_t end = ends.NextAfter(start);
    if (end == size) {
      search.incomplete = true;
      break;
    }
    std::string_view body(bytes + start + 1, end - start - 1);
    if (!filter.Rejects(body) && MatchesKey(body, query)) {
      search.found = true;
      search.start = start;
      search.end = end + 1;
      search.lastStart = start;
      return search;
    }
    pos = end + 1;
  }
  // Without a match the caller re-reads from the last start byte of the
  // whole window, in case that record crosses the buffer's end.
  for (std::size_t i = size; i > 0; --i) {
    if (bytes[i - 1] == kIndividualStart || bytes[i - 1] == kGroupStart) {
      search.lastStart = i - 1;
      break;
    }
  }
  return search;
}

}  // namespace

bool FieldsAreClean(std::string_view record) {
  if (record.size() < 2) return false;
  for (char c : record.substr(1, record.size() - 2)) {
    if ((c == 0 || IsControlByte(c)) && c != kFieldEnd) return false;
  }
  return true;
}

std::string WithoutControlBytes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (!IsControlByte(c)) out.push_back(c);
  }
  return out;
}

std::string EmptyPhonebookBytes() {
  std::string bytes(kMagic2000);
  bytes.push_back('\n');
  return bytes;
}

StoreResult CheckMagic(std::string_view first34) {
  if (first34.size() < kMagicLength) return StoreResult::BadFormat;
  first34 = first34.substr(0, kMagicLength);
  if (first34 == kMagic0000) return StoreResult::Version0000;
  if (first34 == kMagic1000) return StoreResult::Version1000;
  if (first34 == kMagic2000) return StoreResult::Ok;
  return StoreResult::BadFormat;
}

RecordSearch FindRecord(std::string_view window, const RecordQuery& query) {
  return query.kind == RecordQuery::Kind::Any ? FindAnyRecord(window) : FindKeyedRecord(window, query);
}

bool RecordHasKey(std::string_view record, const RecordQuery& query) {
  if (query.kind == RecordQuery::Kind::Any || record.size() < 2 || record.back() != kRecordEnd) return false;
  if (record.front() != (query.kind == RecordQuery::Kind::Individual ? kIndividualStart : kGroupStart)) return false;
  const std::string_view body = record.substr(1, record.size() - 2);
  return !FirstByteFilter(query.name).Rejects(body) && MatchesKey(body, query);
}

std::uint32_t ParseDecimal(std::string_view text) {
  std::uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10u + static_cast<std::uint32_t>(c - '0');
  }
  return value;
}

std::string SerialiseIndividual(const IndividualFields& f) {
  std::string out;
  out.reserve(128);
  out.push_back(kIndividualStart);
  AppendField(out, f.name, kKeyTextLength);
  AppendField(out, f.faxNumber, kKeyTextLength);
  AppendField(out, f.company, limits::kCompany);
  AppendField(out, f.telephone, limits::kTelephone);
  AppendField(out, f.email, limits::kEmail);
  AppendField(out, f.remarks, limits::kRemarks);
  AppendField(out, f.sendMode, 1);
  AppendField(out, f.printOnRelay, 1);
  AppendField(out, f.relayTerminalId, limits::kRelayTerminalId);
  std::size_t count = std::min<std::size_t>(f.destinationIds.size(), kMaxDestinations);
  AppendDecimal(out, static_cast<std::uint32_t>(count));
  for (std::size_t i = 0; i < count; ++i) {
    AppendField(out, f.destinationIds[i], kDestinationIdLength);
  }
  AppendDecimal(out, f.transmissionMode);
  AppendField(out, f.mailboxId, limits::kMailboxId);
  AppendField(out, f.mailboxPassword, limits::kMailboxPassword);
  AppendField(out, f.fCode, limits::kFCode);
  AppendField(out, f.fCodePassword, limits::kFCode);
  out.push_back(kRecordEnd);
  return out;
}

IndividualFields ParseIndividual(std::string_view record) {
  std::vector<std::string_view> fields = SplitFields(record);
  auto text = [&](std::size_t index, std::size_t limit) {
    return std::string(Cut(FieldAt(fields, index), limit));
  };
  IndividualFields f;
  f.name = text(0, kKeyTextLength);
  f.faxNumber = text(1, kKeyTextLength);
  f.company = text(2, limits::kCompany);
  f.telephone = text(3, limits::kTelephone);
  f.email = text(4, limits::kEmail);
  f.remarks = text(5, limits::kRemarks);
  f.sendMode = text(6, 1);
  f.printOnRelay = text(7, 1);
  f.relayTerminalId = text(8, limits::kRelayTerminalId);
  std::size_t available = fields.size() > kFirstDestinationField ? fields.size() - kFirstDestinationField : 0;
  std::size_t count = std::min<std::size_t>(ParseDecimal(FieldAt(fields, 9)), available);
  for (std::size_t i = 0; i < count; ++i) {
    if (i < static_cast<std::size_t>(kMaxDestinations)) {
      f.destinationIds.push_back(text(kFirstDestinationField + i, kDestinationIdLength));
    }
  }
  std::size_t next = kFirstDestinationField + count;
  f.transmissionMode = ParseDecimal(FieldAt(fields, next));
  f.mailboxId = text(next + 1, limits::kMailboxId);
  f.mailboxPassword = text(next + 2, limits::kMailboxPassword);
  f.fCode = text(next + 3, limits::kFCode);
  f.fCodePassword = text(next + 4, limits::kFCode);
  return f;
}

std::string SerialiseGroup(const GroupFields& group) {
  std::string out;
  out.reserve(33 + 62 * group.members.size());
  out.push_back(kGroupStart);
  AppendField(out, group.name, kKeyTextLength);
  for (const MemberKey& member : group.members) {
    AppendField(out, member.name, kKeyTextLength);
    AppendField(out, member.faxNumber, kKeyTextLength);
  }
  out.push_back(kRecordEnd);
  return out;
}

GroupFields ParseGroup(std::string_view record) {
  std::vector<std::string_view> fields = SplitFields(record);
  GroupFields group;
  group.name = std::string(Cut(FieldAt(fields, 0), kKeyTextLength));
  for (std::size_t i = 1; i + 1 < fields.size(); i += 2) {
    group.members.push_back({std::string(Cut(fields[i], kKeyTextLength)),
                             std::string(Cut(fields[i + 1], kKeyTextLength))});
  }
  return group;
}

std::string_view GroupRecordName(std::string_view record) {
  if (record.size() < 2) return {};
  return Cut(FirstField(record.substr(1, record.size() - 2)), kKeyTextLength);
}

}  // namespace tq::phonebook
