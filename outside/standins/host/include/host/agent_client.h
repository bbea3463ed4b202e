// The CUPS backend's side of the agent: reaching the agent of a user
// safely and handing it a job.
#pragma once

#include <sys/types.h>

#include <string>

#include "common/given_job.h"

namespace tq::host {

// Where the users' runtime folders are: TELEQUILL_RUNTIME_ROOT, else
// /run/user (each ROOT/UID made for its user by the system at login).
std::string RuntimeFoldersRoot();

// Connects to the agent of user `uid` at ROOT/UID/telequill/agent.sock.
// Each folder on the way is opened without following links, the last one
// must be the user's, a folder and closed to others (checked on the opened
// folder), the socket is reached through that open folder so that no name
// can be swapped in between, and the process listening must run as the
// user; anything else was planted and is refused before a byte is sent.
// Missing: no agent listens there (nobody logged in).
enum class AgentLookup { Found, Missing, Refused };
AgentLookup ConnectToAgent(const std::string& runtimeRoot, uid_t uid, int& connection, std::string& why);

struct AgentJob {
  std::string name;
  std::string model = "n";
  std::string options;  // qlhost settings, "NAME=VALUE NAME=VALUE"
  int document = -1;    // open descriptor of the document
  GivenJob given;       // recipients given with the job: no prompt
};

// Refused: the job cannot be sent as it was given (a recipient, the delay).
// Lost: the agent went away before its answer was whole; Retry: the agent
// could not take the job now (its folder is full). Both are tried again.
enum class AgentAnswer { Done, Cancelled, Refused, Failed, Lost, Retry };

// Sends the job on the connection (which stays the caller's) and writes
// the answered stream to `streamOut` (an open descriptor). `message` says
// what happened.
AgentAnswer SendJobToAgent(int connection, const AgentJob& job, int streamOut, std::string& message);

// After a Done answer: tells the agent whether the device took the stream
// ("sent") or why not, one line, so that it can tell the user. An agent
// that no longer waits for it is no fault.
void TellAgentOutcome(int connection, bool sent, const std::string& reason);

}  // namespace tq::host
