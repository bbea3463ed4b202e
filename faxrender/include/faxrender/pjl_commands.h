// The PJL texts the render plug-in writes: command prefixes, line ends and
// the value tables for the fax options. Line ends are part of the format:
// PJL_TimeEnd and PJL_CommandEnd end in CR LF, while the fax number, header,
// delayed-send and copies lines end in a line feed alone.
#pragma once

#include <cstdint>

namespace tq::render {

inline constexpr char PJL_CommentStartJob[] = "@PJL COMMENT - Job started at \"";
inline constexpr char PJL_CommentEndJob[] = "@PJL COMMENT - Job ended at \"";
inline constexpr char PJL_TimeEnd[] = "\"\r\n";
inline constexpr char PJL_FaxNumber[] = "@PJL TELQUL FAXNUM = ";
inline constexpr char PJL_FaxRes[] = "@PJL TELQUL FAXRES = ";
inline constexpr char PJL_TxReport[] = "@PJL TELQUL TXRPT = ";
inline constexpr char PJL_TxHeader[] = "@PJL TELQUL TXHDR = ";
inline constexpr char PJL_DelaySend[] = "@PJL TELQUL DELAYSEND = ";
inline constexpr char PJL_PrintSecure[] = "@PJL SET HOLD=STORE\r\n";
inline constexpr char PJL_PrintSample[] = "@PJL SET HOLD=PROOF\r\n";
inline constexpr char PJL_PrintDocName[] = "@PJL SET JOBNAME=\"";
inline constexpr char PJL_PrintUserID[] = "@PJL SET USERNAME=\"";
inline constexpr char PJL_PrintPassword[] = "@PJL SET HOLDKEY=\"";
inline constexpr char PJL_CollateQty[] = "@PJL SET QTY=";
inline constexpr char PJL_JobAccount[] = "@PJL JOBINFO ACCTUSER=\"@";
inline constexpr char PJL_ClientID[] = "@PJL JOBINFO JOBCLIENTID = ";
inline constexpr char PJL_CommandEnd[] = "\r\n";

// Indexed by FaxOptionsBlock::resolution and FaxOptionsBlock::report.
inline constexpr const char* ResString[] = {"NORMAL", "FINE", "SUPERFINE", "ULTRAFINE"};
inline constexpr const char* RptString[] = {"ON", "ONERROR", "OFF"};

inline constexpr char HeaderOn[] = "ON\n";
inline constexpr char HeaderOff[] = "OFF\n";

// The table texts for an index. Only a damaged settings block holds an index
// outside a table; it gets the text of the default option (fine resolution,
// report on error), so the device still receives a valid value and nothing
// past the table is read.
const char* ResolutionText(std::int32_t resolution);
const char* ReportText(std::int32_t report);
const char* HeaderText(std::int32_t header);

}  // namespace tq::render
