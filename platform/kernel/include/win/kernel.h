// The kernel part of the Win32 layer: errors, files, code pages, the Windows
// directory, modules, user and computer names, local time.
//
// Every call behaves as its Win32 namesake where the callers rely on it: a
// failing call sets the thread's last error and returns what Win32 returns.
// Nothing here throws.
#pragma once

#include "win/export.h"
#include "win/types.h"

// ---- Errors ---------------------------------------------------------------
inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_WRITE_FAULT = 29;
inline constexpr DWORD ERROR_READ_FAULT = 30;
inline constexpr DWORD ERROR_SHARING_VIOLATION = 32;
inline constexpr DWORD ERROR_LOCK_VIOLATION = 33;
inline constexpr DWORD ERROR_HANDLE_EOF = 38;
inline constexpr DWORD ERROR_FILE_EXISTS = 80;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_DISK_FULL = 112;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_INVALID_NAME = 123;
inline constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
inline constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
inline constexpr DWORD ERROR_ALREADY_EXISTS = 183;
inline constexpr DWORD ERROR_CANCELLED = 1223;
inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;
inline constexpr DWORD ERROR_NOT_SAME_DEVICE = 17;
inline constexpr DWORD ERROR_GEN_FAILURE = 31;
inline constexpr DWORD ERROR_BUFFER_OVERFLOW = 111;
inline constexpr DWORD ERROR_NEGATIVE_SEEK = 131;
inline constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;
inline constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
inline constexpr DWORD ERROR_BAD_FILE_TYPE = 222;
inline constexpr DWORD ERROR_FILE_TOO_LARGE = 223;
inline constexpr DWORD ERROR_INVALID_FLAGS = 1004;
inline constexpr DWORD ERROR_BADDB = 1009;
inline constexpr DWORD ERROR_KEY_DELETED = 1018;

extern "C" DWORD GetLastError();
extern "C" void SetLastError(DWORD error);

// ---- Files ----------------------------------------------------------------
inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD FILE_SHARE_WRITE = 0x2;
inline constexpr DWORD FILE_SHARE_DELETE = 0x4;
inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD TRUNCATE_EXISTING = 5;
inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
inline constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFu;
inline constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFFu;
inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;
inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
inline constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x2;
inline constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;
inline constexpr DWORD MAX_PATH = 260;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1)))

// Paths are UTF-16 with '/' or '\\' as separators; a backslash is taken as
// '/' so that names built the Windows way work unchanged.
// Share mode 0 takes an exclusive, non-blocking lock on the file: a second
// opener (in this or another process) fails with ERROR_SHARING_VIOLATION.
extern "C" HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD shareMode, void* security,
                              DWORD disposition, DWORD flags, HANDLE templateFile);
extern "C" BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, LPDWORD read, void* overlapped);
extern "C" BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, LPDWORD written, void* overlapped);
extern "C" DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);
extern "C" BOOL SetEndOfFile(HANDLE file);
extern "C" BOOL FlushFileBuffers(HANDLE file);
extern "C" DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
extern "C" BOOL CloseHandle(HANDLE handle);
extern "C" BOOL DeleteFileW(LPCWSTR name);
extern "C" BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags);
extern "C" BOOL CopyFileW(LPCWSTR from, LPCWSTR to, BOOL failIfExists);
extern "C" DWORD GetFileAttributesW(LPCWSTR name);
extern "C" BOOL SetFileAttributesW(LPCWSTR name, DWORD attributes);
extern "C" BOOL CreateDirectoryW(LPCWSTR name, void* security);

// Windows directory: $TELEQUILL_ROOT, else $XDG_DATA_HOME/telequill, else
// ~/.local/share/telequill; created on first use. Returns the length
// without terminator, or the size needed (with terminator) when too small.
extern "C" UINT GetWindowsDirectoryW(LPWSTR buffer, UINT size);

// ---- Code pages -------------------------------------------------------------
inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;
inline constexpr DWORD MB_PRECOMPOSED = 0x1;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x8;
inline constexpr DWORD WC_COMPOSITECHECK = 0x200;
inline constexpr DWORD WC_DEFAULTCHAR = 0x40;
inline constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;

// CP_ACP is code page 1252 unless TELEQUILL_ACP names another (932, ...).
// A length of -1 converts up to and including the terminator. A size of 0
// returns the size needed. A character the code page lacks becomes its
// closest one the page has ("Ł" becomes "L"; not with WC_NO_BEST_FIT_CHARS),
// else '?' (the default char), which alone sets *usedDefault.
extern "C" int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length,
                                   LPWSTR out, int outSize);
extern "C" int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR text, int length,
                                   LPSTR out, int outSize, LPCSTR defaultChar, LPBOOL usedDefault);
extern "C" UINT GetACP();

// ---- Modules ----------------------------------------------------------------
// A name ending in ".DLL" (any case) is looked for as the native ".so" too;
// a bare name is looked for beside the program, then in TELEQUILL_PLUGIN_DIR
// or, without it, in the folder of the project's libraries.
extern "C" HMODULE LoadLibraryW(LPCWSTR name);
// A name given as MAKEINTRESOURCEA(n) asks for the export with ordinal n,
// found through the table the module declares with TQ_EXPORT_ORDINALS.
extern "C" FARPROC GetProcAddress(HMODULE module, LPCSTR name);
extern "C" BOOL FreeLibrary(HMODULE module);
// The path of the module's file; a null module gives the program's path.
extern "C" DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);

// Exports by ordinal. A shared library names its numbered exports once, e.g.
//   TQ_EXPORT_ORDINALS({1, "DllInitialize"}, {2000, "ModuleInfo"})
// which exports the C symbol `TelequillOrdinals`: the pairs, ended by a
// pair with a null name.
namespace tq::kernel {
struct OrdinalExport {
  WORD ordinal;
  const char* name;
};
}  // namespace tq::kernel

#define TQ_EXPORT_ORDINALS(...)                                                        \
  TQ_EXPORT const ::tq::kernel::OrdinalExport* TelequillOrdinals() {                    \
    static constexpr ::tq::kernel::OrdinalExport kTable[] = {__VA_ARGS__, {0, nullptr}}; \
    return kTable;                                                                     \
  }

// ---- Names ------------------------------------------------------------------
// Sizes are in characters and include the terminator; on success the size
// is set to the length (user name: with terminator, as Win32 does).
extern "C" BOOL GetUserNameW(LPWSTR buffer, LPDWORD size);
extern "C" BOOL GetUserNameA(LPSTR buffer, LPDWORD size);
extern "C" BOOL GetComputerNameW(LPWSTR buffer, LPDWORD size);
extern "C" BOOL GetComputerNameA(LPSTR buffer, LPDWORD size);

// ---- Time -------------------------------------------------------------------
struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};
extern "C" void GetLocalTime(SYSTEMTIME* time);
extern "C" DWORD GetTickCount();
extern "C" void Sleep(DWORD milliseconds);

// ---- Wide string routines the Parts' code uses ------------------------------
extern "C" int lstrlenW(LPCWSTR text);
extern "C" int lstrlenA(LPCSTR text);
