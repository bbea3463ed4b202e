#include "host/cups_options.h"

#include <cctype>
#include <utility>

#include "host/lpd_job.h"
#include "host/port_sink.h"

namespace tq::host {

namespace {

constexpr std::string_view kScheme = "telequill:/";

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// PPD option name, qlhost setting; the choices map to the setting's words.
constexpr std::pair<std::string_view, std::string_view> kOptions[] = {
    {"TelequillJob", "job-mode"},
    {"TelequillResolution", "resolution"},
    {"TelequillReport", "report"},
    {"TelequillHeader", "header"},
};

}  // namespace

bool IsDeviceUri(std::string_view uri) {
  PortAddress port;
  LpdAddress lpd;
  std::string ignored;
  return ParsePortUri(uri, port, ignored) || ParseLpdUri(uri, lpd, ignored);
}

bool ParseDeviceUri(std::string_view deviceUri, DeviceTarget& target, std::string& error) {
  error = std::string(deviceUri) +
          ": not a fax queue's device (use telequill:/socket://HOST:PORT?model=n or telequill:/lpd://HOST/QUEUE)";
  if (deviceUri.substr(0, kScheme.size()) != kScheme) return false;
  std::string_view inner = deviceUri.substr(kScheme.size());
  target.model = "n";
  if (const auto query = inner.find('?'); query != std::string_view::npos) {
    const std::string_view parameters = inner.substr(query + 1);
    inner = inner.substr(0, query);
    if (parameters == "model=p") {
      target.model = "p";
    } else if (parameters != "model=n") {
      return false;
    }
  }
  if (!IsDeviceUri(inner)) return false;
  target.uri = std::string(inner);
  error.clear();
  return true;
}

std::string SettingsFromCupsOptions(std::string_view options, int copies) {
  std::string settings;
  const auto add = [&settings](std::string_view name, std::string_view value) {
    if (!settings.empty()) settings += ' ';
    settings += std::string(name) + "=" + std::string(value);
  };
  while (!options.empty()) {
    const auto end = options.find(' ');
    const std::string_view word = options.substr(0, end);
    options = end == std::string_view::npos ? std::string_view() : options.substr(end + 1);
    const auto equals = word.find('=');
    if (equals == std::string_view::npos) continue;
    for (const auto& [option, setting] : kOptions) {
      if (word.substr(0, equals) != option) continue;
      std::string value = Lower(word.substr(equals + 1));
      if (value == "onerror") value = "on-error";
      // Only plain words pass: nothing a value holds can add a setting.
      bool plain = !value.empty();
      for (char c : value) plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || c == '-');
      if (plain) add(setting, value);
    }
  }
  if (copies > 1 && copies <= 999) add("copies", std::to_string(copies));
  return settings;
}

std::string FaxQueuePpd() {
  return R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "TELEQUIL.PPD"
*Manufacturer: "Telequill"
*Product: "(Telequill Fax)"
*ModelName: "Telequill Fax"
*ShortNickName: "Telequill Fax"
*NickName: "Telequill Fax"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsManualCopies: False
*cupsFilter: "application/pdf 0 -"
*cupsFilter: "application/postscript 0 -"
*cupsFilter: "application/vnd.cups-raw 0 -"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: ""
*PageSize Letter/Letter: ""
*CloseUI: *PageSize
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*ImageableArea Letter/Letter: "0 0 612 792"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/Letter: "612 792"
*OpenUI *TelequillJob/Job: PickOne
*OrderDependency: 20 AnySetup *TelequillJob
*DefaultTelequillJob: Fax
*TelequillJob Fax/Fax: ""
*TelequillJob Print/Print: ""
*TelequillJob Secure/Secure print: ""
*TelequillJob Sample/Sample print: ""
*CloseUI: *TelequillJob
*OpenUI *TelequillResolution/Fax resolution: PickOne
*OrderDependency: 20 AnySetup *TelequillResolution
*DefaultTelequillResolution: Fine
*TelequillResolution Normal/Normal: ""
*TelequillResolution Fine/Fine: ""
*TelequillResolution Superfine/Superfine: ""
*TelequillResolution Ultrafine/Ultrafine: ""
*CloseUI: *TelequillResolution
*OpenUI *TelequillReport/Confirmation report: PickOne
*OrderDependency: 20 AnySetup *TelequillReport
*DefaultTelequillReport: OnError
*TelequillReport Always/Always: ""
*TelequillReport OnError/On error: ""
*TelequillReport Never/Never: ""
*CloseUI: *TelequillReport
*OpenUI *TelequillHeader/Fax header: PickOne
*OrderDependency: 20 AnySetup *TelequillHeader
*DefaultTelequillHeader: On
*TelequillHeader On/On: ""
*TelequillHeader Off/Off: ""
*CloseUI: *TelequillHeader
*DefaultFont: Courier
*Font Courier: Standard "(002.004S)" Standard ROM
)ppd";
}

}  // namespace tq::host
