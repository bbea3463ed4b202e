// The run of one parameter file: discovery at the port, the network search
// dialogs, preparing the device and reading its options into the answer.
#pragma once

#include <array>
#include <string>

#include "kdwcif/kdwcif.h"
#include "win/user.h"

namespace tq::autocfg {

struct Run {
  std::u16string parameterPath;
  std::u16string currentFile;  // the file deleted on a failed run
  std::string port, libraryArgument, expectedType;
  std::u16string modelName;
  PSWHANDLE library = 0;
  HWND owner = nullptr;
  // Remembered between searches.
  bool broadcastMethod = true;
  bool ipx = false;
  bool userBroadcast = false;
  std::array<std::u16string, 4> broadcastFields{u"255", u"255", u"255", u"255"};
};

// The whole discovery; true when the answer file was written.
bool RunDiscovery(Run& run);

// A message box with the program's strings: `text` may hold %s for the model.
int ShowMessage(HWND owner, const Run& run, int textId, int captionId, UINT type, int appendId = 0);
std::u16string LoadText(int id);

// Prepares the device at `address` (in a worker); the discovery state.
int PrepareDevice(const Run& run, const std::string& address, int protocol);
// Reads the options into the answer file under dialog 1004; the state.
int ReadOptions(Run& run, const std::string& address, HWND owner);

// The search dialogs (3007, 3004, 3005); true when a device was prepared
// and its options read.
bool SearchNetwork(Run& run);

}  // namespace tq::autocfg
