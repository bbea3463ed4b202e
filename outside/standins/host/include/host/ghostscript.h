// Running Ghostscript to turn a PDF or PostScript file into PCL XL.
#pragma once

#include <string>

#include "host/document_source.h"

namespace tq::host {

// Converts `input` into `output` (created or replaced) with the program
// named by TELEQUILL_GS, or gs, with the conversion's page selection,
// pages per sheet and fitting. Refused with a message (Ghostscript's first
// error line, or that it did not finish within the time limit and was
// killed) when the document is at fault; NotStarted when Ghostscript could
// not be run. The output is then incomplete and the caller discards it.
enum class ConversionResult { Done, Refused, NotStarted };
[[nodiscard]] ConversionResult ConvertWithGhostscript(const std::string& input, const std::string& output,
                                                      const Conversion& conversion, std::string& error);

// Where a PCL XL stream made by Ghostscript has its page data: past the PJL
// lines it puts before them and before the universal exit it ends with.
struct PageDataRange {
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
};
[[nodiscard]] bool FindPageData(std::string_view head, std::string_view tail, std::uint64_t fileSize,
                                PageDataRange& range);

}  // namespace tq::host
