// The network search: the method dialog (3007), the broadcast search (3004)
// and the search by address (3005).
#include <cctype>
#include <map>
#include <memory>
#include <vector>

#include "discovery.h"
#include "ids.h"
#include "waiting_step.h"
#include "win/dialog_state.h"
#include "win/program_folder.h"
#include "win/text.h"

namespace tq::autocfg {
namespace {

constexpr int kStateNotFound = 13;
constexpr int kStateCommunication = 19;

std::u16string TextOf(HWND dialog, int id) {
  char16_t buffer[64] = {};
  GetDlgItemTextW(dialog, id, buffer, 64);
  return buffer;
}

bool AllDigits(const std::u16string& text, bool hex) {
  for (char16_t c : text) {
    if (c > 0x7F || !(hex ? std::isxdigit(c) : std::isdigit(c))) return false;
  }
  return true;
}

// An address field's last good text: a change that makes the field hold a
// number above 255 (or a non-hexadecimal digit) is undone, caret kept.
struct FieldGuard {
  std::map<int, std::pair<std::u16string, DWORD>> last;
  bool restoring = false;

  void Remember(HWND dialog, int id) {
    DWORD start = 0;
    SendDlgItemMessageW(dialog, id, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    last[id] = {TextOf(dialog, id), start};
  }
  void Changed(HWND dialog, int id, bool hex) {
    if (restoring) return;
    const std::u16string text = TextOf(dialog, id);
    const bool good = hex ? AllDigits(text, true) : AllDigits(text, false) && (text.empty() || std::stoi(Utf16ToUtf8(text)) <= 255);
    if (good) return Remember(dialog, id);
    restoring = true;
    const auto& [previous, caret] = last[id];
    SetDlgItemTextW(dialog, id, previous.c_str());
    SendDlgItemMessageW(dialog, id, EM_SETSEL, caret, caret);
    restoring = false;
  }
};

// Four fields joined with '.', each 1 to 3 digits and at most 255.
bool DottedAddress(HWND dialog, int first, std::string& address) {
  address.clear();
  for (int i = 0; i < 4; ++i) {
    const std::u16string field = TextOf(dialog, first + i);
    if (field.empty() || field.size() > 3 || !AllDigits(field, false) || std::stoi(Utf16ToUtf8(field)) > 255) {
      return false;
    }
    address += (i ? "." : "") + Utf16ToUtf8(field);
  }
  return true;
}

struct SearchContext {
  Run* run;
  FieldGuard guard;
};

void BadAddress(HWND dialog, const Run& run) {
  ShowMessage(dialog, run, text::kBadAddress, text::kBadAddressCaption, MB_OK | MB_ICONINFORMATION);
}

// The messages after a search or a preparation that did not succeed.
void ReportState(HWND dialog, const Run& run, int state, bool byAddress) {
  if (state == kStateTimeOut) {
    ShowMessage(dialog, run, text::kTimeOut, text::kTimeOutCaption, MB_OK | MB_ICONERROR);
  } else if (state == kStateNotFound) {
    ShowMessage(dialog, run, text::kNotFound, text::kNotFoundCaption, MB_OK | MB_ICONERROR);
  } else if (state == 18 && byAddress) {
    ShowMessage(dialog, run, text::kNotThatModel, text::kNotThatModelCaption, MB_OK | MB_ICONERROR);
  } else if (state >= 14 && state <= 19) {
    ShowMessage(dialog, run, text::kCommunication, text::kCommunicationCaption, MB_OK | MB_ICONERROR);
  }
}

// Prepares the device at `address` in a worker and reads its options; the
// dialog is left for the caller to close on true.
bool PrepareAndRead(HWND dialog, Run& run, const std::string& address, int protocol, bool byAddress) {
  const Run snapshot = run;
  StepWork work;
  work.belowNormal = true;
  work.compute = [snapshot, address, protocol] { return PrepareDevice(snapshot, address, protocol); };
  int state = RunWaitingStep(kSearchingDialog, dialog, std::move(work));
  if (state == kStateDone) state = ReadOptions(run, address, dialog);
  if (state == kStateDone) return true;
  ReportState(dialog, run, state, byAddress);
  return false;
}

void ShowProtocol(HWND dialog, const Run& run) {
  CheckRadioButton(dialog, broadcast::kTcpIp, broadcast::kIpx, run.ipx ? broadcast::kIpx : broadcast::kTcpIp);
  ShowWindow(GetDlgItem(dialog, broadcast::kTcpIpList), run.ipx ? SW_HIDE : SW_SHOW);
  ShowWindow(GetDlgItem(dialog, broadcast::kIpxList), run.ipx ? SW_SHOW : SW_HIDE);
  for (int i = 0; i < 4; ++i) EnableWindow(GetDlgItem(dialog, broadcast::kField1 + i), !run.ipx && run.userBroadcast);
}

void Search(HWND dialog, SearchContext& context) {
  Run& run = *context.run;
  std::string address = "255.255.255.255";
  int protocol = kPswProtocolTcpIp;
  if (run.ipx) {
    address = "00000000:ffffffffffff";
    protocol = kPswProtocolIpx;
  } else if (run.userBroadcast && !DottedAddress(dialog, broadcast::kField1, address)) {
    return BadAddress(dialog, run);
  }
  const bool everyType = (GetAsyncKeyState(VK_SHIFT) & 0x8000) && (GetAsyncKeyState(VK_CONTROL) & 0x8000);
  if (everyType) {
    PSWPluginFindClearFilter(run.library);
  } else {
    PSWPluginFindClearFilter(run.library);
    PSWPluginFindAddFilter(run.library, run.expectedType.c_str());
  }
  auto lines = std::make_shared<std::vector<std::u16string>>();
  const PSWHANDLE library = run.library;
  StepWork work;
  work.belowNormal = true;
  work.compute = [=] {
    std::uint32_t count = 0;
    if (PSWPluginFindDeviceSNMP(library, address.c_str(), protocol, &count) != 0) return kStateCommunication;
    char found[kPswAddressSize], name[kPswTextSize], location[kPswTextSize], type[kPswTextSize];
    while (PSWPluginGetDeviceNext(library, found, name, location, type) == 1) {
      lines->push_back(Utf8ToUtf16(found) + u"      " + Utf8ToUtf16(name));
    }
    return lines->empty() ? kStateNotFound : kStateDone;
  };
  EnableWindow(dialog, FALSE);
  const int state = RunWaitingStep(kSearchingDialog, dialog, std::move(work));
  const int list = run.ipx ? broadcast::kIpxList : broadcast::kTcpIpList;
  SendDlgItemMessageW(dialog, list, LB_RESETCONTENT, 0, 0);
  if (state == kStateDone) {
    for (const auto& line : *lines) SendDlgItemMessageW(dialog, list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  ReportState(dialog, run, state, false);
  EnableWindow(dialog, TRUE);
  SetForegroundWindow(dialog);
}

void TakeSelected(HWND dialog, SearchContext& context) {
  Run& run = *context.run;
  const int list = run.ipx ? broadcast::kIpxList : broadcast::kTcpIpList;
  const LRESULT selected = SendDlgItemMessageW(dialog, list, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) {
    ShowMessage(dialog, run, text::kSelectPrinter, text::kSelectCaption, MB_OK | MB_ICONINFORMATION);
    return;
  }
  char16_t line[256] = {};
  SendDlgItemMessageW(dialog, list, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(line));
  std::u16string text = line;
  const std::string address = Utf16ToUtf8(text.substr(0, text.find(u' ')));
  if (PrepareAndRead(dialog, run, address, run.ipx ? kPswProtocolIpx : kPswProtocolTcpIp, false)) EndDialog(dialog, IDOK);
}

// F1: the dialog's topic in the program's help file beside it, named
// after the dialog's template.
void OpenSearchHelp(HWND dialog, int templateId) {
  const std::u16string file = tq::BesideProgram(u"qlautocfg.HLP");
  WinHelpW(dialog, file.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(templateId));
}

INT_PTR BroadcastProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  SearchContext* context = DialogStateOf<SearchContext>(dialog);
  if (message == WM_INITDIALOG) {
    context = &AttachBorrowedDialogState(dialog, *reinterpret_cast<SearchContext*>(lParam));
    const Run& run = *context->run;
    for (int i = 0; i < 4; ++i) {
      SendDlgItemMessageW(dialog, broadcast::kField1 + i, EM_LIMITTEXT, 3, 0);
      SetDlgItemTextW(dialog, broadcast::kField1 + i, run.broadcastFields[i].c_str());
      context->guard.Remember(dialog, broadcast::kField1 + i);
    }
    CheckDlgButton(dialog, broadcast::kUserAddress, run.userBroadcast ? BST_CHECKED : BST_UNCHECKED);
    ShowProtocol(dialog, run);
    return TRUE;
  }
  if (message == WM_HELP) {
    OpenSearchHelp(dialog, kBroadcastDialog);
    return TRUE;
  }
  if (message != WM_COMMAND || context == nullptr) return FALSE;
  Run& run = *context->run;
  const int id = LOWORD(wParam);
  if (id >= broadcast::kField1 && id < broadcast::kField1 + 4 && HIWORD(wParam) == EN_CHANGE) {
    context->guard.Changed(dialog, id, false);
    run.broadcastFields[id - broadcast::kField1] = TextOf(dialog, id);
    return TRUE;
  }
  switch (id) {
    case broadcast::kTcpIp:
    case broadcast::kIpx:
      run.ipx = id == broadcast::kIpx;
      ShowProtocol(dialog, run);
      return TRUE;
    case broadcast::kUserAddress:
      run.userBroadcast = IsDlgButtonChecked(dialog, broadcast::kUserAddress) == BST_CHECKED;
      ShowProtocol(dialog, run);
      return TRUE;
    case broadcast::kSearch: Search(dialog, *context); return TRUE;
    case IDOK: TakeSelected(dialog, *context); return TRUE;
    case kBackButton: EndDialog(dialog, kBackButton); return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
  }
}

void ShowAddressProtocol(HWND dialog, bool ipx) {
  CheckRadioButton(dialog, address::kTcpIp, address::kIpx, ipx ? address::kIpx : address::kTcpIp);
  for (int i = 0; i < 4; ++i) EnableWindow(GetDlgItem(dialog, address::kField1 + i), !ipx);
  EnableWindow(GetDlgItem(dialog, address::kNetwork), ipx);
  EnableWindow(GetDlgItem(dialog, address::kNode), ipx);
}

INT_PTR AddressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  SearchContext* context = DialogStateOf<SearchContext>(dialog);
  if (message == WM_INITDIALOG) {
    context = &AttachBorrowedDialogState(dialog, *reinterpret_cast<SearchContext*>(lParam));
    for (int i = 0; i < 4; ++i) {
      SendDlgItemMessageW(dialog, address::kField1 + i, EM_LIMITTEXT, 3, 0);
      context->guard.Remember(dialog, address::kField1 + i);
    }
    SendDlgItemMessageW(dialog, address::kNetwork, EM_LIMITTEXT, 8, 0);
    SendDlgItemMessageW(dialog, address::kNode, EM_LIMITTEXT, 12, 0);
    context->guard.Remember(dialog, address::kNetwork);
    context->guard.Remember(dialog, address::kNode);
    ShowAddressProtocol(dialog, context->run->ipx);
    return TRUE;
  }
  if (message == WM_HELP) {
    OpenSearchHelp(dialog, kAddressDialog);
    return TRUE;
  }
  if (message != WM_COMMAND || context == nullptr) return FALSE;
  Run& run = *context->run;
  const int id = LOWORD(wParam);
  if (HIWORD(wParam) == EN_CHANGE) {
    if (id >= address::kField1 && id < address::kField1 + 4) context->guard.Changed(dialog, id, false);
    if (id == address::kNetwork || id == address::kNode) context->guard.Changed(dialog, id, true);
    return TRUE;
  }
  switch (id) {
    case address::kTcpIp:
    case address::kIpx:
      run.ipx = id == address::kIpx;
      ShowAddressProtocol(dialog, run.ipx);
      return TRUE;
    case IDOK: {
      std::string target;
      if (run.ipx) {
        const std::u16string network = TextOf(dialog, address::kNetwork), node = TextOf(dialog, address::kNode);
        if (network.size() != 8 || node.size() != 12 || !AllDigits(network, true) || !AllDigits(node, true)) {
          BadAddress(dialog, run);
          return TRUE;
        }
        target = Utf16ToUtf8(network + u":" + node);
      } else if (!DottedAddress(dialog, address::kField1, target)) {
        BadAddress(dialog, run);
        return TRUE;
      }
      if (PrepareAndRead(dialog, run, target, run.ipx ? kPswProtocolIpx : kPswProtocolTcpIp, true)) {
        EndDialog(dialog, IDOK);
      }
      return TRUE;
    }
    case kBackButton: EndDialog(dialog, kBackButton); return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
  }
}

INT_PTR MethodProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const Run& run = AttachBorrowedDialogState(dialog, *reinterpret_cast<Run*>(lParam));
    CheckRadioButton(dialog, method::kBroadcast, method::kAddress,
                     run.broadcastMethod ? method::kBroadcast : method::kAddress);
    return TRUE;
  }
  if (message == WM_HELP) {
    OpenSearchHelp(dialog, kMethodDialog);
    return TRUE;
  }
  Run* state = DialogStateOf<Run>(dialog);
  if (message != WM_COMMAND || state == nullptr) return FALSE;
  Run& run = *state;
  if (LOWORD(wParam) == IDOK) {
    run.broadcastMethod = IsDlgButtonChecked(dialog, method::kBroadcast) == BST_CHECKED;
    EndDialog(dialog, IDOK);
    return TRUE;
  }
  if (LOWORD(wParam) == IDCANCEL) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

bool SearchNetwork(Run& run) {
  for (;;) {
    if (DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kMethodDialog), run.owner, MethodProc,
                        reinterpret_cast<LPARAM>(&run)) != IDOK) {
      return false;  // state 12
    }
    SearchContext context{&run, {}};
    const INT_PTR result = DialogBoxParamW(nullptr, MAKEINTRESOURCEW(run.broadcastMethod ? kBroadcastDialog : kAddressDialog),
                                           run.owner, run.broadcastMethod ? BroadcastProc : AddressProc,
                                           reinterpret_cast<LPARAM>(&context));
    if (result == kBackButton) continue;
    return result == IDOK;
  }
}

}  // namespace tq::autocfg
