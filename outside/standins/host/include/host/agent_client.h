// The CUPS backend's side of the agent: finding the socket of a user's
// agent safely and handing it a job.
#pragma once

#include <sys/types.h>

#include <string>

#include "common/given_job.h"

namespace tq::host {

// The socket of the agent of user `uid` under `runtimeRoot` (/run/user):
// ROOT/UID/telequill/agent.sock. Before anything connects, the folder must
// be the user's, a real folder and closed to others, and the socket the
// user's; anything else was planted and is refused.
enum class AgentLookup { Found, Missing, Refused };
AgentLookup FindAgentSocket(const std::string& runtimeRoot, uid_t uid, std::string& path, std::string& why);

struct AgentJob {
  std::string name;
  std::string model = "n";
  std::string options;  // qlhost settings, "NAME=VALUE NAME=VALUE"
  int document = -1;    // open descriptor of the document
  GivenJob given;       // recipients given with the job: no prompt
};

// Refused: the job cannot be sent as it was given (a recipient, the delay).
enum class AgentAnswer { Done, Cancelled, Refused, Failed, Lost };

// Sends the job and writes the answered stream to `streamOut` (an open
// descriptor). Lost: the agent could not be reached or went away before
// its answer was whole. `message` says what happened.
AgentAnswer SendJobToAgent(const std::string& socketPath, const AgentJob& job, int streamOut, std::string& message);

}  // namespace tq::host
