// The address book import of the Import application: starting the
// messaging address book (MAPI32.DLL) or the Windows address book
// (WAB32.DLL), the address dialog, the extraction of the picked people and
// lists into candidates, and the closing of sessions and libraries.
//
// The libraries are loaded at run time through win/mapi.h only, so any
// library with those exports serves.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/record_key.h"
#include "win/mapi.h"

namespace tq::import {

// Statistics of one run.
struct ImportCounters {
  std::int32_t total = 0;     // entries examined
  std::int32_t valid = 0;     // fax numbers found
  std::int32_t rejected = 0;  // people without a usable fax number
};

// The candidates handed back, each name and number once, at most `limit`
// of them when the limit is above 0.
struct CandidateList {
  std::int32_t limit = 0;
  std::vector<AnsiRecordKey> entries;
};

// What the run shows while it extracts (the progress dialog).
struct ExtractionHooks {
  std::function<void()> started;
  std::function<void()> finished;
};

// Source 1. Shows "Impossible de trouver le fichier .DLL requis,
// MAPI32.DLL." when the library cannot be loaded; a failed logon or book
// ends silently; a cancelled address dialog examines nothing.
void ImportFromMessagingBook(HWND launcher, CandidateList& candidates, ImportCounters& counters,
                             const ExtractionHooks& hooks = {});

// Sources 2 (a chosen file, `file` in ANSI) and 3 (`file` empty: the default
// book). `libraryPath` is the library the source dialog kept, empty for
// "WAB32.DLL". Any start failure shows "Impossible d'ouvrir le carnet
// d'adresses Windows..." naming the file or "Fichier WAB par défaut".
void ImportFromWindowsBook(HWND launcher, const std::u16string& libraryPath, const std::string& file,
                           CandidateList& candidates, ImportCounters& counters, const ExtractionHooks& hooks = {});

// The source dialog's offers: the messaging book when section Mail of the
// profile has MAPIX=1; the Windows book when its library (the registry's
// DLLPath, else "WAB32.DLL") loads, that path being returned (empty: none).
bool MessagingBookOffered();
std::u16string LoadableWindowsBookLibrary();

// The extraction alone, over an opened book: the picked entries of `list`
// with their lists expanded (each list once, at most 256 lists).
struct BookAllocator {
  std::function<SCODE(ULONG, LPVOID*)> allocate;
  std::function<ULONG(LPVOID)> free;
};
inline constexpr int kMaxVisitedLists = 256;
void ExtractPicked(IAddrBook& book, const BookAllocator& allocator, const ADRLIST& list,
                   CandidateList& candidates, ImportCounters& counters);

}  // namespace tq::import
