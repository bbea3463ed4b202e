// Test support for the monitor link: registering a client library the way
// the monitor's installation does, and reading what the stand-in library
// noted, with the parts that change from run to run (time, user) masked.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace printflow_test {

// Writes the monitor's registry key: the default value names `installed`,
// "VqrApi" names `library`; an empty text leaves that value out.
void RegisterMonitor(const std::string& installed, const std::string& library);

// A stand-in library of the build folder: VqrApi, VqrApiNoEx, VqrApiNoGroup.
std::string StandInLibrary(const char* name);

// The calls the stand-in received, in order.
std::vector<std::string> MonitorCalls(const std::filesystem::path& root);

// The announcements the stand-in decoded, one JSON text each, with every
// "time" value shown as T and the user name as U.
std::vector<std::string> Announcements(const std::filesystem::path& root);

}  // namespace printflow_test
