#include "host/print_job.h"

#include <algorithm>
#include <cstring>

#include "common/host_settings.h"
#include "common/ansi_slots.h"
#include "host/host_options.h"
#include "host/job_device_context.h"
#include "win/text.h"
#include "win/winspool.h"

namespace tq::host {

namespace {

constexpr char kUniversalExit[] = "\x1B%-12345X";
constexpr char16_t kPrinterName[] = u"Telequill Fax";
constexpr int kWriteJobStart = 0;
constexpr int kWriteJobSettings = 1;
constexpr int kWriteJobEnd = 2;
constexpr int kWriteJobClose = 3;

std::string FileNameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name as it may stand inside a quoted PJL value.
std::string PjlSafe(std::string name) {
  for (char& c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '"') c = '_';
  }
  return name;
}

// The render plug-in's lines go to the piece of the stream being built.
std::int32_t AppendToStream(OutputObject* output, std::int32_t /*kind*/, const void* bytes, std::uint32_t count) {
  auto* stream = static_cast<std::string*>(output->host);
  if (stream == nullptr || (bytes == nullptr && count > 0)) return 0;
  stream->append(static_cast<const char*>(bytes), count);
  return static_cast<std::int32_t>(count);
}

DeviceObject DeviceFor(const Plugin& plugin, const SettingsLayout& layout) {
  DeviceObject device{};
  device.addOnCount = 1;
  device.addOns[0] = ControlBlockFor(plugin.table, layout);
  return device;
}

// Raises the document events of one single-page document; false when the
// hook failed the printing call or aborted the job.
bool RaiseDocumentEvents(const Plugin& ui, DeviceObject& device, HANDLE printer, JobDeviceContext& context,
                         const std::u16string& docName) {
  const DocumentEventHook hook = ui.table->documentEvent;
  if (hook == nullptr) return true;
  const auto raise = [&](int event, std::uint32_t inSize, void* in) {
    return hook(&device, printer, context.dc(), event, inSize, in, 0, nullptr) != -1 && !context.aborted();
  };
  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = docName.c_str();
  const DOCINFOW* infoAddress = &info;
  if (!raise(DOCUMENTEVENT_CREATEDCPRE, 0, nullptr)) return false;
  if (!raise(DOCUMENTEVENT_STARTDOC, sizeof infoAddress, &infoAddress)) return false;
  context.StartPage();
  if (!raise(DOCUMENTEVENT_STARTPAGE, 0, nullptr)) return false;
  if (!raise(DOCUMENTEVENT_ENDPAGE, 0, nullptr)) return false;
  if (!raise(DOCUMENTEVENT_ENDDOC, 0, nullptr)) return false;
  raise(DOCUMENTEVENT_DELETEDC, 0, nullptr);
  return true;
}

// Writes the job: the PJL header with the render plug-in's lines, the
// document's page data copied in chunks, the trailer. Only the header and
// the trailer are ever held in memory.
bool WriteJobStream(const Plugin& render, const SettingsBlock& settings, const SettingsLayout& layout,
                    const std::string& jobName, const Document& document, JobSink& sink, std::string& error) {
  std::string piece;
  DeviceObject device = DeviceFor(render, layout);
  OutputObject output{};
  output.write = AppendToStream;
  output.host = &piece;
  std::memcpy(output.docName, jobName.data(), std::min(jobName.size(), sizeof output.docName - 1));

  SettingsBlock block = settings;  // the hook gets its own copy to read
  auto* options = OptionsOf(block, layout);
  const auto hook = [&](int event) {
    if (render.table->write != nullptr) {
      render.table->write(&device, &output, block.data(), nullptr, kFaxAddOnId, event, 0, options, nullptr);
    }
  };

  const std::string quotedName = "\"" + jobName + "\"";
  piece += kUniversalExit;
  piece += "@PJL\r\n";
  piece += "@PJL JOB NAME=" + quotedName + "\r\n";
  hook(kWriteJobStart);
  hook(kWriteJobSettings);
  piece += "@PJL ENTER LANGUAGE=PCLXL\r\n";
  if (!sink.Write(piece, error) || !sink.CopyFrom(document.handle(), document.size(), error)) return false;
  piece.clear();
  piece += kUniversalExit;
  piece += "@PJL\r\n";
  hook(kWriteJobEnd);
  hook(kWriteJobClose);
  piece += "@PJL EOJ NAME=" + quotedName + "\r\n";
  piece += kUniversalExit;
  return sink.Write(piece, error);
}

}  // namespace

bool PrepareJobSettings(const SettingsBlock& documentSettings, const AddOnTable& table,
                        const SettingsLayout& layout, const PrintRequest& request, SettingsBlock& job,
                        std::string& error) {
  job = documentSettings;
  for (const auto& [name, value] : request.overrides) {
    if (!ApplySetting(job, layout, name, value, error)) return false;
  }
  // Nothing of an earlier job's send data or job state carries over.
  std::memcpy(SendOf(job, layout), table.block3Defaults, sizeof(FaxSendBlock));
  std::memset(job.data() + layout.jobState, 0, layout.block1 - layout.jobState);
  // The add-on reads the job mode from its own block too.
  OptionsOf(job, layout)->jobMode = hsb::Field(job.data(), hsb::kJobMode);
  // More than one copy is left to the device, which collates them.
  const int copies = hsb::Field(job.data(), hsb::kCopies);
  hsb::SetField(job.data(), hsb::kCopiesHostFlag, copies > 1 ? 1 : 0);
  hsb::SetField(job.data(), hsb::kHostCount, copies > 1 ? copies : 0);
  return true;
}

Conversion ConversionFor(const SettingsBlock& job, const SettingsLayout& layout, const PrintRequest& request) {
  Conversion conversion;
  conversion.timeLimitSeconds = request.conversionSeconds;
  conversion.pages = request.pages;
  conversion.numberUp = request.numberUp;
  conversion.fitToPage = request.fitToPage;
  bool landscape = false;
  const PaperPoints paper = PaperOf(job, &landscape);
  conversion.mediaWidth = landscape ? paper.height : paper.width;
  conversion.mediaHeight = landscape ? paper.width : paper.height;
  if (hsb::Field(job.data(), hsb::kJobMode) != hsb::kJobModeFax) {
    conversion.color = true;
    return conversion;
  }
  // Fax resolutions: normal, fine, superfine, ultrafine.
  constexpr int kFaxDpi[][2] = {{200, 100}, {200, 200}, {400, 400}, {600, 600}};
  const int resolution = std::clamp<int>(OptionsOf(job, layout)->resolution, 0, 3);
  conversion.dpiX = kFaxDpi[resolution][0];
  conversion.dpiY = kFaxDpi[resolution][1];
  return conversion;
}

PrintOutcome RunPrintJob(const PluginSet& plugins, const SettingsBlock& documentSettings,
                         const SettingsLayout& layout, const PrintRequest& request, const JobTarget& target) {
  PrintOutcome outcome;
  SettingsBlock job;
  if (!PrepareJobSettings(documentSettings, *plugins.ui().table, layout, request, job, outcome.error)) {
    return outcome;
  }
  const std::string name = request.docName.empty() ? FileNameOf(request.documentPath) : request.docName;
  Document document;
  // Messages name the document as the user knows it: its path, or the
  // name the application gave it.
  const std::string& shownName = request.docName.empty() ? request.documentPath : request.docName;
  if (!document.Open(request.documentPath, shownName, ConversionFor(job, layout, request), outcome.error)) {
    if (document.problem() == DocumentProblem::Document) outcome.status = PrintStatus::Refused;
    return outcome;
  }

  std::string ansiName;
  Utf8ToAnsi(name, ansiName);  // a character the code page lacks becomes '?'
  const std::string jobName = PjlSafe(ansiName.substr(0, sizeof(OutputObject::docName) - 1));

  {
    DeviceObject uiDevice = DeviceFor(plugins.ui(), layout);
    JobDeviceContext context(job, layout);
    if (!request.given.to.empty()) context.GiveJob(GivenJobText(request.given));
    HANDLE printer = gdi::CreatePrinterHandle(kPrinterName, Utf8ToUtf16(request.portName).c_str());
    const bool printing = RaiseDocumentEvents(plugins.ui(), uiDevice, printer, context, Utf8ToUtf16(name));
    gdi::DeletePrinterHandle(printer);
    if (!printing) {
      outcome.status = context.refusal().empty() ? PrintStatus::Cancelled : PrintStatus::Refused;
      outcome.error = context.refusal();
      return outcome;
    }
  }
  const auto produce = [&](JobSink& sink, std::string& error) {
    return WriteJobStream(plugins.render(), job, layout, jobName, document, sink, error);
  };
  if (!DeliverJob(target, produce, outcome.error)) return outcome;
  outcome.status = PrintStatus::Done;
  return outcome;
}

}  // namespace tq::host
