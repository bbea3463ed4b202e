// The recipients of one fax job. RecipientListBlock is the count-and-records
// part (11804 bytes) that is copied unchanged into the FaxSendBlock; the
// plug-in keeps the UTF-16 details of each recipient beside it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/entry_record.h"

namespace tq {

inline constexpr int kMaxRecipients = 50;

struct RecipientListBlock {
  std::int32_t count;                     // 0..50
  EntryRecord records[kMaxRecipients];    // in list order; past count unused
};
static_assert(sizeof(RecipientListBlock) == 11804);
static_assert(offsetof(RecipientListBlock, records) == 4);

// One destination of a fax job: its record and its details.
struct FaxRecipient {
  EntryRecord record;
  EntryDetails details;
};

struct RecipientList {
  RecipientListBlock block;
  EntryDetails details[kMaxRecipients];
};

}  // namespace tq
