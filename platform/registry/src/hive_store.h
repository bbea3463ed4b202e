// Hive files on disk: $TELEQUILL_ROOT/registry/<hive>.reg, re-read on every
// call so that changes of other processes are seen, and replaced atomically
// on every change.
#pragma once

#include <functional>

#include "hive.h"

namespace tq::registry {

enum class HiveId { ClassesRoot, CurrentUser, LocalMachine, Users };

// Reads the hive; a missing file is an empty hive, a malformed one
// ERROR_BADDB.
DWORD LoadHive(HiveId id, Hive& hive);

// Loads the hive under an exclusive lock, lets `change` edit it, and writes
// it back when `change` returns ERROR_SUCCESS and says it changed something.
DWORD ChangeHive(HiveId id, const std::function<DWORD(Hive&, bool& changed)>& change);

// Runs `work` while holding the exclusive lock file `lockName` in the
// Windows directory's registry folder (or the folder itself for win.ini).
DWORD WithLock(const std::string& lockPath, const std::function<DWORD()>& work);

}  // namespace tq::registry
