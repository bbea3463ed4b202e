#include "common/store_result.h"

namespace tq {

const char* StoreResultName(StoreResult result) {
  switch (result) {
    case StoreResult::Ok: return "Ok";
    case StoreResult::CannotOpen: return "CannotOpen";
    case StoreResult::NoMemory: return "NoMemory";
    case StoreResult::WriteFailed: return "WriteFailed";
    case StoreResult::NotFound: return "NotFound";
    case StoreResult::BadFormat: return "BadFormat";
    case StoreResult::Version0000: return "Version0000";
    case StoreResult::Version1000: return "Version1000";
  }
  return "Unknown";
}

}  // namespace tq
