// Starting programs the Windows way.
#pragma once

#include "win/types.h"

inline constexpr DWORD ERROR_BAD_FORMAT = 11;

// Starts the program of a Windows-style command line and returns at once
// (the child is not waited for). The program name is the first token
// (quoted when it holds blanks); a name without a folder is looked for
// beside the calling module, beside the program, in TELEQUILL_PLUGIN_DIR
// and in the layer's own folder (the build's bin folder), a ".EXE" name
// also as the native file without the extension. The arguments follow
// Windows' quoting rules. The caller's active dialog is handed to the child
// in TELEQUILL_FOREGROUND, where GetForegroundWindow returns it. The
// program ends (SIGTERM) when the process that started it dies; the kernel
// ties this to the calling thread, so call it from the windows' thread,
// which lives as long as the process.
// Returns a value above 31 on success, else 0 (out of resources),
// ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND or ERROR_BAD_FORMAT.
extern "C" UINT WinExec(LPCSTR commandLine, UINT showCommand);
