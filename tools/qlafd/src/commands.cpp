#include "commands.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "common/store_result.h"
#include "win/ansi_text.h"
#include "win/quoting.h"
#include "phonebook/conversion.h"
#include "phonebook/reading.h"
#include "phonebook/updates.h"
#include "win/text.h"

namespace tq::qlafd {

namespace {

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

}  // namespace

int List(const std::string& file) {
  std::u16string path = Utf8ToUtf16(file);
  if (!CheckName(file, path)) return Status(StoreResult::BadFormat);
  ReadOutcome outcome = phonebook::ListRecords(path, [](RecordType, std::u16string_view line) {
    std::string text = Utf16ToUtf8(line);
    std::printf("%s\n", text.c_str());
  });
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
  if (result == StoreResult::Ok) {
    // The whole file must read: every record fits the buffer and the last
    // one has its end byte.
    ReadOutcome outcome = phonebook::ForEachRecord(path, [](RecordType, std::string_view) { return true; });
    result = outcome.result;
    why = ProblemText(outcome);
    if (outcome.ok() && outcome.incompleteEnd) {
      result = StoreResult::BadFormat;
      why = "the file ends inside a record (its end byte is missing)";
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
  phonebook::FoldedLineSet written;
  StoreResult result = phonebook::ConvertOldPhonebook(oldPath, newPath, version, written);
  if (result != StoreResult::Ok) {
    Fail(result == StoreResult::WriteFailed ? newFile : oldFile, ResultText(result));
    return Status(result);
  }
  return 0;
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
