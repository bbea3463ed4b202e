// Reading a whole file the system depends on (settings, registry, profile,
// scripts, monitor records) without trusting what lies at its name: a FIFO
// or device is refused without waiting on it, and a file larger than its
// kind ever is is refused before a byte of it is read.
#pragma once

#include <cstddef>
#include <string>

#include "win/kernel.h"

namespace tq {

// Reads the regular file at the native path into `bytes`. Returns
// ERROR_SUCCESS; ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND when it is
// missing; ERROR_BAD_FILE_TYPE when it is not a regular file;
// ERROR_FILE_TOO_LARGE when it holds more than maxBytes; another file error
// when it cannot be read.
DWORD ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

}  // namespace tq
