// A build without Qt's D-Bus module shows no notices: the agent works as
// it does in a session without a bus.
#include "host/desktop_notice.h"

namespace tq::host {

bool ShowDesktopNotice(const DesktopNotice&) { return false; }

}  // namespace tq::host
