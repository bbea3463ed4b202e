// What the document monitor's installation leaves in the registry, so that
// the Fax UI plug-in finds its client library: the key
// HKEY_LOCAL_MACHINE\SOFTWARE\Kalde\Varnholtex\Client\Ledgra, its default
// value naming the installed program and "VqrApi" naming the library.
#pragma once

#include <string>

namespace tq::host {

// Registers `library` (an existing file, its path at most 128 bytes in the
// ANSI code page) as the installed monitor and its client library. False
// with a message when the file is missing, the path too long, or the
// registry refuses.
[[nodiscard]] bool InstallMonitor(const std::string& library, std::string& error);

// Removes both values, so that jobs are no longer announced. Removing what
// is not there is no error.
[[nodiscard]] bool RemoveMonitor(std::string& error);

// The library the registry names, or empty.
std::string InstalledMonitorLibrary();

}  // namespace tq::host
