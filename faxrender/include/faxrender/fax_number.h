// The FAXNUM parameter of one recipient: the dial string followed by the
// brace-coded communication settings the device reads.
#pragma once

#include <cstddef>

#include "common/entry_record.h"

namespace tq::render {

// Room for the longest parameter any record can give, with its terminator.
inline constexpr std::size_t kFaxNumParamSize = 200;

// Writes the parameter of the recipient, ending in a line feed and
// terminated, into destination (size bytes, normally kFaxNumParamSize);
// returns its length. Every field is read only within its slot, so a damaged
// record cannot make it read past the record or write past the destination.
int DoFaxNumParam(const EntryRecord& recipient, char* destination, std::size_t size);

}  // namespace tq::render
