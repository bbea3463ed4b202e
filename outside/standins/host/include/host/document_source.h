// The document of a print job, open for streaming: PCL XL as it stands, PDF
// and PostScript converted to PCL XL by Ghostscript first. The type is told
// by the document's first bytes, never by its name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "win/kernel.h"

namespace tq::host {

enum class DocumentType { PclXl, Pdf, PostScript, Text, Unknown };

DocumentType DetectDocumentType(std::string_view firstBytes);

// How a PDF, PostScript or text document becomes PCL XL.
struct Conversion {
  bool color = false;      // pxlcolor rather than pxlmono
  int dpiX = 600, dpiY = 600;
  int timeLimitSeconds = 300;  // a program that loops is stopped after this
  std::string pages;       // the pages to print ("2-3,7"); empty: all
  int numberUp = 1;        // pages on each sheet: 1, 2, 4, 6, 9 or 16
  bool fitToPage = false;  // each page scaled to fit the media (A4 when none is given)
  // The media the pages are laid on, in points (0: Ghostscript's default);
  // wider than high makes landscape pages.
  int mediaWidth = 0, mediaHeight = 0;
};

// A page list as the spooler writes one: ranges N, N-M, N- or -M between
// commas, pages counted from 1.
bool IsPageList(std::string_view pages);

// Why a document could not be opened: the document itself (it cannot be
// printed as given; sending it again will not help), or the system.
enum class DocumentProblem { None, Document, System };

// An open document: the page data is `size` bytes from the handle's
// current position. Closes its handle; a converted document's file is
// already gone from its folder.
class Document {
 public:
  Document() = default;
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Opens `path`, converting it when it is PDF, PostScript or text. False
  // with one line naming the document by `shownName` (a path of the
  // spooler's is no name for the user) and what is wrong: an unknown type
  // (with the types accepted), Ghostscript's first error line, a time-out.
  [[nodiscard]] bool Open(const std::string& path, const std::string& shownName, const Conversion& conversion,
                          std::string& error);
  DocumentProblem problem() const { return problem_; }

  HANDLE handle() const { return handle_; }
  std::uint64_t size() const { return size_; }

 private:
  [[nodiscard]] bool OpenRange(const std::string& path, std::uint64_t offset, std::uint64_t size, std::string& error);

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::uint64_t size_ = 0;
  DocumentProblem problem_ = DocumentProblem::None;
};

}  // namespace tq::host
