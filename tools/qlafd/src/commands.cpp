#include "commands.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

#include "common/ansi_slots.h"
#include "common/record_key.h"
#include "common/store_result.h"
#include "win/ansi_text.h"
#include "win/quoting.h"
#include "phonebook/conversion.h"
#include "phonebook/reading.h"
#include "phonebook/updates.h"
#include "win/text.h"

namespace tq::qlafd {

namespace {

using phonebook::PhonebookEntry;
using phonebook::ReadOutcome;
using phonebook::ReadProblem;
using phonebook::RecordType;

void Fail(const std::string& file, std::string_view what) {
  std::fprintf(stderr, "qlafd: %s: %.*s\n", file.c_str(), static_cast<int>(what.size()), what.data());
}

std::string_view ResultText(StoreResult result) {
  switch (result) {
    case StoreResult::Ok: return "done";
    case StoreResult::CannotOpen: return "cannot open the file (missing, or in use by another program)";
    case StoreResult::NoMemory: return "a record is longer than the 16384-byte read buffer";
    case StoreResult::WriteFailed: return "cannot write the file (disk full?); nothing was changed";
    case StoreResult::NotFound: return "no such record";
    case StoreResult::BadFormat: return "not a phonebook of the current version, or its name does not end in .afd";
    case StoreResult::Version0000: return "a phonebook of the oldest version (0000); convert it first";
    case StoreResult::Version1000: return "a phonebook of the intermediate version (1000); convert it first";
  }
  return "unknown failure";
}

std::string_view ProblemText(const ReadOutcome& outcome) {
  switch (outcome.problem) {
    case ReadProblem::None: return "done";
    case ReadProblem::CannotOpen: return "cannot open the file (missing, or in use by another program)";
    case ReadProblem::CannotAccess: return "cannot read the file";
    case ReadProblem::BadFormat:
      if (outcome.result == StoreResult::Version0000 || outcome.result == StoreResult::Version1000) {
        return ResultText(outcome.result);
      }
      return "not a phonebook of the current version";
    case ReadProblem::NoBuffer: return "out of memory";
    case ReadProblem::RecordTooLarge: return ResultText(StoreResult::NoMemory);
  }
  return "unknown failure";
}

// Both names reach one file (equal, or links to it).
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return a == b || std::filesystem::equivalent(a, b, error);
}

int Status(StoreResult result) { return static_cast<int>(result); }

// Reads need the .afd name as every store operation does.
bool CheckName(const std::string& file, const std::u16string& path) {
  if (phonebook::EndsInAfd(path)) return true;
  Fail(file, "a phonebook's name ends in .afd");
  return false;
}

void PrintField(std::string_view key, std::string_view ansi, bool comma = true) {
  std::printf("%s%s: %s", comma ? ", " : "", QuoteJson(key).c_str(), QuoteJson(AnsiToUtf8(ansi)).c_str());
}

void PrintIndividual(std::string_view record) {
  phonebook::IndividualFields f = phonebook::ParseIndividual(record);
  std::printf("{\"type\": \"individual\"");
  PrintField("name", f.name);
  PrintField("faxNumber", f.faxNumber);
  PrintField("company", f.company);
  PrintField("telephone", f.telephone);
  PrintField("email", f.email);
  PrintField("remarks", f.remarks);
  PrintField("sendMode", f.sendMode);
  PrintField("printOnRelay", f.printOnRelay);
  PrintField("relayTerminalId", f.relayTerminalId);
  std::printf(", \"destinationIds\": [");
  for (std::size_t i = 0; i < f.destinationIds.size(); ++i) {
    std::printf("%s%s", i ? ", " : "", QuoteJson(AnsiToUtf8(f.destinationIds[i])).c_str());
  }
  std::printf("], \"transmissionMode\": %u", f.transmissionMode);
  PrintField("mailboxId", f.mailboxId);
  PrintField("mailboxPassword", f.mailboxPassword);
  PrintField("fCode", f.fCode);
  PrintField("fCodePassword", f.fCodePassword);
  std::printf("}");
}

void PrintGroup(std::string_view record) {
  phonebook::GroupFields group = phonebook::ParseGroup(record);
  std::printf("{\"type\": \"group\"");
  PrintField("name", group.name);
  std::printf(", \"members\": [");
  for (std::size_t i = 0; i < group.members.size(); ++i) {
    std::printf("%s{", i ? ", " : "");
    PrintField("name", group.members[i].name, false);
    PrintField("faxNumber", group.members[i].faxNumber);
    std::printf("}");
  }
  std::printf("]}");
}

// A name or fax number given on the command line, as the file holds it:
// ANSI, without control bytes, within its place.
bool KeyText(const std::string& file, std::string_view what, const std::string& utf8, std::size_t limit,
             std::string& ansi) {
  std::string problem;
  if (utf8.empty()) {
    problem = "is empty";
  } else if (!Utf8ToAnsi(utf8, ansi)) {
    problem = "has characters the phonebook cannot hold";
  } else if (ansi.size() > limit) {
    problem = "is longer than " + std::to_string(limit) + " bytes";
  } else {
    for (unsigned char c : ansi) {
      if (c < 0x20) problem = "holds a control character";
    }
  }
  if (problem.empty()) return true;
  Fail(file, std::string("the ") + std::string(what) + " " + problem);
  return false;
}

// An individual with the default settings and the given key.
bool NewIndividual(const std::string& file, const std::string& name, const std::string& faxNumber,
                   PhonebookEntry& entry) {
  phonebook::ResetWorkingEntry(entry);
  std::string ansiName;
  std::string ansiFax;
  if (!KeyText(file, "name", name, kNameSize - 1, ansiName) ||
      !KeyText(file, "fax number", faxNumber, kFaxNumberSize - 1, ansiFax)) {
    return false;
  }
  // The dialogs take a line beginning with '[' for a group's.
  if (ansiName.front() == '[') {
    Fail(file, "the name begins with [, which would list as a group");
    return false;
  }
  CopyToAnsiSlot(entry.record.name, ansiName);
  CopyToAnsiSlot(entry.record.faxNumber, ansiFax);
  CopyToWideSlot(entry.details.name, Utf8ToUtf16(name));
  CopyToWideSlot(entry.details.faxNumber, Utf8ToUtf16(faxNumber));
  return true;
}

int Finish(const std::string& file, StoreResult result) {
  if (result != StoreResult::Ok) Fail(file, ResultText(result));
  return Status(result);
}

// A change of a line that names nothing must not look like success.
int FinishChange(const std::string& file, const std::string& line, StoreResult result) {
  if (result == StoreResult::NotFound) {
    Fail(file, "no such entry \"" + line + "\"");
    return Status(result);
  }
  return Finish(file, result);
}

// A group line is "[NAME]"; an individual's always ends in '>', even when
// its name begins with '[' (as entries made elsewhere may).
RecordType TypeOfLine(std::u16string_view line) {
  return line.size() >= 2 && line.front() == kLineGroupOpen && line.back() == kLineGroupClose
             ? RecordType::Group
             : RecordType::Individual;
}

}  // namespace

int List(const std::string& file) {
  std::u16string path = Utf8ToUtf16(file);
  if (!CheckName(file, path)) return Status(StoreResult::BadFormat);
  // The lines are converted straight into one buffer that goes out in
  // large writes: no allocation per line, a few dozen writes for a
  // phonebook of 100,000 entries.
  constexpr std::size_t kWrite = 1 << 16;
  std::vector<char> buffer(kWrite);
  std::size_t used = 0;
  auto flush = [&] {
    std::fwrite(buffer.data(), 1, used, stdout);
    used = 0;
  };
  ReadOutcome outcome = phonebook::ListRecords(path, [&](RecordType, std::u16string_view line) {
    const std::size_t room = line.size() * kMaxUtf8PerUnit + 1;
    if (used + room > buffer.size()) {
      flush();
      if (room > buffer.size()) buffer.resize(room);
    }
    char* end = WriteUtf8(line, buffer.data() + used);
    *end++ = '\n';
    used = static_cast<std::size_t>(end - buffer.data());
  });
  flush();
  if (!outcome.ok()) {
    Fail(file, ProblemText(outcome));
    return Status(outcome.result);
  }
  return 0;
}

int Check(const std::string& file) {
  std::u16string path = Utf8ToUtf16(file);
  StoreResult result = phonebook::CheckVersion(path);
  std::string_view why = ResultText(result);
  std::string uncleanText;
  if (result == StoreResult::Ok) {
    // The whole file must read: every record fits the buffer and the last
    // one has its end byte.
    // Every field is clean, so that what passes here lists correctly.
    std::size_t records = 0;
    std::size_t unclean = 0;
    ReadOutcome outcome = phonebook::ForEachRecord(path, [&](RecordType, std::string_view record) {
      ++records;
      if (phonebook::FieldsAreClean(record)) return true;
      unclean = records;
      return false;
    });
    result = outcome.result;
    why = ProblemText(outcome);
    if (outcome.ok() && outcome.incompleteEnd) {
      result = StoreResult::BadFormat;
      why = "the file ends inside a record (its end byte is missing)";
    }
    if (outcome.ok() && unclean != 0) {
      result = StoreResult::BadFormat;
      uncleanText = "record " + std::to_string(unclean) + " has a field holding a byte 0x00 to 0x04";
      why = uncleanText;
    }
  }
  std::printf("%s\n", StoreResultName(result));
  if (result != StoreResult::Ok) Fail(file, why);
  return Status(result);
}

int Dump(const std::string& file) {
  std::u16string path = Utf8ToUtf16(file);
  if (!CheckName(file, path)) return Status(StoreResult::BadFormat);
  // Validate first, so that a failure leaves no half-written JSON.
  ReadOutcome valid = phonebook::ValidatePhonebook(path);
  if (!valid.ok()) {
    Fail(file, ProblemText(valid));
    return Status(valid.result);
  }
  std::printf("{\"file\": %s, \"records\": [", QuoteJson(file).c_str());
  bool first = true;
  ReadOutcome outcome = phonebook::ForEachRecord(path, [&](RecordType type, std::string_view record) {
    std::printf("%s\n  ", first ? "" : ",");
    first = false;
    if (type == RecordType::Group) {
      PrintGroup(record);
    } else {
      PrintIndividual(record);
    }
    return true;
  });
  std::printf("%s]}\n", first ? "" : "\n");
  if (!outcome.ok()) {
    Fail(file, ProblemText(outcome));
    return Status(outcome.result);
  }
  return 0;
}

int Convert(const std::string& oldFile, const std::string& newFile) {
  std::u16string oldPath = Utf8ToUtf16(oldFile);
  std::u16string newPath = Utf8ToUtf16(newFile);
  if (!CheckName(newFile, newPath)) return kUsage;
  StoreResult version = phonebook::CheckVersion(oldPath);
  if (version != StoreResult::Version0000 && version != StoreResult::Version1000) {
    Fail(oldFile, version == StoreResult::Ok ? "already a phonebook of the current version" : ResultText(version));
    return version == StoreResult::Ok ? kUsage : Status(version);
  }
  if (SameFile(oldFile, newFile)) {
    Fail(newFile, "is the file being converted; give the new phonebook another name");
    return kUsage;
  }
  phonebook::FoldedLineSet written;
  StoreResult result = phonebook::ConvertOldPhonebook(oldPath, newPath, version, written);
  if (result != StoreResult::Ok) {
    Fail(result == StoreResult::WriteFailed ? newFile : oldFile, ResultText(result));
    return Status(result);
  }
  return 0;
}

int Add(const std::string& file, const std::string& name, const std::string& faxNumber) {
  std::u16string path = Utf8ToUtf16(file);
  if (!CheckName(file, path)) return Status(StoreResult::BadFormat);
  PhonebookEntry entry{};
  if (!NewIndividual(file, name, faxNumber, entry)) return kUsage;
  return Finish(file, phonebook::SaveEntry(path, u"", entry.record, entry.details, SaveMode::Append));
}

int Delete(const std::string& file, const std::string& line) {
  std::u16string path = Utf8ToUtf16(file);
  if (!CheckName(file, path)) return Status(StoreResult::BadFormat);
  std::u16string wideLine = Utf8ToUtf16(line);
  return FinishChange(file, line, phonebook::DeleteExistingRecord(path, wideLine, TypeOfLine(wideLine)));
}

int Rename(const std::string& file, const std::string& line, const std::string& name,
           const std::string& faxNumber) {
  std::u16string path = Utf8ToUtf16(file);
  if (!CheckName(file, path)) return Status(StoreResult::BadFormat);
  std::u16string oldLine = Utf8ToUtf16(line);
  if (TypeOfLine(oldLine) == RecordType::Group) {
    Fail(file, "only an individual entry is renamed here");
    return kUsage;
  }
  PhonebookEntry renamed{};
  if (!NewIndividual(file, name, faxNumber, renamed)) return kUsage;
  // The entry keeps its other details and settings, taken from the file
  // under the same hold as the rewrite.
  return FinishChange(file, line, phonebook::RenameExistingEntry(path, oldLine, AnsiSlotView(renamed.record.name),
                                                                 AnsiSlotView(renamed.record.faxNumber)));
}

int New(const std::string& file) {
  std::u16string path = Utf8ToUtf16(file);
  if (!CheckName(file, path)) return kUsage;
  std::error_code ignored;
  if (std::filesystem::exists(NativePath(path), ignored)) {
    Fail(file, "the file already exists; remove it first");
    return kUsage;
  }
  StoreResult result = phonebook::CreateEmptyPhonebook(path);
  if (result != StoreResult::Ok) {
    Fail(file, ResultText(result));
    return Status(result);
  }
  return 0;
}

}  // namespace tq::qlafd
