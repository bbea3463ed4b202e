// Holding a phonebook open without sharing, as another program would.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "win/kernel.h"
#include "win/text.h"

namespace tq::phonebook::test {

// Opens the file exclusively in this process, through a second handle.
class LocalHolder {
 public:
  explicit LocalHolder(const std::filesystem::path& file) {
    std::u16string name = Utf8ToUtf16(file.string());
    handle_ = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  ~LocalHolder() {
    if (held()) CloseHandle(handle_);
  }
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// Opens the file exclusively in a child process, which keeps it until this
// object goes (it waits on a pipe, so it never outlives the test).
class ChildHolder {
 public:
  explicit ChildHolder(const std::filesystem::path& file) {
    int ready[2];
    int release[2];
    if (pipe(ready) != 0 || pipe(release) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(ready[0]);
      close(release[1]);
      std::u16string name = Utf8ToUtf16(file.string());
      HANDLE h = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
      char answer = h != INVALID_HANDLE_VALUE ? 'y' : 'n';
      (void)!write(ready[1], &answer, 1);
      char ignored;
      (void)!read(release[0], &ignored, 1);
      _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    release_ = release[1];
    char answer = 'n';
    held_ = read(ready[0], &answer, 1) == 1 && answer == 'y';
    close(ready[0]);
  }
  ~ChildHolder() {
    if (release_ >= 0) close(release_);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
  }
  bool held() const { return held_; }

 private:
  pid_t pid_ = -1;
  int release_ = -1;
  bool held_ = false;
};

}  // namespace tq::phonebook::test
