#include "host/cups_queue.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "host/child_process.h"
#include "host/cups_options.h"
#include "host/fax_queue_ppd.h"
#include "win/environment.h"
#include "win/file_replace.h"
#include "win/text.h"

namespace tq::host {

namespace {

namespace fs = std::filesystem;

std::string Root() {
  return EnvironmentValue("TELEQUILL_INSTALL_ROOT").value_or("");
}
std::string BackendPath() { return Root() + "/usr/lib/cups/backend/telequill"; }
std::string AutostartPath() { return Root() + "/etc/xdg/autostart/telequill-agent.desktop"; }
std::string UnitFolder() { return Root() + "/usr/lib/systemd/user"; }

bool WriteTextFile(const std::string& path, const std::string& text, std::string& error) {
  std::error_code ignored;
  fs::create_directories(fs::path(path).parent_path(), ignored);
  const DWORD code = ReplaceFileContents(Utf8ToUtf16(path), text);
  if (code != ERROR_SUCCESS) error = path + ": cannot be written (" + DescribeFileError(code) + ")";
  return code == ERROR_SUCCESS;
}

// Runs a program and waits; its exit status, or -1 when it did not start.
int Run(std::vector<std::string> args) {
  ChildOptions options;
  options.captureErrors = false;
  return RunChild(std::move(args), options).exitStatus;
}

}  // namespace

bool InstallFaxQueue(const std::string& device, char model, const std::string& qlhost, const std::string& backend,
                     std::string& error) {
  if (!IsDeviceUri(device)) {
    error = device + ": not a device for the fax queue (use socket://HOST:PORT or lpd://HOST/QUEUE)";
    return false;
  }

  std::error_code failure;
  fs::create_directories(fs::path(BackendPath()).parent_path(), failure);
  fs::copy_file(backend, BackendPath(), fs::copy_options::overwrite_existing, failure);
  if (failure || chmod(BackendPath().c_str(), 0700) != 0) {
    error = BackendPath() + ": cannot be installed (" + failure.message() + ")";
    return false;
  }
  const std::string desktop = "[Desktop Entry]\nType=Application\nName=Telequill fax agent\n"
                              "Comment=Shows the fax prompt for jobs printed to the fax queue\n"
                              "Exec=" + qlhost + " agent\nNoDisplay=true\nX-GNOME-Autostart-enabled=true\n";
  const std::string socketUnit = "[Unit]\nDescription=Telequill fax agent socket\n\n[Socket]\n"
                                 "ListenStream=%t/telequill/agent.sock\nSocketMode=0600\nDirectoryMode=0700\n\n"
                                 "[Install]\nWantedBy=sockets.target\n";
  const std::string serviceUnit = "[Unit]\nDescription=Telequill fax agent\n\n[Service]\nExecStart=" + qlhost +
                                  " agent\n";
  if (!WriteTextFile(AutostartPath(), desktop, error) ||
      !WriteTextFile(UnitFolder() + "/telequill-agent.socket", socketUnit, error) ||
      !WriteTextFile(UnitFolder() + "/telequill-agent.service", serviceUnit, error)) {
    return false;
  }
  const std::string ppd = fs::temp_directory_path() / ("telequill-" + std::to_string(getpid()) + ".ppd");
  if (!WriteTextFile(ppd, FaxQueuePpd(qlhost), error)) return false;
  const std::string uri = std::string("telequill:/") + device + "?model=" + model;
  const int status = Run({"lpadmin", "-p", kFaxQueueName, "-E", "-v", uri, "-P", ppd});
  unlink(ppd.c_str());
  if (status != 0) {
    error = "lpadmin could not add the queue " + std::string(kFaxQueueName) + " (is CUPS running?)";
    return false;
  }
  return true;
}

bool RemoveFaxQueue(std::string& error) {
  const int status = Run({"lpadmin", "-x", kFaxQueueName});
  std::error_code ignored;
  for (const std::string& path : {BackendPath(), AutostartPath(), UnitFolder() + "/telequill-agent.socket",
                                  UnitFolder() + "/telequill-agent.service"}) {
    fs::remove(path, ignored);
  }
  if (status != 0) {
    error = "lpadmin could not remove the queue " + std::string(kFaxQueueName);
    return false;
  }
  return true;
}

}  // namespace tq::host
