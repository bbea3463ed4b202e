// The per-user job agent behind the CUPS queue. It listens on a Unix socket
// in the user's private runtime folder, takes one job at a time (the
// connections waiting to be accepted are its queue, so two jobs give two
// prompts one after the other and none is lost), runs `qlhost print` on the
// job in the user's session and answers with the finished stream.
//
// A job on the socket: text lines "NAME=VALUE" (name, model, options with
// the qlhost settings as "NAME=VALUE NAME=VALUE", size), an empty line, then
// `size` document bytes. The answer: "done SIZE\n" and the stream,
// "cancelled\n", "retry MESSAGE\n" (it cannot take the job now: its folder
// is full) or "failed MESSAGE\n".
#pragma once

#include <string>

namespace tq::host {

// The agent listens on $XDG_RUNTIME_DIR/telequill/agent.sock; without
// XDG_RUNTIME_DIR in /run/user/UID/telequill when the system made that
// folder for the user, else it refuses to start, naming XDG_RUNTIME_DIR.
// Serves jobs until killed. `program` is the qlhost to run each job with.
// Returns a failure message when it cannot listen.
std::string RunAgent(const std::string& program);

}  // namespace tq::host
