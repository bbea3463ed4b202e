// One entry an import hands back: its name and fax number in the ANSI code
// page, as the result file keeps them. Carried as a value from the reader
// of the source through the selection lists to the result file, so a name
// holding '<' or '>' stays whole.
#pragma once

#include <string>

namespace tq::import {

struct Candidate {
  std::string name;
  std::string faxNumber;
  friend bool operator==(const Candidate&, const Candidate&) = default;
};

}  // namespace tq::import
