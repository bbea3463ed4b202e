#include "host/settings_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/byte_order.h"
#include "host/atomic_file.h"
#include "win/text.h"

namespace tq::host {

namespace {

constexpr char kMagic[8] = {'T', 'Q', 'H', 'O', 'S', 'T', 'D', 'S'};
constexpr std::int32_t kFormatVersion = 1;
constexpr std::size_t kHeaderSize = 24;

std::string HostFolder() { return WindowsDirectory() + "/host"; }

bool MakeFolderOf(const std::string& path, std::string& error) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return true;
  const std::string folder = path.substr(0, slash);
  if (mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) return true;
  error = folder + ": cannot be created (" + std::strerror(errno) + ")";
  return false;
}

// The settings file is replaced by a rename, so a lock on the file itself
// would stay on the old one: writers lock a file of its own beside it.
class SettingsLock {
 public:
  bool Take(const std::string& settingsPath, std::string& error) {
    const std::string path = settingsPath + ".lock";
    if (!MakeFolderOf(path, error)) return false;
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ < 0) {
      error = path + ": cannot be opened (" + std::strerror(errno) + ")";
      return false;
    }
    while (flock(fd_, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      error = path + ": cannot be locked (" + std::strerror(errno) + ")";
      return false;
    }
    return true;
  }
  SettingsLock() = default;
  SettingsLock(const SettingsLock&) = delete;
  SettingsLock& operator=(const SettingsLock&) = delete;
  ~SettingsLock() {
    if (fd_ >= 0) close(fd_);  // releases the lock
  }

 private:
  int fd_ = -1;
};

}  // namespace

std::string SettingsPath(Model model) {
  return HostFolder() + "/document-settings-" + ModelLetter(model) + ".dat";
}

LoadResult LoadSettings(const std::string& path, Model model, const SettingsLayout& layout,
                        SettingsBlock& block, std::string& error) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 && errno == ENOENT) return LoadResult::Missing;
  std::string bytes;
  if (!ReadWholeFile(path, bytes, error)) return LoadResult::Refused;

  const auto refuse = [&](const std::string& why) {
    error = path + ": " + why + "; left as it is (move it away to start from the defaults)";
    return LoadResult::Refused;
  };
  const std::size_t magicPart = bytes.size() < sizeof kMagic ? bytes.size() : sizeof kMagic;
  if (std::memcmp(bytes.data(), kMagic, magicPart) != 0) return refuse("not a settings file of this host");
  if (bytes.size() < kHeaderSize) return refuse("truncated settings file");
  if (ReadInt32(bytes.data(), 8) != kFormatVersion) return refuse("settings file of another version");
  if (ReadInt32(bytes.data(), 12) != ModelLetter(model)) return refuse("settings file of another model");
  const std::int32_t size = ReadInt32(bytes.data(), 16);
  if (size < 0 || static_cast<std::size_t>(size) != layout.size) {
    return refuse("settings file of another layout (" + std::to_string(size) + " bytes of settings)");
  }
  if (bytes.size() != kHeaderSize + layout.size) {
    return refuse(bytes.size() < kHeaderSize + layout.size ? "truncated settings file"
                                                           : "settings file with extra bytes at its end");
  }
  SettingsBlock loaded(bytes.begin() + kHeaderSize, bytes.end());
  if (!MatchesLayout(loaded, layout)) return refuse("damaged settings file (its area offsets are wrong)");
  block = std::move(loaded);
  return LoadResult::Loaded;
}

bool SaveSettings(const std::string& path, Model model, const SettingsBlock& block, std::string& error) {
  if (!MakeFolderOf(path, error)) return false;
  std::string bytes(kHeaderSize, '\0');
  std::memcpy(bytes.data(), kMagic, sizeof kMagic);
  WriteInt32(bytes.data(), 8, kFormatVersion);
  WriteInt32(bytes.data(), 12, ModelLetter(model));
  WriteInt32(bytes.data(), 16, static_cast<std::int32_t>(block.size()));
  bytes.append(reinterpret_cast<const char*>(block.data()), block.size());
  return WriteFileAtomically(path, bytes, error, FileAccess::OwnerOnly);
}

bool CurrentSettings(Model model, const AddOnTable& table, const SettingsLayout& layout, SettingsBlock& block,
                     std::string& error) {
  switch (LoadSettings(SettingsPath(model), model, layout, block, error)) {
    case LoadResult::Loaded: return true;
    case LoadResult::Missing: block = NewSettings(table, layout); return true;
    case LoadResult::Refused: return false;
  }
  return false;
}

bool UpdateSettings(Model model, const AddOnTable& table, const SettingsLayout& layout, const SettingsChange& change,
                    SettingsBlock& updated, std::string& error) {
  const std::string path = SettingsPath(model);
  SettingsLock lock;
  if (!lock.Take(path, error)) return false;
  SettingsBlock settings;
  if (!CurrentSettings(model, table, layout, settings, error) || !change(settings, error) ||
      !SaveSettings(path, model, settings, error)) {
    return false;
  }
  updated = std::move(settings);
  return true;
}

}  // namespace tq::host
