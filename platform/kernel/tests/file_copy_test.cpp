// Copying a run of one open file into another: from where each file stands,
// in chunks larger and smaller than a chunk, lazily or with early writing,
// and what a short source or a fault gives.
#include <string>

#include "testing/temp_root.h"
#include "win/faults.h"
#include "win/file_copy.h"
#include "win/kernel.h"
#include "win/text.h"

namespace {

using tq::testing::ReadText;
using tq::testing::WriteText;

class FileCopyTest : public tq::testing::TempRoot {
 protected:
  void TearDown() override {
    tq::ClearFileFaults();
    TempRoot::TearDown();
  }
  HANDLE Open(const std::string& file, DWORD disposition, DWORD access) const {
    return CreateFileW(tq::Utf8ToUtf16(path(file).string()).c_str(), access, 0, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  // Copies `count` bytes of "from" after its first `skip` into "to" after "head".
  DWORD Copy(DWORD skip, std::uint64_t count, tq::CopyWriteback writeback, std::uint64_t& copied) {
    HANDLE from = Open("from", OPEN_EXISTING, GENERIC_READ);
    HANDLE to = Open("to", CREATE_ALWAYS, GENERIC_WRITE);
    DWORD written = 0;
    WriteFile(to, "head", 4, &written, nullptr);
    SetFilePointer(from, static_cast<LONG>(skip), nullptr, FILE_BEGIN);
    const DWORD code = tq::CopyFileData(from, to, count, &copied, writeback);
    CloseHandle(from);
    CloseHandle(to);
    return code;
  }
};

TEST_F(FileCopyTest, CopiesTheRunBetweenTheCurrentPositions) {
  // More than one 8 MiB chunk, with a pattern that shows any misplaced byte.
  std::string source;
  for (std::size_t i = 0; source.size() < (17u << 20); ++i) source += std::to_string(i) + ',';
  WriteText(path("from"), source);
  for (const auto writeback : {tq::CopyWriteback::Lazy, tq::CopyWriteback::Early}) {
    std::uint64_t copied = 0;
    ASSERT_EQ(Copy(3, source.size() - 10, writeback, copied), ERROR_SUCCESS);
    EXPECT_EQ(copied, source.size() - 10);
    EXPECT_TRUE(ReadText(path("to")) == "head" + source.substr(3, source.size() - 10));
  }
}

TEST_F(FileCopyTest, ShortSourceSaysHowFarItGot) {
  WriteText(path("from"), "0123456789");
  std::uint64_t copied = 0;
  EXPECT_EQ(Copy(2, 100, tq::CopyWriteback::Early, copied), ERROR_HANDLE_EOF);
  EXPECT_EQ(copied, 8u);
  EXPECT_EQ(ReadText(path("to")), "head23456789");
}

TEST_F(FileCopyTest, WriteFaultIsAFullDisk) {
  WriteText(path("from"), "0123456789");
  tq::FailNthFileOperation(tq::FileFault::Write, 2);  // the first writes "head"
  std::uint64_t copied = 0;
  EXPECT_EQ(Copy(0, 10, tq::CopyWriteback::Lazy, copied), ERROR_DISK_FULL);
  EXPECT_EQ(copied, 0u);
}

}  // namespace
