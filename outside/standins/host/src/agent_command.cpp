#include "agent_command.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "host/agent.h"
#include "host/cups_queue.h"

namespace tq::host {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 2;

int Fail(const std::string& message) {
  std::fprintf(stderr, "qlhost: %s\n", message.c_str());
  return kExitFailed;
}

std::string ThisProgram() {
  std::error_code failure;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", failure);
  return failure ? "qlhost" : self.string();
}

// The backend built beside a qlhost of a build tree; none beside an
// installed qlhost, whose package installs the backend and the agent's files.
std::string BuiltBackend(const std::string& qlhost) {
  const auto backend = std::filesystem::path(qlhost).parent_path() / "telequill";
  std::error_code failure;
  return std::filesystem::is_regular_file(backend, failure) ? backend.string() : std::string();
}

}  // namespace

// qlhost agent [--ui FACE]
int AgentCommand(int argc, char** argv) {
  const std::vector<std::string> words(argv + 2, argv + argc);
  if (words.size() == 2 && words[0] == "--ui") {
    setenv("TELEQUILL_UI", words[1].c_str(), 1);
  } else if (!words.empty()) {
    return Fail("agent takes only --ui qt|headless|script:PATH");
  }
  return Fail(RunAgent(ThisProgram()));
}

// qlhost cups install [--device URI] [--model n|p] | remove | agent-files ROOT [--qlhost PATH]
int CupsCommand(int argc, char** argv) {
  const std::vector<std::string> words(argv + 2, argv + argc);
  std::string error;
  const std::string qlhost = ThisProgram();
  if (words.size() == 1 && words[0] == "remove") {
    return RemoveFaxQueue(!BuiltBackend(qlhost).empty(), error) ? kExitDone : Fail(error);
  }
  if (!words.empty() && words[0] == "agent-files") {
    // For packaging: the agent's files under ROOT, starting the given qlhost.
    if (words.size() == 2) return WriteAgentFiles(words[1], qlhost, error) ? kExitDone : Fail(error);
    if (words.size() == 4 && words[2] == "--qlhost") {
      return WriteAgentFiles(words[1], words[3], error) ? kExitDone : Fail(error);
    }
    return Fail("cups agent-files: say agent-files ROOT [--qlhost PATH]");
  }
  if (words.empty() || words[0] != "install") {
    return Fail("cups: say install [--device URI] [--model n|p], remove or agent-files ROOT [--qlhost PATH]");
  }
  std::string device = "socket://127.0.0.1:9100";
  char model = 'n';
  for (std::size_t i = 1; i < words.size(); i += 2) {
    if (i + 1 >= words.size()) return Fail(words[i] + " needs a value");
    if (words[i] == "--device") {
      device = words[i + 1];
    } else if (words[i] == "--model" && (words[i + 1] == "n" || words[i + 1] == "p")) {
      model = words[i + 1][0];
    } else {
      return Fail("cups install: " + words[i] + " " + words[i + 1] + " is not --device URI or --model n|p");
    }
  }
  return InstallFaxQueue(device, model, qlhost, BuiltBackend(qlhost), error) ? kExitDone : Fail(error);
}

}  // namespace tq::host
