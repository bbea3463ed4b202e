#include "monitor_test_support.h"

#include <fstream>
#include <regex>

#include <gtest/gtest.h>

#include "printflow/monitor_link.h"
#include "win/registry.h"

namespace printflow_test {

namespace {

std::vector<std::string> Lines(const std::filesystem::path& file) {
  std::vector<std::string> lines;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void SetText(HKEY key, const char* name, const std::string& value) {
  if (value.empty()) return;
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
}

}  // namespace

void RegisterMonitor(const std::string& installed, const std::string& library) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, tq::faxui::kMonitorKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            static_cast<LONG>(ERROR_SUCCESS));
  SetText(key, nullptr, installed);
  SetText(key, tq::faxui::kMonitorLibraryValue, library);
  RegCloseKey(key);
}

std::string StandInLibrary(const char* name) { return std::string(TELEQUILL_BIN_DIR "/") + name + ".so"; }

std::vector<std::string> MonitorCalls(const std::filesystem::path& root) {
  return Lines(root / "monitor" / "calls.log");
}

std::vector<std::string> Announcements(const std::filesystem::path& root) {
  std::vector<std::string> lines = Lines(root / "monitor" / "announcements.jsonl");
  static const std::regex time("\"time\":-?[0-9]+");
  static const std::regex user("\"userName\":\"[^\"]*\"");
  for (std::string& line : lines) {
    line = std::regex_replace(line, time, "\"time\":T");
    line = std::regex_replace(line, user, "\"userName\":\"U\"");
  }
  return lines;
}

}  // namespace printflow_test
