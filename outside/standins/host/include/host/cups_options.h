// What the fax queue's CUPS names mean to the host: the device URI of the
// queue and the PPD's options (fax_queue_ppd.h) as qlhost settings.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/given_job.h"

namespace tq::host {

struct DeviceTarget {
  std::string uri;  // the printer's raw port (socket://HOST:PORT) or a print server's queue (lpd://HOST/QUEUE)
  std::string model = "n";
};

// A device the fax queue can send to: socket://HOST:PORT or lpd://HOST[:PORT]/QUEUE.
bool IsDeviceUri(std::string_view uri);

// "telequill:/DEVICE?model=n|p"; false with a message.
[[nodiscard]] bool ParseDeviceUri(std::string_view deviceUri, DeviceTarget& target, std::string& error);

// The job's options as CUPS hands them to a backend: "name=value" words
// between blanks, a value's blanks, quotes and backslashes escaped by '\'
// or the value quoted with ' or ". A word without '=' (a flag that is set)
// has an empty value.
std::vector<std::pair<std::string, std::string>> SplitCupsOptions(std::string_view options);

// The recipients given with the job: fax-to=LIST, or phone=NUMBER (a list
// of one), and fax-delay=HH:MM. False with a message naming the option at
// fault: a value over 4096 bytes or with control bytes, fax-to with phone,
// fax-delay without recipients.
[[nodiscard]] bool GivenJobFromCupsOptions(std::string_view options, GivenJob& given, std::string& error);

// The job's CUPS options ("TelequillJob=Fax TelequillResolution=Fine ...")
// and copies as "job-mode=fax resolution=fine copies=2"; other options are
// CUPS's own and left out, but for page-ranges, number-up and fit-to-page
// (as pages=, number-up=, fit-to-page=). Recipients given with the job make
// it a fax job.
std::string SettingsFromCupsOptions(std::string_view options, int copies);

}  // namespace tq::host
