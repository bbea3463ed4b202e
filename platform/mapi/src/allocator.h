// The address books' buffers: one allocation and the ones hung on it with
// AllocateMore, all released by one FreeBuffer, as MAPI's callers expect.
#pragma once

#include "win/mapi.h"

namespace tq::mapi {

SCODE AllocateBuffer(ULONG size, LPVOID* buffer);
SCODE AllocateMore(ULONG size, LPVOID parent, LPVOID* buffer);
// A pointer this allocator did not hand out as a root buffer is refused
// (MAPI_E_INVALID_PARAMETER) instead of freed.
ULONG FreeBuffer(LPVOID buffer);

// A copy of `text` hung on `parent`; null when memory runs out.
LPSTR CopyString(const char* text, std::size_t length, LPVOID parent);

}  // namespace tq::mapi
