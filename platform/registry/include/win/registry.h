// The registry and the win.ini profile of the Win32 layer.
//
// One file-backed store per hive under $TELEQUILL_ROOT/registry/, rewritten
// atomically on every change; win.ini in the Windows directory for the
// profile. Calls return Win32's codes (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND,
// ERROR_MORE_DATA, ...).
#pragma once

#include "win/kernel.h"

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000002u)))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000003u)))

using REGSAM = DWORD;
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

extern "C" LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
extern "C" LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR className,
                                DWORD options, REGSAM access, void* security, PHKEY result,
                                LPDWORD disposition);
// REG_SZ data are UTF-16 bytes with the terminator, as on Windows.
extern "C" LONG RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type,
                                 LPBYTE data, LPDWORD dataSize);
extern "C" LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type,
                               const BYTE* data, DWORD dataSize);
extern "C" LONG RegDeleteValueW(HKEY key, LPCWSTR name);
extern "C" LONG RegCloseKey(HKEY key);

// win.ini in the Windows directory: [app] key=value.
extern "C" UINT GetProfileIntA(LPCSTR app, LPCSTR key, INT defaultValue);
extern "C" BOOL WriteProfileStringA(LPCSTR app, LPCSTR key, LPCSTR value);

// ANSI forms for the programs that keep ANSI text: names and REG_SZ /
// REG_EXPAND_SZ data are in the system ANSI code page and stored as UTF-16.
extern "C" LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
extern "C" LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR className, DWORD options,
                                REGSAM access, void* security, PHKEY result, LPDWORD disposition);
extern "C" LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                               DWORD dataSize);
extern "C" LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                 LPDWORD dataSize);
