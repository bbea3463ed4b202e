// Text between UTF-16 and the system ANSI code page, for code that keeps ANSI
// text: whole characters only, so a cut text never ends in half a
// double-byte character or half a surrogate pair. Fixed record slots are in
// common/ansi_slots.h, over these.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "win/types.h"

// True when the byte starts a double-byte character in the system code page.
extern "C" BOOL IsDBCSLeadByte(BYTE byte);

namespace tq {

inline constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

// The ANSI form of `text`, at most `maxBytes` bytes: characters are dropped
// from the end until the rest fits. `flags` as for WideCharToMultiByte
// (WC_COMPOSITECHECK joins a letter and its combining accent where the code
// page has the accented letter). `lossy`, when given, tells whether a
// character was replaced by the code page's default character.
std::string WideToAnsi(std::u16string_view text, std::size_t maxBytes = kNoLimit, DWORD flags = 0,
                       bool* lossy = nullptr);

// The UTF-16 form of ANSI text, at most `maxUnits` units.
std::u16string AnsiToWide(std::string_view text, std::size_t maxUnits = kNoLimit);
// The same at the end of `out`, whose room serves a loop without
// allocating for every text.
void AppendAnsiToWide(std::u16string& out, std::string_view text, std::size_t maxUnits = kNoLimit);

// The same between UTF-8 (the command line, files of the project's own) and
// ANSI. Utf8ToAnsi is false when the code page lacks a character; `ansi`
// then holds the text with the default character in its place.
std::string AnsiToUtf8(std::string_view ansi);
bool Utf8ToAnsi(std::string_view utf8, std::string& ansi);

}  // namespace tq
