// Dialog, control, command and string identifiers of qlautocfg.
#pragma once

namespace tq::autocfg {

inline constexpr int kMainWindowDialog = 100;  // the hidden "Tkautocfg" window
inline constexpr int kStartCommand = 260;

inline constexpr int kBroadcastDialog = 3004;
inline constexpr int kAddressDialog = 3005;
inline constexpr int kSearchingDialog = 3006;
inline constexpr int kMethodDialog = 3007;
inline constexpr int kRetrievingDialog = 1004;

// Posted to a waiting dialog by whichever side finished first.
inline constexpr int kWaitOverCommand = 2001;
inline constexpr int kBackButton = 4000;

namespace method {
inline constexpr int kBroadcast = 1004;
inline constexpr int kAddress = 1006;
}  // namespace method

namespace broadcast {
inline constexpr int kTcpIpList = 1007;
inline constexpr int kIpxList = 1008;
inline constexpr int kTcpIp = 1012;
inline constexpr int kIpx = 1013;
inline constexpr int kUserAddress = 1014;
inline constexpr int kField1 = 1015;  // to 1018
inline constexpr int kSearch = 1020;
}  // namespace broadcast

namespace address {
inline constexpr int kTcpIp = 1000;
inline constexpr int kIpx = 1001;
inline constexpr int kField1 = 1002;  // to 1005
inline constexpr int kNetwork = 1006;
inline constexpr int kNode = 1007;
}  // namespace address

namespace text {
inline constexpr int kNotExpectedCaption = 1, kNotExpected = 2;
inline constexpr int kNotThatModelCaption = 3, kNotThatModel = 4;
inline constexpr int kBadAddressCaption = 5, kBadAddress = 6;
inline constexpr int kNotFoundCaption = 7, kNotFound = 8;
inline constexpr int kTimeOutCaption = 9, kTimeOut = 10;
inline constexpr int kPortCaption = 11, kPortNotSupported = 12;
inline constexpr int kSelectCaption = 13, kSelectPrinter = 14;
inline constexpr int kCommunicationCaption = 15, kCommunication = 16;
inline constexpr int kUnexpectedCaption = 17, kUnexpected = 18;
inline constexpr int kWorkgroupName = 20;
inline constexpr int kSearchNetwork = 21;
inline constexpr int kFirstModelName = 23;
inline constexpr int kOtherModelName = 39;
}  // namespace text

}  // namespace tq::autocfg
