#include "host/ghostscript.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/child_process.h"
#include "win/environment.h"

namespace tq::host {

namespace {

constexpr std::string_view kUniversalExit = "\x1B%-12345X";
// What is kept of Ghostscript's messages: enough for its first error.
constexpr std::size_t kMessageLimit = 16384;

std::string Program() {
  return EnvironmentValue("TELEQUILL_GS").value_or("gs");
}

// The line that says what went wrong: the first one naming an error, else
// the first one with any text.
std::string FirstErrorLine(const std::string& messages) {
  std::string first;
  std::size_t start = 0;
  while (start < messages.size()) {
    std::size_t end = messages.find('\n', start);
    if (end == std::string::npos) end = messages.size();
    std::string line = messages.substr(start, end - start);
    start = end + 1;
    const auto text = line.find_first_not_of(" \t*\r");
    if (text == std::string::npos) continue;
    line = line.substr(text);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.find("Error") != std::string::npos || line.find("error") != std::string::npos) return line;
    if (first.empty()) first = line;
  }
  return first;
}

// Columns x rows of the pages put on one sheet; none for one a sheet.
const char* NupGrid(int numberUp) {
  switch (numberUp) {
    case 2: return "2x1";
    case 4: return "2x2";
    case 6: return "2x3";
    case 9: return "3x3";
    case 16: return "4x4";
    default: return nullptr;
  }
}

}  // namespace

ConversionResult ConvertWithGhostscript(const std::string& input, const std::string& output,
                                        const Conversion& conversion, std::string& error) {
  const std::string program = Program();
  std::vector<std::string> args = {program,
                                   "-q",
                                   "-dNOPAUSE",
                                   "-dBATCH",
                                   "-dSAFER",
                                   "-dPDFSTOPONERROR",
                                   std::string("-sDEVICE=") + (conversion.color ? "pxlcolor" : "pxlmono"),
                                   "-r" + std::to_string(conversion.dpiX) + "x" + std::to_string(conversion.dpiY),
                                   "-sOutputFile=" + output};
  if (!conversion.pages.empty()) args.push_back("-sPageList=" + conversion.pages);
  if (const char* grid = NupGrid(conversion.numberUp); grid != nullptr) {
    args.push_back(std::string("-sNupControl=") + grid);
  }
  if (conversion.mediaWidth > 0 && conversion.mediaHeight > 0) {
    // The page data then names this size, and landscape when it is wider.
    args.insert(args.end(), {"-dDEVICEWIDTHPOINTS=" + std::to_string(conversion.mediaWidth),
                             "-dDEVICEHEIGHTPOINTS=" + std::to_string(conversion.mediaHeight), "-dFIXEDMEDIA"});
    if (conversion.fitToPage) args.push_back("-dFitPage");
  } else if (conversion.fitToPage) {
    args.insert(args.end(), {"-sPAPERSIZE=a4", "-dFIXEDMEDIA", "-dFitPage"});
  }
  args.insert(args.end(), {"-f", input});
  ChildOptions options;
  options.captureOutput = true;
  options.nullInput = true;
  options.keep = kMessageLimit;
  options.timeLimit = std::chrono::seconds(conversion.timeLimitSeconds);
  const ChildOutcome outcome = RunChild(std::move(args), options);
  if (!outcome.Started()) {
    error = input + ": cannot start " + program + " to convert it (" + std::strerror(outcome.startError) + ")";
    return ConversionResult::NotStarted;
  }
  if (outcome.timedOut) {
    error = input + ": the conversion did not finish within " + std::to_string(conversion.timeLimitSeconds) +
            " seconds and was stopped";
    return ConversionResult::Refused;
  }
  if (outcome.exitStatus == 0) return ConversionResult::Done;
  const std::string line = FirstErrorLine(outcome.messages);
  error = input + ": Ghostscript cannot read it (" + (line.empty() ? "no message" : line) + ")";
  return ConversionResult::Refused;
}

bool FindPageData(std::string_view head, std::string_view tail, std::uint64_t fileSize, PageDataRange& range) {
  std::size_t start = 0;
  if (head.substr(0, kUniversalExit.size()) == kUniversalExit) {
    start = head.find(") HP-PCL XL");
    if (start == std::string_view::npos) start = head.find("( HP-PCL XL");
    if (start == std::string_view::npos) return false;
  } else if (head.substr(0, 11) != ") HP-PCL XL" && head.substr(0, 11) != "( HP-PCL XL") {
    return false;
  }
  std::uint64_t end = fileSize;
  if (start > 0 && tail.size() >= kUniversalExit.size() &&
      tail.substr(tail.size() - kUniversalExit.size()) == kUniversalExit) {
    end -= kUniversalExit.size();
  }
  range.offset = start;
  range.size = end > start ? end - start : 0;
  return true;
}

}  // namespace tq::host
