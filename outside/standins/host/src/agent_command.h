// The commands of qlhost that serve the CUPS queue: `agent` and `cups`.
#pragma once

namespace tq::host {

int AgentCommand(int argc, char** argv);
int CupsCommand(int argc, char** argv);

}  // namespace tq::host
