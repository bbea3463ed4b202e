#include "faxrender/job_writer.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "common/ansi_slots.h"
#include "common/host_settings.h"
#include "faxrender/fax_number.h"
#include "faxrender/formatter.h"
#include "faxrender/pjl_commands.h"
#include "faxrender/text_routines.h"

namespace tq::render {
namespace {

// One job's writing: the output object and the time source of this call.
class JobStream {
 public:
  JobStream(OutputObject* output, TimeStringSource timeString)
      : output_(output), timeString_(timeString) {}

  // One write call per piece, without its terminator.
  void Write(std::string_view piece) {
    if (piece.empty()) return;
    output_->write(output_, 1, piece.data(), static_cast<std::uint32_t>(piece.size()));
  }

  // prefix, the current local time text, PJL_TimeEnd.
  void TimeComment(const char* prefix) {
    char text[kTimeTextSize] = "";
    if (timeString_ != nullptr) timeString_(text, sizeof text);
    Write(prefix);
    Write(text);
    Write(PJL_TimeEnd);
  }

 private:
  OutputObject* output_;
  TimeStringSource timeString_;
};

// The options block's slots hold one byte less of text than their size: the
// last byte is the terminator's, whatever it holds.
template <std::size_t N>
std::string_view OptionText(const char (&slot)[N]) {
  return AnsiSlotView(slot, N - 1);
}

void WriteJobStart(JobStream& stream, const void* settings, const FaxOptionsBlock& options) {
  stream.TimeComment(PJL_CommentStartJob);

  const auto* accountUser =
      reinterpret_cast<const char*>(hsb::PrivateArea(settings) + hsb::priv::kAccountUser);
  stream.Write(PJL_JobAccount);
  stream.Write(AnsiSlotView(accountUser, hsb::priv::kAccountUserSize));
  stream.Write(PJL_TimeEnd);

  const std::string_view clientId = OptionText(options.clientId);
  if (hsb::Field(settings, hsb::kDocumentMonitor) == 1 && !clientId.empty()) {
    stream.Write(PJL_ClientID);
    stream.Write(clientId);
    stream.Write(PJL_CommandEnd);
  }
}

// The options block's document name, or the first 24 bytes of the job's.
std::string_view JobName(const FaxOptionsBlock& options, const OutputObject& output) {
  const std::string_view own = OptionText(options.docName);
  if (!own.empty()) return own;
  return AnsiSlotView(output.docName, std::min<std::size_t>(kJobNameLength, kOutputDocNameSize));
}

void WriteHoldSettings(JobStream& stream, const FaxOptionsBlock& options,
                       const OutputObject& output, bool secure) {
  stream.Write(PJL_PrintUserID);
  stream.Write(OptionText(options.userId));
  stream.Write(PJL_TimeEnd);
  stream.Write(PJL_PrintDocName);
  stream.Write(JobName(options, output));
  stream.Write(PJL_TimeEnd);
  if (secure) {
    stream.Write(PJL_PrintPassword);
    stream.Write(OptionText(options.password));
    stream.Write(PJL_TimeEnd);
    stream.Write(PJL_PrintSecure);
  } else {
    stream.Write(PJL_PrintSample);
  }
}

void WriteFaxLines(JobStream& stream, const unsigned char* sendBlock,
                   const FaxOptionsBlock& options) {
  // A damaged count never reaches past the 50 slots of the block.
  const int count = std::clamp<std::int32_t>(
      ReadInt32(sendBlock, offsetof(FaxSendBlock, recipients) + offsetof(RecipientListBlock, count)),
      0, kMaxRecipients);
  if (count == 0) return;

  const unsigned char* slots =
      sendBlock + offsetof(FaxSendBlock, recipients) + offsetof(RecipientListBlock, records);
  for (int i = 0; i < count; ++i) {
    EntryRecord recipient;
    std::memcpy(&recipient, slots + i * sizeof(EntryRecord), sizeof recipient);
    char parameter[kFaxNumParamSize];
    DoFaxNumParam(recipient, parameter, sizeof parameter);
    stream.Write(PJL_FaxNumber);
    stream.Write(parameter);
  }

  stream.Write(PJL_FaxRes);
  stream.Write(ResolutionText(options.resolution));
  stream.Write(PJL_CommandEnd);
  stream.Write(PJL_TxReport);
  stream.Write(ReportText(options.report));
  stream.Write(PJL_CommandEnd);
  stream.Write(PJL_TxHeader);
  stream.Write(HeaderText(options.header));

  if (ReadInt32(sendBlock, offsetof(FaxSendBlock, delayedSend)) == 1) {
    char hour[16];
    const int hourLength =
        FormatText(hour, sizeof hour, "%d", ReadInt32(sendBlock, offsetof(FaxSendBlock, sendHour)));
    padzeroA(hour, hourLength, 2);
    char minute[16];
    const int minuteLength = FormatText(minute, sizeof minute, "%d",
                                        ReadInt32(sendBlock, offsetof(FaxSendBlock, sendMinute)));
    padzeroA(minute, minuteLength, 2);
    char value[40];
    FormatText(value, sizeof value, "%s:%s\n", hour, minute);
    stream.Write(PJL_DelaySend);
    stream.Write(value);
  }
}

void WriteCopies(JobStream& stream, const void* settings) {
  if (!CopiesLineWanted(settings)) return;
  char value[16];
  FormatText(value, sizeof value, "%d\n", hsb::Field(settings, hsb::kCopies));
  stream.Write(PJL_CollateQty);
  stream.Write(value);
}

void WriteJobSettings(JobStream& stream, const void* settings, const unsigned char* sendBlock,
                      const FaxOptionsBlock& options, const OutputObject& output) {
  switch (hsb::Field(settings, hsb::kJobMode)) {
    case hsb::kJobModeSecure:
      WriteHoldSettings(stream, options, output, true);
      break;
    case hsb::kJobModeSample:
      WriteHoldSettings(stream, options, output, false);
      break;
    case hsb::kJobModeFax:
      WriteFaxLines(stream, sendBlock, options);
      return;  // a fax job never gets a copies line
    default:
      break;
  }
  WriteCopies(stream, settings);
}

}  // namespace

bool CopiesLineWanted(const void* settings) {
  const int mode = hsb::Field(settings, hsb::kJobMode);
  if (mode == hsb::kJobModeFax) return false;
  const unsigned char* privateArea = hsb::PrivateArea(settings);
  if (ReadInt32(privateArea, hsb::priv::kCopiesFlag) != 1) return false;
  const bool singleCopy = hsb::Field(settings, hsb::kCopies) == 1;
  return mode == hsb::kJobModeSample || hsb::Field(settings, hsb::kCopiesHostFlag) == 1 ||
         (ReadInt32(privateArea, hsb::priv::kCopiesFlag684) == 1 &&
          hsb::Field(settings, hsb::kHostCount) > 0 && singleCopy) ||
         (ReadInt32(privateArea, hsb::priv::kCopiesFlag676) == 1 &&
          hsb::Field(settings, hsb::kOutputTray) == 1 && singleCopy);
}

void WriteJobEvent(DeviceObject* device, OutputObject* output, void* settings,
                   std::int32_t addOnId, std::int32_t event, std::int32_t flag,
                   const FaxOptionsBlock* options, TimeStringSource timeString) {
  if (addOnId != kFaxAddOnId) return;
  if (event < kEventJobStart || event > kEventJobEndLast) return;
  if ((event == kEventJobStart || event == kEventJobSettings) && flag != 0) return;
  const AddOnControlBlock* control = FindFaxAddOn(device);
  if (control == nullptr || output == nullptr || output->write == nullptr) return;

  JobStream stream(output, timeString);
  if (event == kEventJobEnd || event == kEventJobEndLast) {
    stream.TimeComment(PJL_CommentEndJob);
    return;
  }
  if (settings == nullptr || options == nullptr) return;
  if (event == kEventJobStart) {
    WriteJobStart(stream, settings, *options);
  } else {
    WriteJobSettings(stream, settings,
                     static_cast<const unsigned char*>(settings) + control->block3Offset, *options,
                     *output);
  }
}

}  // namespace tq::render
