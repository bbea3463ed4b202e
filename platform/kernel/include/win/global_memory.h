// Global memory blocks: a handle to a block of bytes that is locked to get
// its address, as the page framework keeps each page's state. Blocks never
// move here, but callers lock and unlock them as on Win32.
#pragma once

#include "win/types.h"

using SIZE_T = std::size_t;

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Null with ERROR_NOT_ENOUGH_MEMORY when the block cannot be had.
extern "C" HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// The block's address, null for a bad handle; each lock counts.
extern "C" LPVOID GlobalLock(HGLOBAL memory);
// FALSE once the lock count is back to 0.
extern "C" BOOL GlobalUnlock(HGLOBAL memory);
extern "C" SIZE_T GlobalSize(HGLOBAL memory);
// Null when freed, else the handle.
extern "C" HGLOBAL GlobalFree(HGLOBAL memory);

namespace tq {

// A seam for tests: the Nth GlobalAlloc from now on is refused, as when
// memory runs out. Counting starts at 1; 0 disarms.
void FailNthGlobalAlloc(int n);

}  // namespace tq
