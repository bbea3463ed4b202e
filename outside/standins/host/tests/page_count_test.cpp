// Counting the pages of a job stream: only BeginPage operators count, never
// the same byte inside a number, an attribute name, an array or embedded
// data, in either byte order; a stream that breaks off counts nothing.
#include <gtest/gtest.h>
#include <fcntl.h>

#include "host/page_count.h"
#include "testing/temp_root.h"
#include "win/unique_fd.h"

namespace tq::host {
namespace {

class PageCount : public tq::testing::TempRoot {
 protected:
  int Count(const std::string& stream) {
    tq::testing::WriteText(path("job.prn"), stream);
    const tq::UniqueFd fd(open(path("job.prn").c_str(), O_RDONLY | O_CLOEXEC));
    return CountStreamPages(fd.fd());
  }
};

const std::string kHeader = "\x1B%-12345X@PJL\r\n@PJL JOB NAME=\"C\"\r\n@PJL ENTER LANGUAGE=PCLXL\r\n";
const std::string kTrailer = "\x1B%-12345X@PJL\r\n@PJL EOJ NAME=\"CCC\"\r\n\x1B%-12345X";

TEST_F(PageCount, OnlyBeginPageOperatorsCount) {
  // 0x43 is BeginPage; here it also stands as a ubyte value, an attribute,
  // array elements and embedded bytes.
  const std::string page = std::string("\xC0\x43\xF8\x43\x43\x44", 6) + std::string("\xC8\xC0\x02\x43\x43", 5) +
                           std::string("\xFB\x03\x43\x43\x43", 5) + std::string("\xFA\x02\x00\x00\x00\x43\x43", 7) +
                           std::string("\xD1\x43\x43\x43\x43\x44", 6);
  EXPECT_EQ(Count(kHeader + ") HP-PCL XL;2;0\r\n" + page + page + page + kTrailer), 3);
  // Big-endian: the length of embedded data reads the other way.
  EXPECT_EQ(Count(kHeader + "( HP-PCL XL;2;0\r\n" + std::string("\x43\xFA\x00\x00\x00\x02\x43\x43\x44", 9) + kTrailer),
            1);
  EXPECT_EQ(Count(kHeader + ") HP-PCL XL;2;0\r\n" + kTrailer), 0);
  // Broken off inside embedded data, a byte no token starts with, no PCL XL.
  EXPECT_EQ(Count(kHeader + ") HP-PCL XL;2;0\r\n" + std::string("\x43\xFA\xFF\x00\x00\x00\x43", 7)), -1);
  EXPECT_EQ(Count(kHeader + ") HP-PCL XL;2;0\r\n" + std::string("\x43\x01", 2) + kTrailer), -1);
  EXPECT_EQ(Count(kHeader + "%PDF-1.4\n" + kTrailer), -1);
  EXPECT_EQ(Count("@PJL JOB\r\n"), -1);
}

}  // namespace
}  // namespace tq::host
