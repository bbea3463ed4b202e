// The transcript file: opened for appending (a child started by the
// program writes to the same file) each time its name changes.
#include "win/environment.h"
#include "win/transcript.h"

#include "win/quoting.h"
#include "win/text.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace tq::ui {
namespace {

struct Transcript {
  std::mutex mutex;
  std::string path;
  std::FILE* file = nullptr;
};

Transcript& TheTranscript() {
  static Transcript transcript;
  return transcript;
}

}  // namespace

void WriteTranscript(std::string_view line) {
  const auto wanted = EnvironmentValue("TELEQUILL_TRANSCRIPT");
  if (!wanted) return;
  Transcript& transcript = TheTranscript();
  std::lock_guard lock(transcript.mutex);
  if (transcript.path != *wanted) {
    if (transcript.file != nullptr && transcript.file != stderr) std::fclose(transcript.file);
    transcript.path = *wanted;
    transcript.file = transcript.path == "-" ? stderr : std::fopen(wanted->c_str(), "a");
  }
  if (transcript.file == nullptr) return;
  std::fwrite(line.data(), 1, line.size(), transcript.file);
  std::fputc('\n', transcript.file);
  std::fflush(transcript.file);
}

std::string QuoteText(std::string_view utf8) { return QuoteC(utf8); }

std::string QuoteText(std::u16string_view text) { return QuoteText(std::string_view(Utf16ToUtf8(text))); }

}  // namespace tq::ui
