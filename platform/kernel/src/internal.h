// Pieces shared by the kernel layer's own sources; not part of its interface.
#pragma once

#include <string>
#include <string_view>

#include "win/faults.h"
#include "win/kernel.h"

#include <sys/types.h>

namespace tq::kernel {

// Files and folders this layer creates hold phonebooks, settings, the
// registry and print output: private to the user, whatever the umask.
inline constexpr mode_t kNewFileMode = 0600;
inline constexpr mode_t kNewFolderMode = 0700;

// The Win32 error for an errno value of a file operation.
DWORD ErrorFromErrno(int error);
// Sets the last error from errno and returns FALSE, for the common failure path.
BOOL FailFromErrno(int error);
BOOL Fail(DWORD error);

// Converts a Win32 name to a native path; fails on a null name.
bool NativeName(LPCWSTR name, std::string& path);

// True when the fault seam says this operation must fail now.
bool FaultFires(FileFault kind);
// Runs the action RunBetweenNextOpenAndLock armed, if any.
void RunBetweenOpenAndLock();

// fsync of the folder that holds `path`, so that a rename in it is durable.
bool SyncParentFolder(const std::string& path);

// MoveFileExW with a choice of what is synced: Full syncs the source's data
// before the rename and the folder after it; SourceSynced only the folder
// (the caller has flushed the source); None nothing, for files a crash may
// lose (print output).
enum class MoveSync { Full, SourceSynced, None };
bool MoveFileSynced(LPCWSTR fromName, LPCWSTR toName, DWORD flags, MoveSync sync);

// The descriptor behind a file handle, or -1 with ERROR_INVALID_HANDLE.
int DescriptorOf(HANDLE handle);

// True while another handle holds the file with share mode 0.
bool HeldExclusively(const std::string& path);

// The character a code page may hold in place of `c` when it lacks it: the
// letter without its marks ("ź" is "z", "Ł" is "L"), the plain form of a
// full-width or typographic one; 0 when there is none.
char16_t BestFitOf(char16_t c);

}  // namespace tq::kernel
