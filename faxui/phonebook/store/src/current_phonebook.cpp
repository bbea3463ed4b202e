#include "phonebook/current_phonebook.h"

#include "common/ansi_slots.h"
#include "phonebook/reading.h"
#include "phonebook/updates.h"
#include "phonebook_file.h"
#include "win/kernel.h"

namespace tq::phonebook {

namespace {

char16_t FoldPathChar(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c == u'\\') return u'/';
  return c;
}

bool IsOlderVersion(StoreResult result) {
  return result == StoreResult::Version0000 || result == StoreResult::Version1000;
}

// Writes the list file through a temporary file beside it, so that a failed
// write never leaves it empty.
StoreResult WriteListFile(std::string_view content) {
  return ReplaceThroughTemporary(ListFilePath(), [content](HANDLE out) {
    return WriteAll(out, content) ? StoreResult::Ok : StoreResult::WriteFailed;
  });
}

}  // namespace

std::u16string WindowsDirectoryWithSeparator() {
  char16_t buffer[kMaxPathLength + 1] = {};
  UINT length = GetWindowsDirectoryW(buffer, kMaxPathLength + 1);
  if (length == 0 || length > kMaxPathLength) return u"C:\\";
  std::u16string directory(buffer, length);
  // The directory keeps its own kind of separator: a native folder ends in
  // '/', a Windows-style one in a backslash.
  if (directory.back() != u'\\' && directory.back() != u'/') {
    directory.push_back(directory.front() == u'/' ? u'/' : u'\\');
  }
  return directory;
}

std::u16string ListFilePath() { return WindowsDirectoryWithSeparator() + u"AFD.INI"; }

std::u16string DefaultPhonebookPath() { return WindowsDirectoryWithSeparator() + u"DEFAULT.AFD"; }

std::optional<std::u16string> ReadListFile() {
  FileHandle file = OpenExclusive(ListFilePath());
  if (!file.valid()) return std::nullopt;
  // Room for the longest path this module writes (361 bytes) and its line feed.
  char bytes[kMaxPathLength + 2];
  std::size_t read = 0;
  if (!ReadFull(file.get(), bytes, sizeof bytes, read)) return std::nullopt;
  file.Close();
  std::string_view content(bytes, read);
  std::size_t end = content.find('\n');
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view path = content.substr(0, end);
  if (!path.empty() && path.back() == '\r') path.remove_suffix(1);
  if (path.empty()) return std::nullopt;
  return AnsiToWide(path, kMaxPathLength);
}

StoreResult SetCurrentPhonebook(CurrentPhonebook& current, std::u16string_view path) {
  current.path = std::u16string(path);
  current.temporaryPath = TemporaryPathFor(path);
  std::string content = WideToAnsi(path, kMaxPathLength + 1);
  content.push_back('\n');
  return WriteListFile(content);
}

bool SamePath(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldPathChar(a[i]) != FoldPathChar(b[i])) return false;
  }
  return true;
}

bool LocateCurrentPhonebook(CurrentPhonebook& current, const ConversionOffer& offer) {
  char16_t buffer[kMaxPathLength + 1] = {};
  UINT length = GetWindowsDirectoryW(buffer, kMaxPathLength + 1);
  current.handoffDrive = (length == 0 || length > kMaxPathLength) ? u"C:\\" : std::u16string(buffer, std::min<UINT>(length, 3));

  std::u16string defaultPath = DefaultPhonebookPath();
  std::optional<std::u16string> chosen;
  std::optional<std::u16string> declined;
  if (std::optional<std::u16string> listed = ReadListFile()) {
    StoreResult version = CheckVersion(*listed);
    if (version == StoreResult::Ok) {
      chosen = *listed;
    } else if (IsOlderVersion(version)) {
      chosen = offer ? offer(*listed, version) : std::nullopt;
      if (!chosen) declined = *listed;
    }
  }

  auto fail = [&] {
    current.path = defaultPath;
    current.temporaryPath = TemporaryPathFor(defaultPath);
    current.unavailable = true;
    return false;
  };

  if (!chosen) {
    if (declined && SamePath(*declined, defaultPath)) return fail();
    bool exists = FileExists(defaultPath);
    StoreResult version = exists ? CheckVersion(defaultPath) : StoreResult::CannotOpen;
    if (version == StoreResult::Ok) {
      chosen = defaultPath;
    } else if (IsOlderVersion(version)) {
      chosen = offer ? offer(defaultPath, version) : std::nullopt;
      if (!chosen) return fail();
    } else if (!exists || version == StoreResult::BadFormat) {
      SetNormalAttributes(defaultPath);
      if (CreateEmptyPhonebook(defaultPath) != StoreResult::Ok) return fail();
      chosen = defaultPath;
    } else {
      // It exists but cannot be opened (in use, or not ours to write): it
      // is never replaced by an empty one.
      return fail();
    }
  }
  SetCurrentPhonebook(current, *chosen);
  current.unavailable = false;
  return true;
}

}  // namespace tq::phonebook
