#include "printflow/document_event.h"

#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <mutex>

#include "common/ansi_slots.h"
#include "common/host_settings.h"
#include "faxui/addon_lookup.h"
#include "printflow/account_user.h"
#include "printflow/given_recipients.h"
#include "printflow/job_settings_io.h"
#include "printflow/monitor_link.h"
#include "printflow/summaries.h"
#include "texts.h"
#include "win/gdi.h"
#include "win/winspool.h"

namespace tq::faxui {

namespace {

// The names noted at the start of each document, kept by the document's
// device context until the document ends, so that two documents printed at
// the same time in one process keep their own names.
class NotedNamesByDocument {
 public:
  void Note(HDC dc, const NotedNames& names) {
    std::lock_guard lock(mutex_);
    names_[dc] = names;
  }
  NotedNames Get(HDC dc) {
    std::lock_guard lock(mutex_);
    const auto found = names_.find(dc);
    return found == names_.end() ? NotedNames{} : found->second;
  }
  void Forget(HDC dc) {
    std::lock_guard lock(mutex_);
    names_.erase(dc);
  }

 private:
  std::mutex mutex_;
  std::map<HDC, NotedNames> names_;
};

NotedNamesByDocument& DocumentNames() {
  static NotedNamesByDocument names;
  return names;
}

// A text the printer or the document may not give.
std::u16string_view OrEmpty(const char16_t* text) { return text != nullptr ? text : u""; }

// The printer's port and name from its level-2 information; both stay empty
// when the printer cannot tell.
void NotePrinterNames(HANDLE printer, NotedNames& names) {
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  if (needed < sizeof(PRINTER_INFO_2W)) return;
  std::vector<unsigned char> buffer(needed, 0);
  if (GetPrinterW(printer, 2, buffer.data(), needed, &needed) == FALSE) return;
  PRINTER_INFO_2W info;
  std::memcpy(&info, buffer.data(), sizeof info);
  WideToAnsiSlot(OrEmpty(info.pPortName), names.portName, sizeof names.portName);
  WideToAnsiSlot(OrEmpty(info.pPrinterName), names.printerName, sizeof names.printerName);
}

// The blocks of the fax add-on must lie inside the settings the host gave.
bool BlocksInside(const std::vector<unsigned char>& settings, const AddOnControlBlock* mcb) {
  const auto fits = [&](std::int32_t offset, std::size_t size) {
    return offset >= 0 && static_cast<std::size_t>(offset) + size <= settings.size();
  };
  return fits(mcb->block1Offset, sizeof(FaxOptionsBlock)) && fits(mcb->block3Offset, sizeof(FaxSendBlock));
}

bool SkipsFaxFlow(const std::vector<unsigned char>& settings) {
  return hsb::Field(hsb::JobStateArea(settings.data()), hsb::jobstate::kSkipFaxFlow) == 1;
}

// Step A: the names the monitor will be told, when the host asks for it.
std::int32_t StartDocument(HANDLE printer, HDC dc, std::uint32_t inSize, void* in) {
  const std::vector<unsigned char> settings = ReadJobSettings(dc);
  if (settings.empty() || SkipsFaxFlow(settings)) return 1;
  if (hsb::Field(settings.data(), hsb::kDocumentMonitor) != 1) return 1;
  NotedNames names;
  NotePrinterNames(printer, names);
  if (in != nullptr && inSize >= sizeof(const DOCINFOW*)) {
    const DOCINFOW* info = nullptr;
    std::memcpy(&info, in, sizeof info);
    if (info != nullptr) WideToAnsiSlot(OrEmpty(info->lpszDocName), names.documentName, sizeof names.documentName);
  }
  DocumentNames().Note(dc, names);
  return 1;
}

void FillFaxDestination(monitor::DestinationRecord& destination, const FaxSendBlock& send) {
  destination.kind = monitor::kKindFax;
  RecipientSummary(send.recipients, destination.recipientSummary);
  NumberSummary(send.recipients, destination.numberSummary);
  destination.copies = 0;
  destination.trayName[0] = '\0';
}

void FillPrintDestination(monitor::DestinationRecord& destination, const std::vector<unsigned char>& settings) {
  destination.kind = monitor::kKindPrint;
  destination.recipientSummary[0] = '\0';
  destination.numberSummary[0] = '\0';
  destination.copies = hsb::Field(settings.data(), hsb::kHostCount) > 0 ? 1 : 0;
  WideToAnsiSlot(OrEmpty(OutputTrayName(hsb::Field(settings.data(), hsb::kOutputTray))), destination.trayName,
                 sizeof destination.trayName);
}

void TellJobCancelled(HDC dc) {
  AbortDoc(dc);
  MessageBeep(MB_OK);
  MessageBoxW(nullptr, texts::kJobCancelled, texts::kJobCancelledCaption,
              MB_SYSTEMMODAL | MB_ICONWARNING | MB_OK);
}

// The job the host gives with its recipients, when it gives one.
std::optional<GivenJob> GivenJobOf(HDC dc) {
  const int size = ExtEscape(dc, kEscapeGivenJobSize, 0, nullptr, 0, nullptr);
  if (size <= 0) return std::nullopt;
  std::string text(static_cast<std::size_t>(size), '\0');
  GivenJob job;
  if (ExtEscape(dc, kEscapeGetGivenJob, 0, nullptr, size, text.data()) != 1 || !ParseGivenJobText(text, job)) {
    job.to.clear();  // an unreadable hand-over sends to nobody
  }
  return job;
}

// The given job's recipients and delay into the send block, as a confirmed
// prompt puts them; on a refusal the host hears why and nobody is asked.
bool ResolveIntoSendBlock(HDC dc, const GivenJob& given, void* settings, const AddOnControlBlock* mcb) {
  auto session = std::make_unique<PromptSession>();
  session->privateArea = hsb::PrivateArea(settings);
  std::string error;
  if (!ResolveGivenJob(given, *session, error)) {
    ExtEscape(dc, kEscapeRefuseJob, static_cast<int>(error.size()), error.data(), 0, nullptr);
    return false;
  }
  CopyIntoSendBlock(*session, *GetFaxSend(settings, mcb));
  return true;
}

// Step B: the fax point.
std::int32_t FaxPoint(const AddOnControlBlock* mcb, HDC dc, RecipientDialogRunner recipientDialog) {
  if (ExtEscape(dc, kEscapeFaxPoint, 0, nullptr, 0, nullptr) != 1) return 1;
  std::vector<unsigned char> settings = ReadJobSettings(dc);
  if (settings.empty() || SkipsFaxFlow(settings) || !BlocksInside(settings, mcb)) return 1;
  FaxOptionsBlock& options = *GetFaxOptions(settings.data(), mcb);
  FaxSendBlock& send = *GetFaxSend(settings.data(), mcb);
  unsigned char* privateArea = hsb::PrivateArea(settings.data());

  if (AccountUserIsEmpty(privateArea)) {
    char text[hsb::priv::kAccountUserSize] = {};
    ComposeAccountUserOfCaller(text);
    std::memcpy(privateArea + hsb::priv::kAccountUser, text, sizeof text);
    WriteJobSettings(dc, settings);
  }

  MonitorConnection connection;
  if (hsb::Field(settings.data(), hsb::kDocumentMonitor) == 1) OpenMonitorConnection(connection, options);

  std::int32_t result = 1;
  if (hsb::Field(settings.data(), hsb::kJobMode) == hsb::kJobModeFax) {
    const std::optional<GivenJob> given = GivenJobOf(dc);
    const bool confirmed = given ? ResolveIntoSendBlock(dc, *given, settings.data(), mcb)
                                 : RunPromptSequence(GetActiveWindow(), mcb, settings.data(), recipientDialog) == 1;
    if (confirmed && connection.open()) FillFaxDestination(connection.announcement->destination, send);
    // Settings the host did not take would send the job without its
    // recipients: that job is cancelled as if the user had.
    if (!confirmed || !WriteJobSettings(dc, settings)) {
      // The job ends here: the monitor hears nothing of it and its library
      // is let go before the message is shown.
      CloseMonitorConnection(connection);
      if (given) {
        AbortDoc(dc);  // nobody is there to read a message
      } else {
        TellJobCancelled(dc);
      }
      result = -1;
    }
  } else {
    if (connection.open()) FillPrintDestination(connection.announcement->destination, settings);
    WriteJobSettings(dc, settings);
  }
  if (connection.open() && result == 1) SendAnnouncementAndClose(connection, DocumentNames().Get(dc));
  return result;
}

}  // namespace

const char16_t* OutputTrayName(int trayIndex) {
  switch (trayIndex) {
    case 0: return texts::kTrayCentral;
    case 1: return texts::kTraySide;
    case 2: return texts::kTrayFinisherUpper;
    case 3: return texts::kTrayFinisherLower;
    default: return u"";
  }
}

std::int32_t HandleDocumentEvent(DeviceObject* device, HANDLE printer, HDC dc, std::int32_t event,
                                 std::uint32_t inSize, void* in, RecipientDialogRunner recipientDialog) {
  const AddOnControlBlock* mcb = GetFaxAddonMCB(device);
  if (mcb == nullptr) return 1;
  switch (event) {
    case DOCUMENTEVENT_STARTDOC:
      return StartDocument(printer, dc, inSize, in);
    case DOCUMENTEVENT_STARTPAGE:
      return FaxPoint(mcb, dc, recipientDialog);
    case DOCUMENTEVENT_ENDDOC:
    case DOCUMENTEVENT_ABORTDOC:
    case DOCUMENTEVENT_DELETEDC:
      DocumentNames().Forget(dc);
      return 1;
    default:
      return 1;
  }
}

std::int32_t AddOnDocumentEvent(DeviceObject* device, HANDLE printer, HDC dc, std::int32_t event,
                                std::uint32_t inSize, void* in, std::uint32_t /*outSize*/, void* /*out*/) {
  return HandleDocumentEvent(device, printer, dc, event, inSize, in, RunRecipientDialog);
}

}  // namespace tq::faxui
