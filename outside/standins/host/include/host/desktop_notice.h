// Desktop notifications of the user's session: what the agent tells the
// user once a fax job has left (or could not leave) for the device.
#pragma once

#include <string>

namespace tq::host {

// The texts of the notice for a job named `title`: handed to the device
// for `recipients` recipients (0: not counted), or not, for `reason`
// (then `held`: the job waits to be tried again).
struct DesktopNotice {
  std::string summary;
  std::string body;
};
DesktopNotice SentNotice(const std::string& title, int recipients);
DesktopNotice FailedNotice(const std::string& title, const std::string& reason, bool held);

// Shows the notice through the session bus's notification service, waiting
// at most a few seconds; false (and nothing shown) without a session bus or
// service.
bool ShowDesktopNotice(const DesktopNotice& notice);

}  // namespace tq::host
