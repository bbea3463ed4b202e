#include "phonebook/conversion.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "common/ansi_slots.h"
#include "line_part.h"
#include "phonebook/afd_format.h"
#include "phonebook/reading.h"
#include "phonebook/records.h"
#include "phonebook/updates.h"
#include "phonebook_file.h"
#include "win/kernel.h"
#include "win/text.h"

namespace tq::phonebook {

namespace {

struct OldSyntax {
  char groupStart;
  char groupEnd;
  char separator;
};

OldSyntax SyntaxOf(StoreResult version) {
  if (version == StoreResult::Version0000) return {'{', '}', '|'};
  return {0x01, 0x02, 0x03};
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

std::string KeyText(std::string_view text) {
  std::string clean = WithoutControlBytes(text);
  if (clean.size() > kKeyTextLength) clean.resize(kKeyTextLength);
  return clean;
}

// One old group, taken apart.
struct OldGroup {
  std::string_view name;
  std::vector<std::string_view> memberLines;
  std::size_t length = 0;  // bytes from the group start byte on
};

// Parses the old group that starts at window[0]. None when the window ends
// before the group does and more of the file follows; at the end of the
// file the group runs to the end of the window.
class OldGroupParser {
 public:
  OldGroupParser(std::string_view window, const OldSyntax& syntax, bool lastChunk)
      : window_(window), syntax_(syntax), lastChunk_(lastChunk) {}

  std::optional<OldGroup> Parse() {
    OldGroup group;
    pos_ = 1;
    std::size_t nameEnd = window_.find(syntax_.groupEnd, pos_);
    if (nameEnd == std::string_view::npos) {
      if (!lastChunk_) return std::nullopt;
      group.name = window_.substr(pos_);
      group.length = window_.size();
      return group;
    }
    group.name = window_.substr(pos_, nameEnd - pos_);
    pos_ = nameEnd + 1;
    if (!SkipLineBreak()) return std::nullopt;
    std::optional<std::string_view> countLine = Line();
    if (!countLine) return std::nullopt;
    std::uint32_t count = ParseDecimal(*countLine);
    for (std::uint32_t i = 0; i < count; ++i) {
      if (pos_ >= window_.size()) {
        if (!lastChunk_) return std::nullopt;
        break;
      }
      // A count larger than the lines given ends at the next group.
      if (window_[pos_] == syntax_.groupStart) break;
      std::optional<std::string_view> line = Line();
      if (!line) return std::nullopt;
      group.memberLines.push_back(*line);
    }
    group.length = pos_;
    return group;
  }

 private:
  // A line feed or carriage return, and possibly one more of either.
  bool SkipLineBreak() {
    if (pos_ >= window_.size()) return lastChunk_;
    if (!IsLineEnd(window_[pos_])) return true;
    ++pos_;
    if (pos_ >= window_.size()) return lastChunk_;
    if (IsLineEnd(window_[pos_])) ++pos_;
    return true;
  }

  std::optional<std::string_view> Line() {
    std::size_t end = pos_;
    while (end < window_.size() && !IsLineEnd(window_[end])) ++end;
    if (end == window_.size() && !lastChunk_) return std::nullopt;
    std::string_view line = window_.substr(pos_, end - pos_);
    pos_ = end;
    if (!SkipLineBreak()) return std::nullopt;
    return line;
  }

  std::string_view window_;
  OldSyntax syntax_;
  bool lastChunk_;
  std::size_t pos_ = 0;
};

// Writes the members as individuals (each distinct one once) and the group
// as references to them.
void ConvertGroup(const OldGroup& group, const OldSyntax& syntax, ConvertedLines& written,
                  BufferedWriter& writer) {
  GroupFields converted;
  converted.name = KeyText(ReplaceBrackets(group.name));
  for (std::string_view line : group.memberLines) {
    std::vector<std::string_view> fields;
    std::size_t begin = 0;
    while (begin <= line.size()) {
      std::size_t end = line.find(syntax.separator, begin);
      if (end == std::string_view::npos) end = line.size();
      fields.push_back(line.substr(begin, end - begin));
      begin = end + 1;
    }
    // A separator ending the line closes its last field.
    if (fields.size() > 1 && fields.back().empty()) fields.pop_back();

    MemberKey key{KeyText(ReplaceBrackets(fields[0])), fields.size() > 1 ? KeyText(fields[1]) : std::string()};
    std::u16string wideName = AnsiToWide(key.name, kLinePartUnits);
    std::u16string wideFax = AnsiToWide(key.faxNumber, kLinePartUnits);
    std::u16string display = RecordKey::Individual(wideName, wideFax).Line();
    ConvertedLines::Recorded recorded = written.Record(display);
    if (!recorded.added) {
      // Refer to the individual as it was written: its key may differ from
      // this spelling in the case of letters the key comparison holds exact.
      // The lines are equal but for case, so their parts stand at the same
      // places (a fax number may hold spaces in an old file).
      std::u16string_view first = recorded.firstLine;
      if (first.size() == display.size()) {
        key.name = WideToAnsi(first.substr(0, wideName.size()), kKeyTextLength);
        key.faxNumber = WideToAnsi(first.substr(wideName.size() + 2, wideFax.size()), kKeyTextLength);
      }
    } else {
      std::string record(1, kIndividualStart);
      record.append(key.name).push_back(kFieldEnd);
      record.append(key.faxNumber).push_back(kFieldEnd);
      for (std::size_t i = 2; i < fields.size(); ++i) {
        record.append(WithoutControlBytes(fields[i])).push_back(kFieldEnd);
      }
      record.push_back(kRecordEnd);
      writer.Append(record);
    }
    converted.members.push_back(std::move(key));
  }
  writer.Append(SerialiseGroup(converted));
}

StoreResult ConvertStream(HANDLE old, std::uint64_t size, const OldSyntax& syntax, char* buffer,
                          ConvertedLines& written, BufferedWriter& writer) {
  std::uint64_t chunkOffset = kMagicLength;
  while (chunkOffset < size && !writer.failed()) {
    std::size_t filled = 0;
    if (!SeekTo(old, chunkOffset) || !ReadFull(old, buffer, kReadBufferSize, filled)) {
      return StoreResult::CannotOpen;
    }
    if (filled == 0) break;
    bool lastChunk = chunkOffset + filled >= size;
    std::string_view chunk(buffer, filled);
    std::size_t pos = 0;
    std::uint64_t nextChunk = chunkOffset + filled;
    while (pos < chunk.size() && !writer.failed()) {
      std::size_t start = chunk.find(syntax.groupStart, pos);
      if (start == std::string_view::npos) break;  // bytes before a group are skipped
      std::optional<OldGroup> group = OldGroupParser(chunk.substr(start), syntax, lastChunk).Parse();
      if (!group) {
        if (start == 0) return StoreResult::NoMemory;  // the group cannot fit the buffer
        nextChunk = chunkOffset + start;
        break;
      }
      ConvertGroup(*group, syntax, written, writer);
      pos = start + group->length;
    }
    chunkOffset = nextChunk;
  }
  return writer.failed() ? StoreResult::WriteFailed : StoreResult::Ok;
}

char16_t FoldLatin1(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);
  return c;
}

}  // namespace

ConvertedLines::Recorded FoldedLineSet::Record(std::u16string_view line) {
  std::u16string folded(line);
  for (char16_t& c : folded) c = FoldLatin1(c);
  auto [place, added] = lines_.try_emplace(std::move(folded), line);
  return {added, place->second};
}

std::string ReplaceBrackets(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    auto c = static_cast<unsigned char>(out[i]);
    if (c >= 0x80) {
      ++i;  // and the byte after it
    } else if (c == '[') {
      out[i] = '(';
    } else if (c == ']') {
      out[i] = ')';
    }
  }
  return out;
}

StoreResult ConvertOldPhonebook(std::u16string_view oldPath, std::u16string_view newPath,
                                StoreResult version, ConvertedLines& written) {
  if (version != StoreResult::Version0000 && version != StoreResult::Version1000) return StoreResult::BadFormat;
  // Converting a file onto itself would replace the old phonebook by the new
  // one while reading it; the new file is then the one that cannot be opened.
  std::error_code error;
  if (std::filesystem::equivalent(NativePath(oldPath), NativePath(newPath), error)) return StoreResult::CannotOpen;
  SetNormalAttributes(oldPath);
  FileHandle old = OpenExclusive(oldPath);
  if (!old.valid()) return StoreResult::CannotOpen;
  if (CheckVersion(old.get()) != version) return StoreResult::BadFormat;
  std::optional<std::uint64_t> size = SizeOf(old.get());
  if (!size) return StoreResult::CannotOpen;
  std::unique_ptr<char[]> buffer = AllocateReadBuffer();
  if (!buffer) return StoreResult::NoMemory;

  written.Clear();
  return ReplaceThroughTemporary(newPath, [&](HANDLE out) {
    BufferedWriter writer(out);
    writer.Append(EmptyPhonebookBytes());
    StoreResult result = ConvertStream(old.get(), *size, SyntaxOf(version), buffer.get(), written, writer);
    if (!writer.Flush() && result == StoreResult::Ok) result = StoreResult::WriteFailed;
    written.Clear();
    old.Close();
    return result;
  });
}

}  // namespace tq::phonebook
