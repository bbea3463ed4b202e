#include "answers.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace tq::autocfg {
namespace {

constexpr char kFrame = '\x02';

struct Presence {
  std::string_view name;
  std::uint32_t mask;
};

constexpr Presence kPresence[] = {
    {"PSWOptionTypeDevGenHostSystem", 0x1},       {"PSWOptionTypeDevGenScanner", 0x2},
    {"PSWOptionTypeDevGenCopier", 0x4},           {"PSWOptionTypeDevGenFax", 0x8},
    {"PSWOptionTypeDevGenHardDisk", 0x10},        {"PSWOptionTypeDevGenDuplexModule", 0x20},
    {"PSWOptionTypeDevGenFontCard", 0x80},        {"PSWOptionTypeDevGenOffsetCatch", 0x100},
    {"PSWOptionTypeDevGenFinisher", 0x200},       {"PSWOptionTypeDevGenFAXG4Kit", 0x1000},
    {"PSWITrayOffset", 0x10},                     {"PSWOptionTypeITrayMSI", 0x10000},
    {"PSWOptionTypeITrayHCF", 0x20000},           {"PSWOptionTypeITrayMulti", 0x40000},
    {"PSWOptionTypeOTrayOffsetCatch", 0x200000},  {"PSWOptionTypeOTrayPrinterMailbox", 0x400000},
    {"PSWOptionTypeOTrayQVMechSorter", 0x800000}, {"PSWOptionTypeOTraySide", 0x1000000},
    {"PSWOptionTypeOFinisherPunch", 0x2000000},   {"PSWOptionTypeOFinisherStaple", 0x4000000},
};

enum class Kind { Boolean, Integer, Text };

struct Value {
  std::string_view name;
  const char* libraryName;
  Kind kind;
};

constexpr Value kValues[] = {
    {"PSWOptionValueFAXUnit", "FAXUnit", Kind::Boolean},
    {"PSWOptionValueFAXISDNG4Kit", "FAXISDNG4Kit", Kind::Boolean},
    {"PSWOptionValueFAXLineSwitchKit", "FAXLineSwitchKit", Kind::Boolean},
    {"PSWOptionValueFAXMaxSpeedDial", "FAXMaxSpeedDial", Kind::Integer},
    {"PSWOptionValuePrinterMemorySizeInKByte", "MemorySizeInKByte", Kind::Integer},
    {"PSWOptionValuePrinterMemorySizeInMByte", "MemorySizeInMByte", Kind::Integer},
    {"PSWOptionValueNumberOfInputTray", "NumberOfInputTray", Kind::Integer},
    {"PSWOptionValueInputTrayIndex", "InputTrayIndex", Kind::Integer},
    {"PSWOptionValueInputTrayType", "InputTrayType", Kind::Integer},
    {"PSWOptionValueInputTrayMaxCapacityInSheets", "InputTrayMaxCapacityInSheets", Kind::Integer},
    {"PSWOptionValueInputTrayCurrentLevelInPercent", "InputTrayCurrentLevelInPercent", Kind::Integer},
    {"PSWOptionValueInputTrayMediaSize", "InputTrayMediaSize", Kind::Integer},
    {"PSWOptionValueInputTrayMediaDirection", "InputTrayMediaDirection", Kind::Integer},
    {"PSWOptionValuePrinterRomVersion", "PrinterRomVersion", Kind::Text},
    {"PSWOptionValueInputTrayName", "InputTrayName", Kind::Text},
    {"PSWOptionValueInputTrayDescription", "InputTrayDescription", Kind::Text},
};

std::string Framed(const std::string& text) { return kFrame + text + kFrame; }

std::string AnswerOf(PSWHANDLE library, const std::string& name) {
  for (const Presence& presence : kPresence) {
    if (name == presence.name) return PSWPluginHasOption(library, presence.mask) == 1 ? "1" : "0";
  }
  for (const Value& value : kValues) {
    if (name != value.name) continue;
    switch (value.kind) {
      case Kind::Boolean: {
        std::uint32_t flag = 0;
        return PSWPluginGetOptionValueBoolean(library, value.libraryName, &flag) == 0 && flag == 1 ? "1" : "0";
      }
      case Kind::Integer: {
        std::int32_t number = 0;
        if (PSWPluginGetOptionValueInteger(library, value.libraryName, &number) != 0) return Framed("");
        char digits[16];
        std::snprintf(digits, sizeof digits, "%d", static_cast<int>(number));
        return Framed(digits);
      }
      case Kind::Text: {
        char text[kPswTextSize] = {};
        if (PSWPluginGetOptionValueString(library, value.libraryName, text) != 0) return Framed("");
        return Framed(text);
      }
    }
  }
  return {};  // unknown names are not answered
}

}  // namespace

std::string BuildAnswer(PSWHANDLE library, const std::string& address, const std::vector<std::string>& names) {
  std::string answer = address + '\n';
  for (const std::string& name : names) answer += AnswerOf(library, name);
  return answer;
}

}  // namespace tq::autocfg
