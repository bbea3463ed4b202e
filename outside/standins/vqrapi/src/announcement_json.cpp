#include "announcement_json.h"

#include <cstdio>
#include <cstring>

#include "common/ansi_slots.h"
#include "win/quoting.h"

namespace tq::vqrapi {

namespace {

class ObjectWriter {
 public:
  ObjectWriter& Int(const char* name, long long value) {
    Name(name);
    text_ += std::to_string(value);
    return *this;
  }
  ObjectWriter& Bool(const char* name, bool value) {
    Name(name);
    text_ += value ? "true" : "false";
    return *this;
  }
  template <std::size_t N>
  ObjectWriter& Text(const char* name, const char (&slot)[N]) {
    Name(name);
    text_ += QuoteJson(AnsiToUtf8(AnsiSlotView(slot)));
    return *this;
  }
  ObjectWriter& Raw(const char* name, const std::string& json) {
    Name(name);
    text_ += json;
    return *this;
  }
  std::string Done() { return text_ + "}"; }

 private:
  void Name(const char* name) {
    text_ += first_ ? "" : ",";
    first_ = false;
    text_ += QuoteJson(name) + ":";
  }
  std::string text_ = "{";
  bool first_ = true;
};

std::string DestinationJson(const monitor::DestinationRecord& record) {
  return ObjectWriter{}
      .Int("recordSize", record.recordSize)
      .Int("kind", record.kind)
      .Int("time", record.time)
      .Text("portName", record.portName)
      .Text("jobId", record.jobId)
      .Text("documentName", record.documentName)
      .Text("recipientSummary", record.recipientSummary)
      .Text("numberSummary", record.numberSummary)
      .Int("copies", record.copies)
      .Int("value664", record.zero664)
      .Text("text668", record.emptyText)
      .Text("trayName", record.trayName)
      .Done();
}

std::string OldDestinationJson(const monitor::OldDestinationRecord& record) {
  return ObjectWriter{}
      .Int("recordSize", record.recordSize)
      .Int("kindFlag", record.kindFlag)
      .Int("time", record.time)
      .Text("portName", record.portName)
      .Text("jobId", record.jobId)
      .Text("documentName", record.documentName)
      .Text("recipientSummary", record.recipientSummary)
      .Text("numberSummary", record.numberSummary)
      .Done();
}

}  // namespace

std::string AnnouncementToJson(const monitor::Announcement& announcement) {
  const auto& header = announcement.header;
  return ObjectWriter{}
      .Raw("format", QuoteJson("extended"))
      .Int("headerSize", header.headerSize)
      .Int("recordCount", header.recordCount)
      .Int("value8", header.value3)
      .Int("value12", header.value11)
      .Text("portName", header.portName)
      .Text("printerName", header.printerName)
      .Text("userName", header.userName)
      .Int("firstRecord", header.firstRecord)
      .Raw("destination", DestinationJson(announcement.destination))
      .Done();
}

std::string OldFormatToJson(const void* data, std::size_t size) {
  if (data == nullptr || size < sizeof(monitor::OldHeader)) {
    return ObjectWriter{}.Raw("format", QuoteJson("older")).Bool("truncated", true).Done();
  }
  monitor::OldHeader header;
  std::memcpy(&header, data, sizeof header);
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::string records = "[";
  bool truncated = false;
  for (int i = 0; i < header.count; ++i) {
    const std::size_t at = sizeof header + sizeof(monitor::OldDestinationRecord) * static_cast<std::size_t>(i);
    if (at + sizeof(monitor::OldDestinationRecord) > size) {
      truncated = true;
      break;
    }
    monitor::OldDestinationRecord record;
    std::memcpy(&record, bytes + at, sizeof record);
    records += (i == 0 ? "" : ",") + OldDestinationJson(record);
  }
  records += "]";
  return ObjectWriter{}
      .Raw("format", QuoteJson("older"))
      .Int("count", header.count)
      .Int("value4", header.value2)
      .Int("value8", header.value11)
      .Text("portName", header.portName)
      .Text("printerName", header.printerName)
      .Int("firstRecord", header.firstRecord)
      .Raw("destinations", records)
      .Bool("truncated", truncated)
      .Done();
}

}  // namespace tq::vqrapi
