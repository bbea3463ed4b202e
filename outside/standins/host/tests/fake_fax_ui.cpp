// A stand-in Fax UI plug-in for the host's tests, built three ways:
// a sound one whose document-event hook logs what the host raises and acts
// as FAKE_FAXUI_ACTION says ("cancel" aborts at the fax point, "recipient"
// stores one recipient by escape), one with another add-on identifier, and
// one without GetFuncTable.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/addon_table.h"
#include "common/host_settings.h"
#include "win/export.h"
#include "win/gdi.h"


namespace {

void Log(const std::string& line) {
  const char* path = std::getenv("FAKE_FAXUI_LOG");
  if (path == nullptr) return;
  if (FILE* file = std::fopen(path, "a")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

std::string Action() {
  const char* action = std::getenv("FAKE_FAXUI_ACTION");
  return action != nullptr ? action : "";
}

std::int32_t StoreRecipient(tq::DeviceObject* device, HDC dc) {
  const tq::AddOnControlBlock* mcb = tq::FindFaxAddOn(device);
  if (mcb == nullptr) return 0;
  const int size = ExtEscape(dc, tq::kEscapeSettingsSize, 0, nullptr, 0, nullptr);
  std::vector<char> settings(static_cast<std::size_t>(size), 0);
  if (ExtEscape(dc, tq::kEscapeGetSettings, 0, nullptr, size, settings.data()) <= 0) return 0;
  auto* send = reinterpret_cast<tq::FaxSendBlock*>(settings.data() + mcb->block3Offset);
  send->recipients.count = 1;
  send->recipients.records[0] = tq::MakeDefaultEntryRecord();
  std::strcpy(send->recipients.records[0].faxNumber, "0123456789");
  return ExtEscape(dc, tq::kEscapeSetSettings, size, settings.data(), 0, nullptr);
}

std::int32_t DocumentEvent(tq::DeviceObject* device, HANDLE, HDC dc, std::int32_t event, std::uint32_t inSize,
                           void* in, std::uint32_t, void*) {
  Log("event " + std::to_string(event));
  if (event == DOCUMENTEVENT_CREATEDCPRE) {
    const char* face = std::getenv("TELEQUILL_UI");
    Log(std::string("ui ") + (face != nullptr ? face : "-"));
  }
  if (event == DOCUMENTEVENT_STARTDOC && inSize == sizeof(void*) && in != nullptr) {
    const DOCINFOW* info = *static_cast<const DOCINFOW* const*>(in);
    std::string name;
    for (const char16_t* c = info->lpszDocName; c != nullptr && *c != 0; ++c) name += static_cast<char>(*c);
    Log("docname " + name);
  }
  if (event != DOCUMENTEVENT_STARTPAGE) return 1;
  const int faxPoint = ExtEscape(dc, tq::kEscapeFaxPoint, 0, nullptr, 0, nullptr);
  Log("faxpoint " + std::to_string(faxPoint));
  if (faxPoint != 1) return 1;
  if (Action() == "cancel") {
    AbortDoc(dc);
    return -1;
  }
  if (Action() == "recipient") Log("stored " + std::to_string(StoreRecipient(device, dc)));
  return 1;
}

#if defined(FAKE_WRONG_ID)
constexpr std::int32_t kId = 1389;
#else
constexpr std::int32_t kId = tq::kFaxAddOnId;
#endif

tq::AddOnTable MakeTable() {
  tq::AddOnTable table = tq::MakeFaxAddOnTable(&tq::DefaultFaxDS, &tq::DefaultFaxSS, nullptr, nullptr, DocumentEvent);
  table.addOnId = kId;
  return table;
}
const tq::AddOnTable kTable = MakeTable();

}  // namespace

#if !defined(FAKE_NO_TABLE)
TQ_EXPORT const tq::AddOnTable* GetFuncTable() { return &kTable; }
#endif
