// The document of a print job, open for streaming: PCL XL as it stands, PDF
// and PostScript converted to PCL XL by Ghostscript first. The type is told
// by the document's first bytes, never by its name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "win/kernel.h"

namespace tq::host {

enum class DocumentType { PclXl, Pdf, PostScript, Unknown };

DocumentType DetectDocumentType(std::string_view firstBytes);

// How a PDF or PostScript document becomes PCL XL.
struct Conversion {
  bool color = false;      // pxlcolor rather than pxlmono
  int dpiX = 600, dpiY = 600;
  int timeLimitSeconds = 300;  // a program that loops is stopped after this
  // The media the pages are laid on, in points (0: Ghostscript's default);
  // wider than high makes landscape pages.
  int mediaWidth = 0, mediaHeight = 0;
};

// An open document: the page data is `size` bytes from the handle's
// current position. Closes its handle; a converted document's file is
// already gone from its folder.
class Document {
 public:
  Document() = default;
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Opens `path`, converting it when it is PDF or PostScript. False with
  // one line naming the document and what is wrong: an unknown type (with
  // the types accepted), Ghostscript's first error line, a time-out.
  [[nodiscard]] bool Open(const std::string& path, const Conversion& conversion, std::string& error);

  HANDLE handle() const { return handle_; }
  std::uint64_t size() const { return size_; }

 private:
  [[nodiscard]] bool OpenRange(const std::string& path, std::uint64_t offset, std::uint64_t size, std::string& error);

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::uint64_t size_ = 0;
};

}  // namespace tq::host
