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

// qlhost cups install [--device URI] [--model n|p] | remove
int CupsCommand(int argc, char** argv) {
  const std::vector<std::string> words(argv + 2, argv + argc);
  std::string error;
  if (words.size() == 1 && words[0] == "remove") return RemoveFaxQueue(error) ? kExitDone : Fail(error);
  if (words.empty() || words[0] != "install") return Fail("cups: say install [--device URI] [--model n|p] or remove");
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
  const std::string qlhost = ThisProgram();
  const std::string backend = (std::filesystem::path(qlhost).parent_path() / "telequill").string();
  return InstallFaxQueue(device, model, qlhost, backend, error) ? kExitDone : Fail(error);
}

}  // namespace tq::host
