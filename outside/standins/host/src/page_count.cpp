#include "host/page_count.h"

#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

namespace tq::host {

namespace {

constexpr unsigned char kEscape = 0x1B;
constexpr unsigned char kBeginPage = 0x43;
constexpr std::string_view kEnterPclXl = "@PJL ENTER LANGUAGE=PCLXL";

// Reads a file from its start through one buffer.
class Reader {
 public:
  explicit Reader(int fd) : fd_(fd) {}
  bool Next(unsigned char& byte) {
    if (at_ == size_ && !Fill()) return false;
    byte = static_cast<unsigned char>(buffer_[at_++]);
    return true;
  }
  bool Skip(std::uint64_t count) {
    while (count > 0) {
      if (at_ == size_ && !Fill()) return false;
      const std::uint64_t here = std::min<std::uint64_t>(count, size_ - at_);
      at_ += static_cast<std::size_t>(here);
      count -= here;
    }
    return true;
  }
  // The next bytes as an unsigned number of `size` bytes, little-endian
  // unless the stream said otherwise.
  bool Number(int size, bool bigEndian, std::uint64_t& value) {
    value = 0;
    for (int i = 0; i < size; ++i) {
      unsigned char byte = 0;
      if (!Next(byte)) return false;
      value = bigEndian ? (value << 8) | byte : value | (static_cast<std::uint64_t>(byte) << (8 * i));
    }
    return true;
  }
  bool Line(std::string& line) {
    line.clear();
    for (unsigned char byte = 0; Next(byte);) {
      if (byte == '\n') return true;
      if (line.size() < 4096) line += static_cast<char>(byte);
    }
    return false;
  }

 private:
  bool Fill() {
    for (;;) {
      const ssize_t got = pread(fd_, buffer_, sizeof buffer_, static_cast<off_t>(offset_));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      offset_ += static_cast<std::uint64_t>(got);
      size_ = static_cast<std::size_t>(got);
      at_ = 0;
      return true;
    }
  }

  int fd_;
  char buffer_[1 << 16];
  std::uint64_t offset_ = 0;
  std::size_t size_ = 0, at_ = 0;
};

// Bytes of one element of a data type tag (ubyte, uint16, uint32, sint16,
// sint32, real32 by the tag's low bits); 0 for no data type.
int ElementSize(unsigned char tag) {
  constexpr int kSizes[] = {1, 2, 4, 2, 4, 4, 0, 0};
  if ((tag >= 0xC0 && tag <= 0xC5) || (tag >= 0xC8 && tag <= 0xCD) || (tag >= 0xD0 && tag <= 0xD5) ||
      (tag >= 0xE0 && tag <= 0xE5)) {
    return kSizes[tag & 0x07];
  }
  return 0;
}

bool IsWhiteSpace(unsigned char byte) { return byte == 0x00 || (byte >= 0x09 && byte <= 0x0D) || byte == 0x20; }

}  // namespace

int CountStreamPages(int fd) {
  Reader reader(fd);
  std::string line;
  // The PJL lines before the page data.
  for (;;) {
    if (!reader.Line(line)) return -1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= kEnterPclXl.size() && line.compare(line.size() - kEnterPclXl.size(), kEnterPclXl.size(),
                                                          kEnterPclXl) == 0) {
      break;
    }
  }
  // The stream header: ") HP-PCL XL;..." little-endian, "( HP-PCL XL;..." big-endian.
  if (!reader.Line(line) || line.size() < 2 || (line[0] != ')' && line[0] != '(') ||
      line.find("HP-PCL XL") == std::string::npos) {
    return -1;
  }
  const bool bigEndian = line[0] == '(';
  int pages = 0;
  for (unsigned char tag = 0; reader.Next(tag);) {
    if (tag == kEscape) return pages;
    if (IsWhiteSpace(tag)) continue;
    if (tag == kBeginPage) {
      ++pages;
      continue;
    }
    std::uint64_t value = 0;
    bool ok = true;
    if (const int size = ElementSize(tag); size > 0) {
      std::uint64_t count = 1;
      if (tag >= 0xC8 && tag <= 0xCD) {
        unsigned char lengthTag = 0;
        ok = reader.Next(lengthTag) && (lengthTag == 0xC0 || lengthTag == 0xC1) &&
             reader.Number(lengthTag == 0xC0 ? 1 : 2, bigEndian, count);
      } else if (tag >= 0xD0) {
        count = tag >= 0xE0 ? 4 : 2;
      }
      ok = ok && reader.Skip(count * static_cast<std::uint64_t>(size));
    } else if (tag == 0xF8 || tag == 0xF9) {  // attribute identifier
      ok = reader.Skip(tag == 0xF8 ? 1 : 2);
    } else if (tag == 0xFA || tag == 0xFB) {  // embedded data and its length
      ok = reader.Number(tag == 0xFA ? 4 : 1, bigEndian, value) && reader.Skip(value);
    } else if (tag < 0x41 || tag > 0xBF) {
      return -1;  // no PCL XL token starts with this byte
    }
    if (!ok) return -1;
  }
  return pages;
}

}  // namespace tq::host
