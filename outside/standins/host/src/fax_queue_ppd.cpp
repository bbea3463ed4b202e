#include "host/fax_queue_ppd.h"

namespace tq::host {

namespace {
constexpr std::string_view kHostKeyword = "*TelequillHost: \"";
}  // namespace

std::string FaxQueuePpd(const std::string& qlhost) {
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
*cupsFilter: "text/plain 0 -"
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
)ppd" + std::string(kHostKeyword) + qlhost + "\"\n";
}

std::string QlhostOfPpd(std::string_view ppd) {
  const auto start = ppd.find(kHostKeyword);
  if (start == std::string_view::npos || (start > 0 && ppd[start - 1] != '\n')) return {};
  const std::string_view rest = ppd.substr(start + kHostKeyword.size());
  const auto end = rest.find('"');
  return end == std::string_view::npos ? std::string() : std::string(rest.substr(0, end));
}

}  // namespace tq::host
