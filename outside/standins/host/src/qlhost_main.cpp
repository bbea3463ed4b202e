// qlhost: the host printer driver stand-in as a command.
//
//   qlhost settings [--model n|p] show | set NAME=VALUE...
//   qlhost print [--model n|p] [--job fax|print|secure|sample]
//                [--output FILE | --port socket://HOST:PORT] [--ui FACE]
//                [--copies N] [--tray I] [--monitor on|off] [--doc-name NAME]
//                [--to LIST [--delay HH:MM]] [--pages LIST] [--number-up N]
//                [--fit-to-page on|off] DOCUMENT
//   (DOCUMENT "-": standard input)
//   qlhost phonebook [--model n|p] [--ui FACE] [--script PATH]
//   qlhost monitor install [LIBRARY] | remove | show
//   qlhost autoconfigure [--model n|p] [--ui FACE] [--port URI]
//   qlhost properties [--model n|p] [--ui FACE] [--script PATH]
//
// Without --output or --port the job goes to standard output. Waits on a
// printer port are bounded by TELEQUILL_PORT_TIMEOUT seconds (default 30),
// a PDF or PostScript conversion by TELEQUILL_CONVERT_TIMEOUT (default 300).
// --to sends a fax job to the recipients listed (';' between them: fax
// numbers, "Name <number>", speed-dial numbers #12, phonebook entries and
// [groups]) without the prompt; --delay sends it at HH:MM.
// Exit status: 0 done, 1 the fax job was cancelled at its prompt or
// autoconfigure got no answer (qlautocfg says why) or was cancelled, 2
// anything that failed, 3 a print job refused as given (a recipient or the
// delay of --to and --delay, a document that cannot be printed), nothing
// sent; the failures and refusals with one line on standard error saying
// what. --pages, --number-up and --fit-to-page lay out a PDF, PostScript or
// text document (so do pages=, number-up= and fit-to-page= in --set).
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "agent_command.h"
#include "agent_wire.h"
#include "host/autoconfigure.h"
#include "host/document_properties.h"
#include "host/environment_seconds.h"
#include "host/host_options.h"
#include "host/monitor_registration.h"
#include "host/phonebook_command.h"
#include "host/plugin_set.h"
#include "host/port_sink.h"
#include "host/print_job.h"
#include "host/settings_store.h"
#include "win/environment.h"
#include "win/face.h"

namespace {

using namespace tq::host;
using tq::Model;
using tq::ModelLetter;
using tq::ParseModel;

constexpr int kExitDone = 0;
constexpr int kExitCancelled = 1;
constexpr int kExitFailed = 2;
constexpr int kExitRefused = 3;
constexpr int kDefaultPortTimeout = 30;
constexpr int kDefaultConversionTimeout = 300;

int Fail(const std::string& message) {
  std::fprintf(stderr, "qlhost: %s\n", message.c_str());
  return kExitFailed;
}

constexpr char kUsage[] =
    "usage: qlhost settings [--model n|p] show | set NAME=VALUE...\n"
    "       qlhost print [--model n|p] [--job fax|print|secure|sample] [--output FILE | --port URI]\n"
    "                    [--ui qt|headless|script:PATH] [--script PATH] [--copies N] [--tray I]\n"
    "                    [--monitor on|off] [--doc-name NAME] [--to LIST [--delay HH:MM]]\n"
    "                    [--pages LIST] [--number-up 1|2|4|6|9|16] [--fit-to-page on|off] DOCUMENT\n"
    "       qlhost phonebook [--model n|p] [--ui qt|headless|script:PATH] [--script PATH]\n"
    "       qlhost monitor install [LIBRARY] | remove | show\n"
    "       qlhost autoconfigure [--model n|p] [--ui qt|headless|script:PATH] [--port URI]\n"
    "       qlhost properties [--model n|p] [--ui qt|headless|script:PATH] [--script PATH]\n"
    "       qlhost agent [--ui qt|headless|script:PATH]\n"
    "       qlhost cups install [--device socket://HOST:PORT] [--model n|p] | remove\n";

int Usage(const std::string& message) {
  std::fprintf(stderr, "qlhost: %s\n%s", message.c_str(), kUsage);
  return kExitFailed;
}

struct Arguments {
  std::map<std::string, std::string> options;  // "--name" -> value
  std::vector<std::string> words;
};

// Options take a value, as "--name VALUE" or "--name=VALUE".
bool SplitArguments(int argc, char** argv, const std::vector<std::string>& known, Arguments& parsed,
                    std::string& error) {
  for (int i = 2; i < argc; ++i) {
    std::string word = argv[i];
    if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
      parsed.words.push_back(word);
      continue;
    }
    std::string value;
    bool hasValue = false;
    if (const auto equals = word.find('='); equals != std::string::npos) {
      value = word.substr(equals + 1);
      word.resize(equals);
      hasValue = true;
    }
    bool isKnown = false;
    for (const auto& name : known) isKnown = isKnown || name == word;
    if (!isKnown) {
      error = "unknown option " + word;
      return false;
    }
    if (!hasValue) {
      if (i + 1 >= argc) {
        error = word + " needs a value";
        return false;
      }
      value = argv[++i];
    }
    parsed.options[word] = value;
  }
  return true;
}

bool ModelOf(const Arguments& arguments, Model& model, std::string& error) {
  model = Model::N;
  const auto found = arguments.options.find("--model");
  if (found == arguments.options.end() || ParseModel(found->second, model)) return true;
  error = "--model: \"" + found->second + "\" is not n or p";
  return false;
}

struct Loaded {
  PluginSet plugins;
  SettingsLayout layout;
};

bool LoadPlugins(Model model, Loaded& loaded, std::string& error) {
  if (!loaded.plugins.Load(model, PluginFolder(), error)) return false;
  loaded.layout = LayoutFor(*loaded.plugins.ui().table);
  return true;
}

int Settings(int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!SplitArguments(argc, argv, {"--model"}, arguments, error)) return Usage(error);
  Model model;
  if (!ModelOf(arguments, model, error)) return Usage(error);
  if (arguments.words.empty()) return Usage("settings: say show or set");
  const std::string& action = arguments.words.front();
  if (action != "show" && action != "set") return Usage("settings: \"" + action + "\" is not show or set");
  if (action == "show" && arguments.words.size() != 1) return Usage("settings show takes nothing more");
  if (action == "set" && arguments.words.size() < 2) return Usage("settings set needs NAME=VALUE");

  Loaded loaded;
  if (!LoadPlugins(model, loaded, error)) return Fail(error);
  SettingsBlock settings;
  if (!CurrentSettings(model, *loaded.plugins.ui().table, loaded.layout, settings, error)) return Fail(error);

  if (action == "show") {
    std::printf("model: %c\n%s", ModelLetter(model), DescribeSettings(settings, loaded.layout).c_str());
    return kExitDone;
  }
  // All assignments or none, onto the settings as they are when the lock
  // is held, so that other processes' changes are kept.
  const auto assign = [&arguments, &loaded](SettingsBlock& current, std::string& failure) {
    for (std::size_t i = 1; i < arguments.words.size(); ++i) {
      if (!ApplyAssignment(current, loaded.layout, arguments.words[i], failure)) return false;
    }
    return true;
  };
  if (!UpdateSettings(model, *loaded.plugins.ui().table, loaded.layout, assign, settings, error)) return Fail(error);
  return kExitDone;
}

bool ValidFace(const std::string& face) {
  return face == "qt" || face == "headless" || (face.rfind("script:", 0) == 0 && face.size() > 7);
}

int PortTimeout() { return SecondsFrom("TELEQUILL_PORT_TIMEOUT", kDefaultPortTimeout); }
int ConversionTimeout() { return SecondsFrom("TELEQUILL_CONVERT_TIMEOUT", kDefaultConversionTimeout); }

// The face of the dialogs: --ui chooses it, --script drives the Qt face.
bool ChooseFace(const Arguments& arguments, std::string& error) {
  const auto& options = arguments.options;
  if (const auto ui = options.find("--ui"); ui != options.end()) {
    if (!ValidFace(ui->second)) {
      error = "--ui: \"" + ui->second + "\" is not qt, headless or script:PATH";
      return false;
    }
    setenv("TELEQUILL_UI", ui->second.c_str(), 1);
  }
  if (const auto script = options.find("--script"); script != options.end()) {
    setenv("TELEQUILL_SCRIPT", script->second.c_str(), 1);
  }
  return true;
}

int Phonebook(int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!SplitArguments(argc, argv, {"--model", "--ui", "--script"}, arguments, error)) return Usage(error);
  Model model;
  if (!ModelOf(arguments, model, error)) return Usage(error);
  if (!arguments.words.empty()) return Usage("phonebook takes no further words");
  if (!ChooseFace(arguments, error)) return Usage(error);
  tq::ui::RequireShownWindows();
  Loaded loaded;
  if (!LoadPlugins(model, loaded, error)) return Fail(error);
  return RunPhonebookDialog(loaded.plugins, error) ? kExitDone : Fail(error);
}

// A document handed on standard input, kept in a private file of the
// user's temporary folder (it is read more than once) and removed after.
class SpooledInput {
 public:
  ~SpooledInput() {
    if (!path_.empty()) unlink(path_.c_str());
  }
  bool Spool(std::string& error) {
    path_ = tq::EnvironmentValue("TMPDIR").value_or("/tmp") + "/telequill-input-XXXXXX";
    const int fd = mkostemp(path_.data(), O_CLOEXEC);
    if (fd < 0) {
      error = "no room to keep the document read from standard input";
      path_.clear();
      return false;
    }
    std::uint64_t copied = 0;
    const bool whole = wire::Copy(STDIN_FILENO, fd, UINT64_MAX, copied);
    close(fd);
    if (!whole) error = "the document could not be read from standard input";
    return whole;
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// One of --pages, --number-up and --fit-to-page into the request.
bool SetLayout(const std::string& option, const std::string& value, PrintRequest& request, std::string& error) {
  if (option == "--pages") {
    request.pages = value;
    if (IsPageList(value)) return true;
    error = "--pages: \"" + value + "\" is not a page list such as 1-3,5,8-";
    return false;
  }
  if (option == "--number-up") {
    for (int allowed : {1, 2, 4, 6, 9, 16}) {
      if (value == std::to_string(allowed)) {
        request.numberUp = allowed;
        return true;
      }
    }
    error = "--number-up: \"" + value + "\" is not 1, 2, 4, 6, 9 or 16";
    return false;
  }
  if (value == "on" || value == "off") {
    request.fitToPage = value == "on";
    return true;
  }
  error = "--fit-to-page: \"" + value + "\" is not on or off";
  return false;
}

int Print(int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!SplitArguments(argc, argv,
                      {"--model", "--job", "--output", "--port", "--ui", "--script", "--copies", "--tray",
                       "--monitor", "--doc-name", "--set", "--to", "--delay", "--pages", "--number-up",
                       "--fit-to-page"},
                      arguments, error)) {
    return Usage(error);
  }
  Model model;
  if (!ModelOf(arguments, model, error)) return Usage(error);
  if (arguments.words.size() != 1) return Usage("print takes one document");
  const auto& options = arguments.options;
  if (options.count("--output") != 0 && options.count("--port") != 0) {
    return Usage("print: --output and --port exclude each other");
  }
  if (!ChooseFace(arguments, error)) return Usage(error);
  PrintRequest request;
  if (const auto to = options.find("--to"); to != options.end()) {
    if (!CheckOptionValue("--to", to->second, error)) return Usage(error);
    if (to->second.empty()) return Usage("--to: the list names no recipient");
    const auto job = options.find("--job");
    if (job != options.end() && job->second != "fax") return Usage("--to sends a fax job, not --job " + job->second);
    request.given.to = to->second;
  }
  if (const auto delay = options.find("--delay"); delay != options.end()) {
    if (!CheckOptionValue("--delay", delay->second, error)) return Usage(error);
    if (request.given.to.empty()) return Usage("--delay: a delayed send needs its recipients (--to)");
    if (delay->second.empty()) return Usage("--delay: give the time to send at, HH:MM");
    request.given.delay = delay->second;
  }
  // The fax prompt needs a person or a script: without a display and
  // without a face named, the run says so rather than cancelling the job.
  // Recipients given with the job need nobody.
  if (request.given.to.empty()) tq::ui::RequireShownWindows();
  request.documentPath = arguments.words.front();
  SpooledInput input;
  if (request.documentPath == "-") {
    if (!input.Spool(error)) return Fail(error);
    request.documentPath = input.path();
    if (options.count("--doc-name") == 0) request.docName = "stdin";
  }
  if (const auto name = options.find("--doc-name"); name != options.end()) request.docName = name->second;
  const std::pair<const char*, const char*> jobOptions[] = {
      {"--job", "job-mode"}, {"--copies", "copies"}, {"--tray", "tray"}, {"--monitor", "monitor"}};
  for (const auto& [option, setting] : jobOptions) {
    if (const auto found = options.find(option); found != options.end()) {
      request.overrides.emplace_back(setting, found->second);
    }
  }
  // Further settings for this job only, "NAME=VALUE NAME=VALUE", as the agent
  // passes the queue's options.
  if (const auto set = options.find("--set"); set != options.end()) {
    std::size_t start = 0;
    while (start < set->second.size()) {
      std::size_t end = set->second.find(' ', start);
      if (end == std::string::npos) end = set->second.size();
      const std::string word = set->second.substr(start, end - start);
      start = end + 1;
      if (word.empty()) continue;
      const auto equals = word.find('=');
      if (equals == std::string::npos) return Usage("--set: \"" + word + "\" is not NAME=VALUE");
      const std::string name = word.substr(0, equals);
      if (name == "pages" || name == "number-up" || name == "fit-to-page") {
        if (!SetLayout("--" + name, word.substr(equals + 1), request, error)) return Usage(error);
        continue;
      }
      request.overrides.emplace_back(name, word.substr(equals + 1));
    }
  }
  if (!request.given.to.empty()) request.overrides.emplace_back("job-mode", "fax");
  for (const char* option : {"--pages", "--number-up", "--fit-to-page"}) {
    if (const auto found = options.find(option);
        found != options.end() && !SetLayout(option, found->second, request, error)) {
      return Usage(error);
    }
  }
  PortAddress port;
  if (const auto uri = options.find("--port"); uri != options.end() && !ParsePortUri(uri->second, port, error)) {
    return Usage(error);
  }
  if (const auto uri = options.find("--port"); uri != options.end()) request.portName = uri->second;

  Loaded loaded;
  if (!LoadPlugins(model, loaded, error)) return Fail(error);
  SettingsBlock settings;
  if (!CurrentSettings(model, *loaded.plugins.ui().table, loaded.layout, settings, error)) return Fail(error);

  JobTarget target;
  if (const auto output = options.find("--output"); output != options.end()) {
    target = {JobTarget::Kind::File, output->second, 0};
  } else if (const auto uri = options.find("--port"); uri != options.end()) {
    target = {JobTarget::Kind::Port, uri->second, PortTimeout()};
  }
  request.conversionSeconds = ConversionTimeout();
  const PrintOutcome outcome = RunPrintJob(loaded.plugins, settings, loaded.layout, request, target);
  if (outcome.status == PrintStatus::Cancelled) {
    std::fprintf(stderr, "qlhost: the fax job was cancelled; nothing was printed\n");
    return kExitCancelled;
  }
  if (outcome.status == PrintStatus::Refused) {
    std::fprintf(stderr, "qlhost: the %sjob was refused, nothing was sent: %s\n", request.given.to.empty() ? "" : "fax ",
                 outcome.error.c_str());
    return kExitRefused;
  }
  if (outcome.status == PrintStatus::Failed) return Fail(outcome.error);
  return kExitDone;
}

// Registers the document monitor's client library (by default the stand-in
// beside the plug-ins) the way its installation would.
int Monitor(int argc, char** argv) {
  const std::vector<std::string> words(argv + 2, argv + argc);
  std::string error;
  if (words.empty()) return Usage("monitor: say install, remove or show");
  if (words[0] == "install" && words.size() <= 2) {
    const std::string library = words.size() == 2 ? words[1] : PluginFolder() + "/VqrApi.so";
    return InstallMonitor(library, error) ? kExitDone : Fail(error);
  }
  if (words[0] == "remove" && words.size() == 1) return RemoveMonitor(error) ? kExitDone : Fail(error);
  if (words[0] == "show" && words.size() == 1) {
    const std::string library = InstalledMonitorLibrary();
    std::printf("monitor library: %s\n", library.empty() ? "none" : library.c_str());
    return kExitDone;
  }
  return Usage("monitor: \"" + words[0] + "\" with these words is not install [LIBRARY], remove or show");
}

// Runs qlautocfg for the port and keeps what the device answered.
int Autoconfigure(int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!SplitArguments(argc, argv, {"--model", "--ui", "--port"}, arguments, error)) return Usage(error);
  Model model;
  if (!ModelOf(arguments, model, error)) return Usage(error);
  if (!arguments.words.empty()) return Usage("autoconfigure takes options only");
  const auto& options = arguments.options;
  if (const auto ui = options.find("--ui"); ui != options.end()) {
    if (!ValidFace(ui->second)) return Usage("--ui: \"" + ui->second + "\" is not qt, headless or script:PATH");
    setenv("TELEQUILL_UI", ui->second.c_str(), 1);
  }
  const auto port = options.find("--port");
  Loaded loaded;
  if (!LoadPlugins(model, loaded, error)) return Fail(error);
  SettingsBlock settings;
  if (!CurrentSettings(model, *loaded.plugins.ui().table, loaded.layout, settings, error)) return Fail(error);
  const AutoconfigOutcome outcome =
      RunAutoconfigure(model, port != options.end() ? port->second : kDefaultAutoconfigPort);
  if (outcome.status == AutoconfigOutcome::Status::Failed) return Fail(outcome.error);
  if (outcome.status == AutoconfigOutcome::Status::NoAnswer) {
    // qlautocfg has said why (another device type, no device, declined).
    std::fprintf(stderr, "qlhost: qlautocfg gave no answer; the settings are unchanged\n");
    return kExitCancelled;
  }
  if (outcome.status == AutoconfigOutcome::Status::Cancelled) {
    std::fprintf(stderr, "qlhost: %s; the settings are unchanged\n", outcome.error.c_str());
    return kExitCancelled;
  }
  // Only what the device said, into the settings as they are now: others
  // may have changed them while qlautocfg ran.
  const auto learn = [&outcome, &loaded](SettingsBlock& current, std::string& failure) {
    return ApplyDeviceFacts(outcome.facts, current, loaded.layout, failure);
  };
  if (!UpdateSettings(model, *loaded.plugins.ui().table, loaded.layout, learn, settings, error)) return Fail(error);
  std::printf("device: %s\n%s", outcome.facts.address.c_str(), DescribeSettings(settings, loaded.layout).c_str());
  return kExitDone;
}

// The document property sheet with the plug-in's pages; what is applied
// is kept for the next print.
int Properties(int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!SplitArguments(argc, argv, {"--model", "--ui", "--script"}, arguments, error)) return Usage(error);
  Model model;
  if (!ModelOf(arguments, model, error)) return Usage(error);
  if (!arguments.words.empty()) return Usage("properties takes options only");
  const auto& options = arguments.options;
  if (const auto ui = options.find("--ui"); ui != options.end()) {
    if (!ValidFace(ui->second)) return Usage("--ui: \"" + ui->second + "\" is not qt, headless or script:PATH");
    setenv("TELEQUILL_UI", ui->second.c_str(), 1);
  }
  if (const auto script = options.find("--script"); script != options.end()) {
    setenv("TELEQUILL_SCRIPT", script->second.c_str(), 1);
  }
  tq::ui::RequireShownWindows();
  Loaded loaded;
  if (!LoadPlugins(model, loaded, error)) return Fail(error);
  SettingsBlock settings;
  if (!CurrentSettings(model, *loaded.plugins.ui().table, loaded.layout, settings, error)) return Fail(error);
  const PropertiesOutcome outcome = RunDocumentProperties(loaded.plugins, model, loaded.layout, settings);
  if (outcome.status == PropertiesOutcome::Status::Failed) return Fail(outcome.error);
  return kExitDone;
}

}  // namespace

int main(int argc, char** argv) {
  // A reader that goes away is reported as a failed write, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
  if (argc < 2) return Usage("say what to do");
  const std::string command = argv[1];
  if (command == "settings") return Settings(argc, argv);
  if (command == "print") return Print(argc, argv);
  if (command == "phonebook") return Phonebook(argc, argv);
  if (command == "monitor") return Monitor(argc, argv);
  if (command == "agent") return AgentCommand(argc, argv);
  if (command == "cups") return CupsCommand(argc, argv);
  if (command == "autoconfigure") return Autoconfigure(argc, argv);
  if (command == "properties") return Properties(argc, argv);
  if (command == "--help" || command == "help") {
    std::fputs(kUsage, stdout);
    return kExitDone;
  }
  return Usage("unknown command \"" + command + "\"");
}
