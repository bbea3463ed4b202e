// What every entry record handed back must hold, whatever the input was:
// each text slot ends with its terminator and the destination count is in
// range. A fuzz target stops (abort) on a record that breaks it.
#pragma once

#include <cstdlib>
#include <cstring>

#include "common/entry_record.h"

namespace tq::import::fuzz {

template <std::size_t N>
void CheckEnds(const char (&slot)[N]) {
  if (std::memchr(slot, '\0', N) == nullptr) std::abort();
}

inline void CheckRecord(const EntryRecord& record) {
  CheckEnds(record.name);
  CheckEnds(record.faxNumber);
  CheckEnds(record.mailboxId);
  CheckEnds(record.mailboxPassword);
  CheckEnds(record.relayTerminalId);
  CheckEnds(record.fCode);
  CheckEnds(record.fCodePassword);
  if (record.destinationCount < 0 || record.destinationCount > kMaxDestinations) std::abort();
}

}  // namespace tq::import::fuzz
