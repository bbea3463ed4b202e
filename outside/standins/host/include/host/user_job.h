// A job given with its recipients while the user's agent is not running:
// the backend (root) runs `qlhost print --to` as that user, so that the
// user's own settings and phonebook are read with the user's own rights,
// never root's, and keeps the stream qlhost writes.
#pragma once

#include <pwd.h>

#include <string>

#include "host/agent_client.h"

namespace tq::host {

// Runs `qlhost` for `job` as `account` (dropping root's user and groups
// first; a process that is neither root nor that user runs nothing). The
// document is handed on standard input, the stream comes back into
// `streamOut`. Answers as the agent would: Done, Refused or Failed, with
// `message` saying what happened.
AgentAnswer RunJobAsUser(const passwd& account, const std::string& qlhost, const AgentJob& job, int streamOut,
                         std::string& message);

}  // namespace tq::host
