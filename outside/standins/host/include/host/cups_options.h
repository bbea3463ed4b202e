// What the fax queue's CUPS names mean to the host: the device URI of the
// queue and the PPD's options (fax_queue_ppd.h) as qlhost settings.
#pragma once

#include <string>
#include <string_view>

namespace tq::host {

struct DeviceTarget {
  std::string uri;  // the printer's raw port (socket://HOST:PORT) or a print server's queue (lpd://HOST/QUEUE)
  std::string model = "n";
};

// A device the fax queue can send to: socket://HOST:PORT or lpd://HOST[:PORT]/QUEUE.
bool IsDeviceUri(std::string_view uri);

// "telequill:/DEVICE?model=n|p"; false with a message.
[[nodiscard]] bool ParseDeviceUri(std::string_view deviceUri, DeviceTarget& target, std::string& error);

// The job's CUPS options ("TelequillJob=Fax TelequillResolution=Fine ...")
// and copies as "job-mode=fax resolution=fine copies=2"; other options are
// CUPS's own and left out.
std::string SettingsFromCupsOptions(std::string_view options, int copies);

}  // namespace tq::host
