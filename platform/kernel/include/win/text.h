// Conveniences for the project's own code (tools, tests, the faces): UTF-8
// and UTF-16 conversions and the native path of a Windows-style name. The
// Parts' code uses the Win32 calls of win/kernel.h instead.
#pragma once

#include <string>
#include <string_view>

namespace tq {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// Appends what Utf16ToUtf8 returns to `out`, for writers of many short
// texts that keep one string.
void AppendUtf8(std::string& out, std::u16string_view text);
// Writes what Utf16ToUtf8 returns at `out`, which has room for
// kMaxUtf8PerUnit bytes a unit; returns the end of what it wrote.
inline constexpr std::size_t kMaxUtf8PerUnit = 3;
char* WriteUtf8(std::u16string_view text, char* out);
// The native path for a Windows-style name: backslashes become '/'.
std::string NativePath(std::u16string_view name);
// The Windows directory as a native path (see GetWindowsDirectoryW).
std::string WindowsDirectory();

}  // namespace tq
