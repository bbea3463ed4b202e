// Results and modes of the phonebook store's operations.
#pragma once

#include <cstdint>

namespace tq {

enum class StoreResult : std::int32_t {
  Ok = 0,
  CannotOpen = 1,
  NoMemory = 2,
  WriteFailed = 3,
  NotFound = 4,
  BadFormat = 5,
  Version0000 = 6,
  Version1000 = 7,
};

enum class SaveMode : std::int32_t {
  Append = 0,
  ReplaceSameKey = 1,
  ReplaceNewKey = 2,
};

// "Ok", "CannotOpen", ... for tools and messages; "Unknown" otherwise.
const char* StoreResultName(StoreResult result);

}  // namespace tq
