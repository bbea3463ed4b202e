// Which phonebook file is current: the list file AFD.INI in the Windows
// directory names it, DEFAULT.AFD there is the fallback.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/store_result.h"

namespace tq::phonebook {

inline constexpr std::size_t kMaxPathLength = 360;

// The plug-in's view of the current phonebook, passed to whoever needs it.
struct CurrentPhonebook {
  std::u16string path;           // the current phonebook path
  std::u16string temporaryPath;  // the path with ".TMP" for its last four characters
  bool unavailable = true;       // set when locating or validating failed
  std::u16string handoffDrive;   // the first three characters of the Windows directory
};

// The Windows directory ending in a backslash ("C:\" when it cannot be had).
std::u16string WindowsDirectoryWithSeparator();
std::u16string ListFilePath();
std::u16string DefaultPhonebookPath();

// The path the list file names: its bytes up to the line feed (a carriage
// return before it is dropped), among the first 362 bytes. None when the
// file cannot be opened or holds no line feed. Paths with spaces stay whole;
// a file written as path and line feed reads as it always did.
std::optional<std::u16string> ReadListFile();

// Current and temporary paths; rewrites the list file (in one step) with the
// ANSI path and a line feed. WriteFailed when the list file could not be
// written (the paths are set all the same).
StoreResult SetCurrentPhonebook(CurrentPhonebook& current, std::u16string_view path);

// Asked when an older phonebook is met; returns the path of the converted
// file, or none when the conversion was declined or failed.
using ConversionOffer =
    std::function<std::optional<std::u16string>(std::u16string_view oldPath, StoreResult version)>;

// Finds the current phonebook: the list file's file when it is a phonebook,
// else DEFAULT.AFD, created empty when missing or foreign. An older file is
// offered for conversion. A default phonebook that exists but cannot be
// opened (in use, read-only) is never replaced: locating fails. On failure
// the path names the default phonebook, the list file is left alone and the
// phonebook is marked unavailable.
bool LocateCurrentPhonebook(CurrentPhonebook& current, const ConversionOffer& offer);

// Paths compared as the file system of the Parts does: without case.
bool SamePath(std::u16string_view a, std::u16string_view b);

}  // namespace tq::phonebook
