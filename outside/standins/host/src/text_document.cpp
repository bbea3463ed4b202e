#include "host/text_document.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tq::host {

namespace {

constexpr int kColumns = 86;        // Courier 10 points between 36-point margins of A4
constexpr int kLinesPerPage = 64;   // 12-point lines
constexpr int kTabWidth = 8;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr char kProlog[] =
    "%!PS-Adobe-3.0\n"
    "%%Creator: Telequill\n"
    "%%DocumentMedia: A4 595 842 0 () ()\n"
    "%%EndComments\n"
    "/F /Courier findfont dup length dict begin {1 index /FID ne {def} {pop pop} ifelse} forall\n"
    "/Encoding ISOLatin1Encoding def currentdict end /Courier-Latin1 exch definefont 10 scalefont def\n"
    "/L { 36 exch moveto show } bind def\n"
    "<< /PageSize [595 842] >> setpagedevice\n";

// Gathers the lines of one page and writes them as PostScript.
class PageWriter {
 public:
  explicit PageWriter(std::FILE* out) : out_(out) {}
  void Character(unsigned char c) {
    if (column_ >= kColumns) EndLine();
    line_ += c;
    ++column_;
  }
  void EndLine() {
    if (row_ == kLinesPerPage) EndPage();
    if (row_ == 0) std::fprintf(out_, "F setfont\n");
    std::fputc('(', out_);
    for (unsigned char c : line_) {
      if (c == '(' || c == ')' || c == '\\') {
        std::fprintf(out_, "\\%c", c);
      } else if (c < 0x20 || c > 0x7E) {
        std::fprintf(out_, "\\%03o", c);
      } else {
        std::fputc(c, out_);
      }
    }
    std::fprintf(out_, ") %d L\n", 806 - 12 * row_);
    line_.clear();
    column_ = 0;
    ++row_;
  }
  void EndPage() {
    if (!line_.empty()) EndLine();
    std::fprintf(out_, "showpage\n");
    row_ = 0;
    ++pages_;
  }
  void Finish() {
    if (!line_.empty()) EndLine();
    if (row_ > 0 || pages_ == 0) EndPage();
  }
  int column() const { return column_; }

 private:
  std::FILE* out_;
  std::string line_;
  int column_ = 0;
  int row_ = 0;
  int pages_ = 0;
};

// The Latin-1 byte of a UTF-8 sequence starting with `lead`, reading the
// rest from `in`; '?' for a character past Latin-1, and `lead` itself
// (taken as Latin-1) when it starts no UTF-8 sequence.
unsigned char Latin1Of(unsigned char lead, std::FILE* in) {
  const int extra = lead >= 0xF0 && lead < 0xF8 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : 0;
  if (extra == 0) return lead;
  unsigned code = lead & (0x3F >> extra);
  for (int i = 0; i < extra; ++i) {
    const int next = std::fgetc(in);
    if (next == EOF || (next & 0xC0) != 0x80) {
      if (next != EOF) std::ungetc(next, in);
      return lead;
    }
    code = (code << 6) | (static_cast<unsigned>(next) & 0x3F);
  }
  return code <= 0xFF ? static_cast<unsigned char>(code) : '?';
}

}  // namespace

bool LooksLikeText(std::string_view first) {
  if (first.empty()) return false;
  for (const char c : first) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\f' && byte != '\r') return false;
    if (byte == 0x7F) return false;
  }
  return true;
}

bool WriteTextAsPostScript(const std::string& input, const std::string& output, std::string& error) {
  File in(std::fopen(input.c_str(), "rb"));
  File out(std::fopen(output.c_str(), "wb"));
  if (in == nullptr || out == nullptr) {
    error = (in == nullptr ? input : output) + ": cannot be opened (" + std::strerror(errno) + ")";
    return false;
  }
  std::fputs(kProlog, out.get());
  PageWriter pages(out.get());
  for (int c; (c = std::fgetc(in.get())) != EOF;) {
    switch (c) {
      case '\n': pages.EndLine(); break;
      case '\r': break;
      case '\f': pages.EndPage(); break;
      case '\t':
        do pages.Character(' ');
        while (pages.column() % kTabWidth != 0);
        break;
      default:
        if (c >= 0x20 && c != 0x7F) pages.Character(c >= 0x80 ? Latin1Of(static_cast<unsigned char>(c), in.get())
                                                               : static_cast<unsigned char>(c));
    }
  }
  pages.Finish();
  std::fputs("%%EOF\n", out.get());
  if (std::ferror(in.get()) || std::fflush(out.get()) != 0 || std::ferror(out.get())) {
    error = input + ": could not be turned into pages (" + std::strerror(errno) + ")";
    return false;
  }
  return true;
}

}  // namespace tq::host
