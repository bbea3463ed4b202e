// How many pages a job stream holds: its PCL XL page data is read token by
// token (so that no byte inside an image or a font is taken for an
// operator) and its BeginPage operators are counted. The spooler's page
// accounting is told one page per BeginPage sent.
#pragma once

#include <cstdint>

namespace tq::host {

// The pages of the stream in open file `fd` (read from its start, the
// position left alone): PJL lines up to "ENTER LANGUAGE=PCLXL", then PCL XL
// up to the universal exit or the end. -1 when the page data is not PCL XL
// or breaks off inside a token.
int CountStreamPages(int fd);

}  // namespace tq::host
