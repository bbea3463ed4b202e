#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "testing/temp_root.h"
#include "win/faults.h"
#include "win/file_read.h"
#include "win/file_replace.h"
#include "win/kernel.h"
#include "win/text.h"
#include "win/unique_fd.h"

namespace {

using tq::testing::ReadText;
using tq::testing::WriteText;

class FilesTest : public tq::testing::TempRoot {
 protected:
  void TearDown() override {
    tq::ClearFileFaults();
    TempRoot::TearDown();
  }
  std::u16string Name(const std::string& file) const { return tq::Utf8ToUtf16(path(file).string()); }
  HANDLE Open(const std::string& file, DWORD disposition, DWORD share = 0,
              DWORD access = GENERIC_READ | GENERIC_WRITE) const {
    return CreateFileW(Name(file).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
};

// Each descriptor is closed once, by its last owner, and never after it
// was given up.
TEST(UniqueFdTest, ClosesWhatItOwnsOnce) {
  const auto open = [] { return ::open("/dev/null", O_RDONLY | O_CLOEXEC); };
  const auto isOpen = [](int fd) { return fcntl(fd, F_GETFD) != -1; };
  int first = -1, second = -1, kept = -1;
  {
    tq::UniqueFd a(open());
    first = a.fd();
    tq::UniqueFd b(std::move(a));
    EXPECT_FALSE(a.valid());
    EXPECT_EQ(b.fd(), first);
    tq::UniqueFd c(open());
    second = c.fd();
    c = std::move(b);  // c's own descriptor closes, b's moves in
    EXPECT_FALSE(isOpen(second));
    EXPECT_TRUE(isOpen(first));
    tq::UniqueFd d(open());
    kept = d.Release();
    d.Reset(kept);
    d.Reset(kept);  // the same descriptor again is no change
    EXPECT_TRUE(isOpen(kept));
    kept = d.Release();
  }
  EXPECT_FALSE(isOpen(first));
  EXPECT_TRUE(isOpen(kept));
  close(kept);
}

TEST_F(FilesTest, ExclusiveOpenRefusesSecondOpenerUntilClosed) {
  HANDLE first = Open("book.afd", CREATE_NEW);
  ASSERT_NE(first, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open("book.afd", OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(Open("book.afd", OPEN_EXISTING, FILE_SHARE_READ, GENERIC_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);

  // Another process is refused as well.
  std::u16string name = Name("book.afd");
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    HANDLE second = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    _exit(second == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  ASSERT_TRUE(CloseHandle(first));
  HANDLE again = Open("book.afd", OPEN_EXISTING);
  ASSERT_NE(again, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(CloseHandle(again));
}

TEST_F(FilesTest, RefusedCreateAlwaysDoesNotTruncateTheHeldFile) {
  WriteText(path("held.txt"), "keep me");
  HANDLE holder = Open("held.txt", OPEN_EXISTING);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open("held.txt", CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  CloseHandle(holder);
  EXPECT_EQ(ReadText(path("held.txt")), "keep me");
}

TEST_F(FilesTest, SharedOpenersCoexist) {
  WriteText(path("shared.txt"), "x");
  HANDLE a = Open("shared.txt", OPEN_EXISTING, FILE_SHARE_READ, GENERIC_READ);
  HANDLE b = Open("shared.txt", OPEN_EXISTING, FILE_SHARE_READ, GENERIC_READ);
  EXPECT_NE(a, INVALID_HANDLE_VALUE);
  EXPECT_NE(b, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open("shared.txt", OPEN_EXISTING), INVALID_HANDLE_VALUE);
  CloseHandle(a);
  CloseHandle(b);
}

TEST_F(FilesTest, Dispositions) {
  EXPECT_EQ(Open("none", OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open("none", TRUNCATE_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open("missing/none", CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

  WriteText(path("f"), "abc");
  EXPECT_EQ(Open("f", CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);

  HANDLE h = Open("f", OPEN_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(GetFileSize(h, nullptr), 3u);
  CloseHandle(h);

  h = Open("f", CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(GetFileSize(h, nullptr), 0u);
  CloseHandle(h);

  h = Open("g", OPEN_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  CloseHandle(h);
  EXPECT_EQ(Open("f", 0), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(FilesTest, ReadWriteSeekTruncate) {
  HANDLE h = Open("data", CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD done = 0;
  ASSERT_TRUE(WriteFile(h, "0123456789", 10, &done, nullptr));
  EXPECT_EQ(done, 10u);
  EXPECT_EQ(SetFilePointer(h, -4, nullptr, FILE_END), 6u);
  char buffer[16] = {};
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &done, nullptr));
  EXPECT_EQ(done, 4u);
  EXPECT_EQ(std::string(buffer, done), "6789");
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &done, nullptr));
  EXPECT_EQ(done, 0u);  // end of file is success with nothing read
  EXPECT_EQ(SetFilePointer(h, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
  EXPECT_EQ(SetFilePointer(h, 3, nullptr, FILE_BEGIN), 3u);
  ASSERT_TRUE(SetEndOfFile(h));
  EXPECT_EQ(GetFileSize(h, nullptr), 3u);
  EXPECT_TRUE(FlushFileBuffers(h));
  CloseHandle(h);
  EXPECT_EQ(ReadText(path("data")), "012");

  h = Open("data", OPEN_EXISTING, FILE_SHARE_READ, GENERIC_READ);
  EXPECT_FALSE(WriteFile(h, "x", 1, &done, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  CloseHandle(h);
  EXPECT_EQ(ReadText(path("data")), "012");

  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(WriteFile(h, "x", 1, &done, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(FilesTest, FaultSeamFailsTheNthOperationOnce) {
  HANDLE h = Open("faulty", CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD done = 0;
  tq::FailNthFileOperation(tq::FileFault::Write, 2);
  EXPECT_TRUE(WriteFile(h, "a", 1, &done, nullptr));
  EXPECT_FALSE(WriteFile(h, "b", 1, &done, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
  EXPECT_EQ(done, 0u);
  EXPECT_TRUE(WriteFile(h, "c", 1, &done, nullptr));
  tq::FailNthFileOperation(tq::FileFault::Flush, 1);
  EXPECT_FALSE(FlushFileBuffers(h));
  EXPECT_TRUE(FlushFileBuffers(h));
  CloseHandle(h);
  EXPECT_EQ(ReadText(path("faulty")), "ac");

  WriteText(path("target"), "old");
  tq::FailNthFileOperation(tq::FileFault::Rename, 1);
  EXPECT_NE(tq::ReplaceFileContents(Name("target"), "new"), ERROR_SUCCESS);
  EXPECT_EQ(ReadText(path("target")), "old");
  tq::FailNthFileOperation(tq::FileFault::Write, 1);
  EXPECT_EQ(tq::ReplaceFileContents(Name("target"), "new"), ERROR_DISK_FULL);
  EXPECT_EQ(ReadText(path("target")), "old");
  EXPECT_EQ(tq::ReplaceFileContents(Name("target"), "new"), ERROR_SUCCESS);
  EXPECT_EQ(ReadText(path("target")), "new");
  // No temporary files are left behind.
  int files = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(root())) ++files;
  EXPECT_EQ(files, 2);
}

TEST_F(FilesTest, StreamedReplacementWritesInPiecesOrLeavesTheOldFile) {
  WriteText(path("out.prn"), "old");
  auto pieces = [](HANDLE file) { return tq::WriteAllBytes(file, "first ") && tq::WriteAllBytes(file, "second"); };
  EXPECT_EQ(tq::ReplaceFileWith(Name("out.prn"), pieces), ERROR_SUCCESS);
  EXPECT_EQ(ReadText(path("out.prn")), "first second");

  // A writer that gives up, with or without an error of its own.
  auto givesUp = [](HANDLE file) { return tq::WriteAllBytes(file, "partial") && false; };
  EXPECT_EQ(tq::ReplaceFileWith(Name("out.prn"), givesUp), ERROR_CANCELLED);
  tq::FailNthFileOperation(tq::FileFault::Write, 2);
  EXPECT_EQ(tq::ReplaceFileWith(Name("out.prn"), pieces), ERROR_DISK_FULL);
  EXPECT_EQ(ReadText(path("out.prn")), "first second");
  int files = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(root())) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(FilesTest, ReplacementIsPrivateUnlessSharedAndUsesATemporaryOfItsOwn) {
  const mode_t umaskBefore = umask(0);  // the widest: nothing is taken away
  EXPECT_EQ(tq::ReplaceFileContents(Name("private.dat"), "secret"), ERROR_SUCCESS);
  EXPECT_EQ(tq::ReplaceFileContents(Name("shared.dat"), "open", {.ownerOnly = false}), ERROR_SUCCESS);
  HANDLE created = Open("created.dat", CREATE_NEW);
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  CloseHandle(created);
  ASSERT_TRUE(CreateDirectoryW(Name("folder").c_str(), nullptr));
  umask(umaskBefore);
  struct stat info {};
  for (const char* name : {"private.dat", "created.dat"}) {
    ASSERT_EQ(stat(path(name).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << name;
  }
  ASSERT_EQ(stat(path("shared.dat").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
  ASSERT_EQ(stat(path("folder").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  // Temporaries killed writers left are removed by the next write in their
  // folder, those of another file too; a running writer's stays.
  pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  const std::string dead = "BOOK.AFD.tmp-" + std::to_string(gone) + "-0";
  const std::string alive = "BOOK.AFD.tmp-" + std::to_string(getppid()) + "-3";
  const std::string other = "BOOK.afd.tmp-" + std::to_string(gone) + "-0";
  for (const std::string& name : {dead, alive, other}) WriteText(path(name), "leftover");
  EXPECT_EQ(tq::ReplaceFileContents(Name("BOOK.AFD"), "book"), ERROR_SUCCESS);
  EXPECT_EQ(ReadText(path("BOOK.AFD")), "book");
  EXPECT_FALSE(std::filesystem::exists(path(dead)));
  EXPECT_TRUE(std::filesystem::exists(path(alive)));
  EXPECT_FALSE(std::filesystem::exists(path(other)));
  EXPECT_EQ(tq::DescribeFileError(ERROR_DISK_FULL), "disk full");
}

TEST_F(FilesTest, TemporariesOfNamesDifferingInCaseAreApart) {
  // Each writer sees only its own temporary while it writes.
  std::string seenLower;
  std::string seenUpper;
  auto names = [&]() {
    std::string all;
    for (const auto& entry : std::filesystem::directory_iterator(root())) all += entry.path().filename().string() + " ";
    return all;
  };
  EXPECT_EQ(tq::ReplaceFileWith(Name("pb.afd"), [&](HANDLE file) {
              seenLower = names();
              return tq::ReplaceFileWith(Name("pb.AFD"), [&](HANDLE inner) {
                       seenUpper = names();
                       return tq::WriteAllBytes(inner, "upper");
                     }) == ERROR_SUCCESS &&
                     tq::WriteAllBytes(file, "lower");
            }),
            ERROR_SUCCESS);
  EXPECT_EQ(ReadText(path("pb.afd")), "lower");
  EXPECT_EQ(ReadText(path("pb.AFD")), "upper");
  EXPECT_NE(seenLower.find("pb.afd.tmp-"), std::string::npos) << seenLower;
  EXPECT_NE(seenUpper.find("pb.AFD.tmp-"), std::string::npos) << seenUpper;
  int files = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(root())) ++files;
  EXPECT_EQ(files, 2);
}

TEST_F(FilesTest, FifosAndOversizedFilesAreRefusedWithoutWaiting) {
  ASSERT_EQ(mkfifo(path("fifo").c_str(), 0600), 0);
  // Reading: refused at once rather than waiting for a writer that never comes.
  EXPECT_EQ(Open("fifo", OPEN_EXISTING, FILE_SHARE_READ, GENERIC_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  std::string bytes = "stale";
  EXPECT_EQ(tq::ReadRegularFile(path("fifo").string(), 100, bytes), static_cast<DWORD>(ERROR_BAD_FILE_TYPE));
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(tq::ReadRegularFile("/dev/zero", 100, bytes), static_cast<DWORD>(ERROR_BAD_FILE_TYPE));

  // A sparse gigabyte is refused by its size, before any of it is read.
  {
    std::FILE* big = std::fopen(path("big").c_str(), "w");
    ASSERT_NE(big, nullptr);
    ASSERT_EQ(ftruncate(fileno(big), 1L << 30), 0);
    std::fclose(big);
  }
  EXPECT_EQ(tq::ReadRegularFile(path("big").string(), 1 << 20, bytes), static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
  WriteText(path("small"), "12345");
  EXPECT_EQ(tq::ReadRegularFile(path("small").string(), 5, bytes), ERROR_SUCCESS);
  EXPECT_EQ(bytes, "12345");
  EXPECT_EQ(tq::ReadRegularFile(path("small").string(), 4, bytes), static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
  EXPECT_EQ(tq::ReadRegularFile(path("missing").string(), 4, bytes), ERROR_FILE_NOT_FOUND);
}

TEST_F(FilesTest, FullDiskIsReportedAsSuch) {
  HANDLE full = CreateFileW(u"/dev/full", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (full == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no /dev/full here";
  DWORD done = 7;
  EXPECT_FALSE(WriteFile(full, "data", 4, &done, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
  EXPECT_EQ(done, 0u);
  CloseHandle(full);
}

TEST_F(FilesTest, MoveReplacesAtomicallyAndRefusesWithoutTheFlag) {
  WriteText(path("new.tmp"), "new contents");
  WriteText(path("book.afd"), "old contents");
  EXPECT_FALSE(MoveFileExW(Name("new.tmp").c_str(), Name("book.afd").c_str(), 0));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(ReadText(path("book.afd")), "old contents");

  // Replacing works while the old file is still held, and the holder keeps
  // reading the old contents.
  HANDLE holder = Open("book.afd", OPEN_EXISTING);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(MoveFileExW(Name("new.tmp").c_str(), Name("book.afd").c_str(), MOVEFILE_REPLACE_EXISTING));
  char old[3] = {};
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(holder, old, 3, &read, nullptr));
  EXPECT_EQ(std::string(old, read), "old");
  CloseHandle(holder);
  EXPECT_EQ(ReadText(path("book.afd")), "new contents");
  EXPECT_FALSE(std::filesystem::exists(path("new.tmp")));
  EXPECT_FALSE(MoveFileExW(Name("new.tmp").c_str(), Name("other").c_str(), 0));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FilesTest, BackslashesAreSeparators) {
  ASSERT_TRUE(CreateDirectoryW(Name("sub").c_str(), nullptr));
  EXPECT_FALSE(CreateDirectoryW(Name("sub").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  std::u16string windowsName = Name("") + u"sub\\file.txt";
  HANDLE h = CreateFileW(windowsName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(std::filesystem::exists(path("sub/file.txt")));
  EXPECT_EQ(GetFileAttributesW(Name("sub").c_str()), FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(FilesTest, ReadOnlyIsTheOwnersWriteBit) {
  WriteText(path("ro"), "data");
  EXPECT_EQ(GetFileAttributesW(Name("ro").c_str()), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(SetFileAttributesW(Name("ro").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(GetFileAttributesW(Name("ro").c_str()), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(std::filesystem::status(path("ro")).permissions() & std::filesystem::perms::owner_write,
            std::filesystem::perms::none);
  // Refused for writing and deleting, even when the tests run as root.
  EXPECT_EQ(Open("ro", OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(DeleteFileW(Name("ro").c_str()));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  HANDLE reader = Open("ro", OPEN_EXISTING, 0, GENERIC_READ);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  CloseHandle(reader);

  ASSERT_TRUE(SetFileAttributesW(Name("ro").c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(DeleteFileW(Name("ro").c_str()));
  EXPECT_EQ(GetFileAttributesW(Name("ro").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(DeleteFileW(Name("ro").c_str()));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FilesTest, CopyFile) {
  WriteText(path("a"), "payload");
  WriteText(path("b"), "existing");
  EXPECT_FALSE(CopyFileW(Name("a").c_str(), Name("b").c_str(), TRUE));
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  EXPECT_EQ(ReadText(path("b")), "existing");

  tq::FailNthFileOperation(tq::FileFault::Flush, 1);
  EXPECT_FALSE(CopyFileW(Name("a").c_str(), Name("b").c_str(), FALSE));
  EXPECT_EQ(ReadText(path("b")), "existing");

  HANDLE holder = Open("a", OPEN_EXISTING);
  EXPECT_FALSE(CopyFileW(Name("a").c_str(), Name("b").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  CloseHandle(holder);

  ASSERT_TRUE(CopyFileW(Name("a").c_str(), Name("b").c_str(), FALSE));
  EXPECT_EQ(ReadText(path("b")), "payload");
  EXPECT_FALSE(CopyFileW(Name("none").c_str(), Name("c").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  int files = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(root())) ++files;
  EXPECT_EQ(files, 2);
}

TEST_F(FilesTest, NullAndEmptyNames) {
  EXPECT_EQ(CreateFileW(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(CreateFileW(u"", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Open("", OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);  // the folder itself
}

}  // namespace
