#include "discovery.h"

#include <atomic>
#include <cstdio>
#include <memory>

#include "addreso/addreso.h"
#include "answers.h"
#include "autocfg/device_table.h"
#include "ids.h"
#include "autocfg/parameter_file.h"
#include "waiting_step.h"
#include "win/file_replace.h"
#include "win/kernel.h"
#include "win/text.h"

namespace tq::autocfg {
namespace {

constexpr int kStateOptionsFailed = 14;
constexpr int kStateSalutationFailed = 15;
constexpr int kStateAttributesFailed = 16;
constexpr int kStateInitFailed = 17;
constexpr int kStateNotExpected = 18;
constexpr int kStateCommunication = 19;
constexpr int kStatePortNotSupported = 20;

bool Held(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

}  // namespace

std::u16string LoadText(int id) {
  LPCWSTR text = nullptr;
  const int length = LoadStringW(nullptr, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::u16string(text, static_cast<size_t>(length)) : std::u16string();
}

int ShowMessage(HWND owner, const Run& run, int textId, int captionId, UINT type, int appendId) {
  std::u16string text = LoadText(textId) + (appendId != 0 ? LoadText(appendId) : std::u16string());
  for (size_t at; (at = text.find(u"%s")) != std::u16string::npos;) text.replace(at, 2, run.modelName);
  return MessageBoxW(owner, text.c_str(), LoadText(captionId).c_str(), type);
}

int PrepareDevice(const Run& run, const std::string& address, int protocol) {
  const bool anyDevice = Held(VK_SHIFT) && Held(VK_CONTROL);
  std::uint32_t count = 0;
  if (PSWPluginFindDeviceSNMP(run.library, address.c_str(), protocol, &count) != 0) return kStateCommunication;
  if ((count & 0xFFFF) == 0) return kStateNotExpected;
  std::string accepted, other;
  char found[kPswAddressSize], name[kPswTextSize], location[kPswTextSize], type[kPswTextSize];
  while (PSWPluginGetDeviceNext(run.library, found, name, location, type) == 1) {
    if (address != found || !accepted.empty()) continue;
    if (IsPairedType(type) || run.expectedType == type || anyDevice) {
      accepted = type;
    } else {
      other = type;
    }
  }
  if (accepted.empty()) {
    // The message box says "not connected to a printer"; whoever started
    // the run learns that a device did answer.
    if (!other.empty()) {
      std::fprintf(stderr, "qlautocfg: another device type answered at %s (%s)\n", address.c_str(), other.c_str());
    }
    return kStateNotExpected;
  }
  const std::string initType = anyDevice ? accepted : run.expectedType;
  if (PSWPluginInitDevice(run.library, address.c_str(), initType.c_str(), protocol) != 0) return kStateInitFailed;
  int state = kStateDone;
  if (PSWPluginRefreshSystemAttributes(run.library) != 0) state = kStateAttributesFailed;
  if (PSWPluginRefreshInternetSalutation(run.library) != 0) state = kStateSalutationFailed;
  (void)state;  // only the options decide
  return PSWPluginRefreshOptions(run.library) == 0 ? kStateDone : kStateOptionsFailed;
}

int ReadOptions(Run& run, const std::string& address, HWND owner) {
  struct Outcome {
    std::atomic<bool> unreadable{false}, unwritable{false};
  };
  auto outcome = std::make_shared<Outcome>();
  const std::u16string parameterPath = run.parameterPath;
  const std::u16string answerPath = AnswerFileName(parameterPath);
  const PSWHANDLE library = run.library;
  auto answer = std::make_shared<std::string>();
  StepWork work;
  work.belowNormal = true;
  work.compute = [=] {
    *answer = address + '\n';
    const auto bytes = ReadParameterFile(parameterPath);
    if (!bytes) {
      outcome->unreadable = true;
    } else {
      *answer = BuildAnswer(library, address, OptionNamesOf(SplitParameterLines(*bytes)));
    }
    return kStateDone;
  };
  work.commit = [=](int) {
    // The answer names the device: readable by the user alone, and whole
    // or not there for the host that waits for it.
    if (ReplaceFileContents(answerPath, *answer) != ERROR_SUCCESS) {
      outcome->unwritable = true;
      return;
    }
    DeleteFileW(parameterPath.c_str());
  };
  const int state = RunWaitingStep(kRetrievingDialog, owner, std::move(work));
  if (state != kStateDone) return state;
  if (!outcome->unwritable) run.currentFile = answerPath;
  if (outcome->unreadable || outcome->unwritable) {
    ShowMessage(owner, run, text::kUnexpected, text::kUnexpectedCaption, MB_OK | MB_ICONERROR);
  }
  return outcome->unwritable ? kStateCommunication : kStateDone;
}

bool RunDiscovery(Run& run) {
  run.modelName = LoadText(ModelNameString(run.expectedType));
  if (PSWPluginInit(run.libraryArgument.c_str(), "PSW112", &run.library) != 0) {
    ShowMessage(run.owner, run, text::kUnexpected, text::kUnexpectedCaption, MB_OK | MB_ICONERROR);
    return false;
  }
  auto address = std::make_shared<std::string>();
  const Run snapshot = run;
  StepWork work;
  work.compute = [snapshot, address] {
    char found[kAddressSize] = {};
    const int kind = GetAddressFromPort(snapshot.port.c_str(), found);
    *address = found;
    switch (kind) {
      case kAddressTcpIp: return PrepareDevice(snapshot, found, kPswProtocolTcpIp);
      case kAddressIpx: return PrepareDevice(snapshot, found, kPswProtocolIpx);
      case kAddressOther: return PrepareDevice(snapshot, found, kPswProtocolOther);
      case kAddressNotConfigurable: return kStatePortNotSupported;
      default: return kStateNoResult;
    }
  };
  int state = RunWaitingStep(kSearchingDialog, run.owner, std::move(work));
  bool answered = false;
  if (state == kStateDone) {
    state = ReadOptions(run, *address, run.owner);
    answered = state == kStateDone;
    if (!answered && state != kStateTimeOut) state = kStateCancelled;  // ends the run
  }
  if (!answered && state != kStateCancelled) {
    int asked;
    switch (state) {
      case kStateNotExpected:
        asked = ShowMessage(run.owner, run, text::kNotExpected, text::kNotExpectedCaption, MB_YESNO, text::kSearchNetwork);
        break;
      case kStatePortNotSupported:
        asked = ShowMessage(run.owner, run, text::kPortNotSupported, text::kPortCaption, MB_YESNO | MB_ICONQUESTION,
                            text::kSearchNetwork);
        break;
      case kStateTimeOut:
        asked = ShowMessage(run.owner, run, text::kTimeOut, text::kTimeOutCaption, MB_YESNO | MB_ICONQUESTION,
                            text::kSearchNetwork);
        break;
      default:
        asked = ShowMessage(run.owner, run, text::kCommunication, text::kCommunicationCaption,
                            MB_YESNO | MB_ICONQUESTION, text::kSearchNetwork);
    }
    if (asked == IDYES) {
      answered = SearchNetwork(run);
      if (!answered) DeleteFileW(run.currentFile.c_str());
    }
  }
  PSWPluginUnInit(run.library);
  return answered;
}

}  // namespace tq::autocfg
