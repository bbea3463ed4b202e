#include "faxrender/pjl_commands.h"

#include <iterator>

#include "common/fax_job_settings.h"

namespace tq::render {

const char* ResolutionText(std::int32_t resolution) {
  if (resolution < 0 || resolution >= static_cast<std::int32_t>(std::size(ResString)))
    return ResString[DefaultFaxDS.resolution];
  return ResString[resolution];
}

const char* ReportText(std::int32_t report) {
  if (report < 0 || report >= static_cast<std::int32_t>(std::size(RptString)))
    return RptString[DefaultFaxDS.report];
  return RptString[report];
}

const char* HeaderText(std::int32_t header) { return header == 1 ? HeaderOn : HeaderOff; }

}  // namespace tq::render
