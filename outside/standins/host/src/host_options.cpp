#include "host/host_options.h"

#include <cstring>
#include <iterator>
#include <span>

#include "common/host_settings.h"
#include "common/ansi_slots.h"
#include "win/quoting.h"

namespace tq::host {

namespace {

struct Choice {
  const char* text;
  int value;
};

enum class Area { Public, Private, Options };
enum class Kind { Choices, Number, Text };

struct Option {
  const char* name;
  Area area;
  std::size_t offset;
  Kind kind;
  std::span<const Choice> choices;  // Choices: accepted words, the first of each value shown
  int low = 0, high = 0;            // Number: accepted range
  std::size_t slot = 0;             // Text: size of the slot with its terminator
  bool secret = false;              // Text: shown masked, never as it is
};

constexpr Choice kJobModes[] = {{"print", 0}, {"secure", hsb::kJobModeSecure}, {"sample", hsb::kJobModeSample},
                                {"fax", hsb::kJobModeFax}};
constexpr Choice kSwitch[] = {{"0", 0}, {"1", 1}, {"off", 0}, {"on", 1}};
constexpr Choice kSpeedDialRanges[] = {{"200", 0}, {"999", 1}};
constexpr Choice kResolutions[] = {{"normal", kResNormal}, {"fine", kResFine}, {"superfine", kResSuperfine},
                                   {"ultrafine", kResUltrafine}};
constexpr Choice kReports[] = {{"always", kReportAlways}, {"on-error", kReportOnError}, {"never", kReportNever}};
constexpr Choice kHeader[] = {{"off", 0}, {"on", 1}, {"0", 0}, {"1", 1}};

// The paper sizes of the paper page, in its list's order; A4, the default,
// is 0 so that settings kept before the size was stored read as A4.
constexpr Choice kPaperSizes[] = {
    {"a3", 1},         {"a4", 0},          {"a5", 2},       {"a6", 3},         {"b4", 4},     {"b5", 5},
    {"letter", 6},     {"legal", 7},       {"executive", 8}, {"ledger", 9},    {"statement", 10},
    {"dl", 11},        {"c5", 12},         {"c6", 13},      {"monarch", 14},   {"com10", 15}, {"postcard", 16}};
// Width and height of each size upright, in points, by its stored value.
constexpr PaperPoints kPaperPoints[] = {
    {595, 842},  {842, 1191}, {420, 595}, {297, 420}, {729, 1032}, {516, 729}, {612, 792}, {612, 1008}, {522, 756},
    {792, 1224}, {396, 612},  {312, 624}, {459, 649}, {323, 459},  {279, 540}, {297, 684}, {283, 420}};
static_assert(std::size(kPaperPoints) == std::size(kPaperSizes));
constexpr Choice kOrientations[] = {{"portrait", 0}, {"landscape", 1}};

constexpr std::size_t kUserIdOffset = offsetof(FaxOptionsBlock, userId);
constexpr std::size_t kPasswordOffset = offsetof(FaxOptionsBlock, password);
constexpr std::size_t kDocNameOffset = offsetof(FaxOptionsBlock, docName);

const Option kOptions[] = {
    {"resolution", Area::Options, offsetof(FaxOptionsBlock, resolution), Kind::Choices, kResolutions},
    {"report", Area::Options, offsetof(FaxOptionsBlock, report), Kind::Choices, kReports},
    {"header", Area::Options, offsetof(FaxOptionsBlock, header), Kind::Choices, kHeader},
    {"job-mode", Area::Public, hsb::kJobMode, Kind::Choices, kJobModes},
    {"fax-feature", Area::Private, hsb::priv::kFaxFeature, Kind::Choices, kSwitch},
    {"g4", Area::Private, hsb::priv::kG4Option, Kind::Choices, kSwitch},
    {"speed-dial-range", Area::Private, hsb::priv::kSpeedDialRange, Kind::Choices, kSpeedDialRanges},
    {"monitor", Area::Public, hsb::kDocumentMonitor, Kind::Choices, kSwitch},
    {"copies", Area::Public, hsb::kCopies, Kind::Number, {}, 1, 999},
    {"tray", Area::Public, hsb::kOutputTray, Kind::Number, {}, 0, 3},
    {"paper-size", Area::Public, kPaperSizeOffset, Kind::Choices, kPaperSizes},
    {"orientation", Area::Public, kOrientationOffset, Kind::Choices, kOrientations},
    {"secure-user", Area::Options, kUserIdOffset, Kind::Text, {}, 0, 0, kSecureUserIdSize},
    {"secure-password", Area::Options, kPasswordOffset, Kind::Text, {}, 0, 0, kSecurePasswordSize, true},
    {"secure-doc-name", Area::Options, kDocNameOffset, Kind::Text, {}, 0, 0, kSecureDocNameSize},
};

constexpr const char* kTrayNames[] = {"centre output tray", "side output tray", "finisher upper tray",
                                      "finisher lower tray"};

unsigned char* FieldAddress(SettingsBlock& block, const SettingsLayout& layout, const Option& option) {
  switch (option.area) {
    case Area::Public: return block.data() + option.offset;
    case Area::Private: return block.data() + layout.privateArea + option.offset;
    case Area::Options: return block.data() + layout.block1 + option.offset;
  }
  return nullptr;
}

const unsigned char* FieldAddress(const SettingsBlock& block, const SettingsLayout& layout,
                                  const Option& option) {
  return FieldAddress(const_cast<SettingsBlock&>(block), layout, option);
}

const Option* FindOption(std::string_view name) {
  for (const Option& option : kOptions) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

std::string KnownNames() {
  std::string names;
  for (const Option& option : kOptions) names += std::string(names.empty() ? "" : ", ") + option.name;
  return names;
}

std::string ChoicesText(const Option& option) {
  std::string text;
  for (const Choice& choice : option.choices) text += std::string(text.empty() ? "" : ", ") + choice.text;
  return text;
}

bool ParseNumber(std::string_view text, int low, int high, int& value) {
  if (text.empty() || text.size() > 9) return false;
  int result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + (c - '0');
  }
  if (result < low || result > high) return false;
  value = result;
  return true;
}

bool SetText(unsigned char* field, const Option& option, std::string_view value, std::string& error) {
  // These texts end up inside quoted PJL values: a quote or a control
  // character would break the line or start another command.
  for (unsigned char c : value) {
    if (c < 0x20 || c == '"' || c == 0x7F) {
      error = std::string(option.name) + ": quotes and control characters are not allowed";
      return false;
    }
  }
  std::string ansi;
  if (!Utf8ToAnsi(value, ansi)) {
    error = std::string(option.name) + ": \"" + std::string(value) +
            "\" has characters the system code page cannot hold";
    return false;
  }
  if (ansi.size() > option.slot - 1) {
    error = std::string(option.name) + ": at most " + std::to_string(option.slot - 1) + " characters";
    return false;
  }
  std::memset(field, 0, option.slot);
  std::memcpy(field, ansi.data(), ansi.size());
  return true;
}

std::string ChoiceName(std::span<const Choice> choices, int value) {
  for (const Choice& choice : choices) {
    if (choice.value == value) return choice.text;
  }
  return std::to_string(value) + " (unknown)";
}

std::string ChoiceValue(const Option& option, int value) {
  if (option.offset == hsb::kJobMode && option.area == Area::Public) {
    // Any value but 1, 2 and 3 is an ordinary print job.
    return value == hsb::kJobModeSecure || value == hsb::kJobModeSample || value == hsb::kJobModeFax
               ? ChoiceName(option.choices, value)
               : "print";
  }
  return ChoiceName(option.choices, value);
}

std::string TextValue(const unsigned char* field, const Option& option) {
  return AnsiToUtf8(AnsiSlotView(reinterpret_cast<const char*>(field), option.slot));
}

std::string DescribeOption(const SettingsBlock& block, const SettingsLayout& layout, const Option& option) {
  const unsigned char* field = FieldAddress(block, layout, option);
  if (option.kind == Kind::Text) {
    const std::string text = TextValue(field, option);
    // A secret says only whether it is set, not even its length.
    if (option.secret) return text.empty() ? "\"\"" : "(set, not shown)";
    return QuoteC(text);
  }
  const int value = ReadInt32(field, 0);
  if (option.kind == Kind::Number) {
    std::string text = std::to_string(value);
    if (option.offset == hsb::kOutputTray && option.area == Area::Public) {
      text += value >= 0 && value <= 3 ? std::string(" (") + kTrayNames[value] + ")" : " (unknown)";
    }
    return text;
  }
  return ChoiceValue(option, value);
}

}  // namespace

bool ApplySetting(SettingsBlock& block, const SettingsLayout& layout, std::string_view name, std::string_view value,
                  std::string& error) {
  const Option* option = FindOption(name);
  if (option == nullptr) {
    error = "unknown setting \"" + std::string(name) + "\" (known: " + KnownNames() + ")";
    return false;
  }
  unsigned char* field = FieldAddress(block, layout, *option);
  switch (option->kind) {
    case Kind::Text: return SetText(field, *option, value, error);
    case Kind::Number: {
      int number = 0;
      if (!ParseNumber(value, option->low, option->high, number)) {
        error = std::string(option->name) + ": \"" + std::string(value) + "\" is not a number from " +
                std::to_string(option->low) + " to " + std::to_string(option->high);
        return false;
      }
      WriteInt32(field, 0, number);
      return true;
    }
    case Kind::Choices:
      for (const Choice& choice : option->choices) {
        if (value == choice.text) {
          WriteInt32(field, 0, choice.value);
          // The options block carries the job mode for the add-on too.
          if (option->area == Area::Public && option->offset == hsb::kJobMode) {
            OptionsOf(block, layout)->jobMode = choice.value;
          }
          return true;
        }
      }
      error = std::string(option->name) + ": \"" + std::string(value) + "\" is not one of " + ChoicesText(*option);
      return false;
  }
  return false;
}

bool ApplyAssignment(SettingsBlock& block, const SettingsLayout& layout, std::string_view assignment,
                     std::string& error) {
  const auto equals = assignment.find('=');
  if (equals == std::string_view::npos || equals == 0) {
    error = "\"" + std::string(assignment) + "\" is not NAME=VALUE";
    return false;
  }
  return ApplySetting(block, layout, assignment.substr(0, equals), assignment.substr(equals + 1), error);
}

std::string SettingValue(const SettingsBlock& block, const SettingsLayout& layout, std::string_view name) {
  const Option* option = FindOption(name);
  if (option == nullptr) return {};
  const unsigned char* field = FieldAddress(block, layout, *option);
  switch (option->kind) {
    case Kind::Text: return TextValue(field, *option);
    case Kind::Number: return std::to_string(ReadInt32(field, 0));
    case Kind::Choices: return ChoiceValue(*option, ReadInt32(field, 0));
  }
  return {};
}

void MergeSettingChanges(const SettingsBlock& base, const SettingsBlock& edited, const SettingsLayout& layout,
                         SettingsBlock& current) {
  if (base.size() != edited.size() || current.size() != edited.size()) return;
  SettingsBlock explained = base;  // base with the option changes: what is left are the other bytes
  std::string ignored;
  for (const Option& option : kOptions) {
    const std::string value = SettingValue(edited, layout, option.name);
    if (value == SettingValue(base, layout, option.name)) continue;
    (void)ApplySetting(explained, layout, option.name, value, ignored);
    (void)ApplySetting(current, layout, option.name, value, ignored);
  }
  for (std::size_t i = 0; i < edited.size(); ++i) {
    if (edited[i] != explained[i]) current[i] = edited[i];
  }
}

std::string DescribeSettings(const SettingsBlock& block, const SettingsLayout& layout) {
  std::string text;
  for (const Option& option : kOptions) {
    text += std::string(option.name) + ": " + DescribeOption(block, layout, option) + "\n";
    if (option.offset == offsetof(FaxOptionsBlock, header) && option.area == Area::Options) {
      const std::int32_t count = SendOf(block, layout)->recipients.count;
      text += "recipients: " + (count == 0 ? std::string("none") : std::to_string(count)) + "\n";
    }
  }
  return text;
}

PaperPoints PaperOf(const SettingsBlock& block, bool* landscape) {
  const int size = ReadInt32(block.data() + kPaperSizeOffset, 0);
  if (landscape != nullptr) *landscape = ReadInt32(block.data() + kOrientationOffset, 0) == 1;
  return size >= 0 && size < static_cast<int>(std::size(kPaperPoints)) ? kPaperPoints[size] : kPaperPoints[0];
}

bool CheckOptionValue(std::string_view name, std::string_view value, std::string& error) {
  constexpr std::size_t kLongestValue = 4096;
  if (value.size() > kLongestValue) {
    error = std::string(name) + ": the value is longer than 4096 bytes";
    return false;
  }
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      error = std::string(name) + ": the value holds a control character";
      return false;
    }
  }
  return true;
}

}  // namespace tq::host
