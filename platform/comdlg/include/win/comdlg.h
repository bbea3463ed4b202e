// Open and save file dialogs, answered by the face (win/face.h): a person
// picks a file in the Qt face, a script answers with `file PATH` or
// `file-cancel`, and the headless face without a script cancels.
#pragma once

#include "win/user.h"

using LPOFNHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAMEW {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCWSTR lpstrFilter;  // pairs "description\0pattern\0" ended by an empty string
  LPWSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;  // 1-based; 0 takes the custom filter or the first
  LPWSTR lpstrFile;    // in: the initial name (or empty); out: the chosen path
  DWORD nMaxFile;      // in characters, with the terminator
  LPWSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCWSTR lpstrInitialDir;
  LPCWSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;     // out: index of the file name in lpstrFile
  WORD nFileExtension;  // out: index of the extension (after the dot), 0 when none
  LPCWSTR lpstrDefExt;  // appended (after a dot) to a name without extension
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCWSTR lpTemplateName;
  void* pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
};
using LPOPENFILENAMEW = OPENFILENAMEW*;

inline constexpr DWORD OFN_READONLY = 0x00000001u;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002u;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004u;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x00000008u;
inline constexpr DWORD OFN_SHOWHELP = 0x00000010u;
inline constexpr DWORD OFN_ENABLEHOOK = 0x00000020u;
inline constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040u;
inline constexpr DWORD OFN_ENABLETEMPLATEHANDLE = 0x00000080u;
inline constexpr DWORD OFN_NOVALIDATE = 0x00000100u;
inline constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200u;
inline constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400u;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800u;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000u;
inline constexpr DWORD OFN_CREATEPROMPT = 0x00002000u;
inline constexpr DWORD OFN_SHAREAWARE = 0x00004000u;
inline constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000u;
inline constexpr DWORD OFN_NOTESTFILECREATE = 0x00010000u;
inline constexpr DWORD OFN_NONETWORKBUTTON = 0x00020000u;
inline constexpr DWORD OFN_NOLONGNAMES = 0x00040000u;
inline constexpr DWORD OFN_EXPLORER = 0x00080000u;
inline constexpr DWORD OFN_NODEREFERENCELINKS = 0x00100000u;
inline constexpr DWORD OFN_LONGNAMES = 0x00200000u;
inline constexpr DWORD OFN_ENABLESIZING = 0x00800000u;
inline constexpr DWORD OFN_DONTADDTORECENT = 0x02000000u;
inline constexpr DWORD OFN_FORCESHOWHIDDEN = 0x10000000u;

// CommDlgExtendedError codes.
inline constexpr DWORD CDERR_DIALOGFAILURE = 0xFFFF;
inline constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
inline constexpr DWORD CDERR_INITIALIZATION = 0x0002;
inline constexpr DWORD CDERR_NOTEMPLATE = 0x0003;
inline constexpr DWORD CDERR_NOHINSTANCE = 0x0004;
inline constexpr DWORD CDERR_LOADSTRFAILURE = 0x0005;
inline constexpr DWORD CDERR_FINDRESFAILURE = 0x0006;
inline constexpr DWORD CDERR_LOADRESFAILURE = 0x0007;
inline constexpr DWORD CDERR_LOCKRESFAILURE = 0x0008;
inline constexpr DWORD CDERR_MEMALLOCFAILURE = 0x0009;
inline constexpr DWORD CDERR_MEMLOCKFAILURE = 0x000A;
inline constexpr DWORD CDERR_NOHOOK = 0x000B;
inline constexpr DWORD FNERR_SUBCLASSFAILURE = 0x3001;
inline constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
inline constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

// TRUE with the chosen path in lpstrFile; FALSE when cancelled (extended
// error 0) or on failure (CommDlgExtendedError tells which). When the buffer
// is too small its first two characters hold the size needed, as Win32 does.
// With OFN_FILEMUSTEXIST (open) or OFN_PATHMUSTEXIST an answer naming a file
// or folder that is not there is refused and the face asked again, as the
// dialog itself would do (a script answers again with its next action).
extern "C" BOOL GetOpenFileNameW(LPOPENFILENAMEW ofn);
extern "C" BOOL GetSaveFileNameW(LPOPENFILENAMEW ofn);
extern "C" DWORD CommDlgExtendedError();
