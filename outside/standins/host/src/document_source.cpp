#include "host/document_source.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "host/ghostscript.h"
#include "host/text_document.h"
#include "win/environment.h"
#include "win/text.h"

namespace tq::host {

namespace {

constexpr std::size_t kHeadSize = 4096;
constexpr std::size_t kTailSize = 16;

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

HANDLE OpenForReading(const std::string& path) {
  return CreateFileW(Utf8ToUtf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::uint64_t SizeOf(HANDLE file) {
  DWORD high = 0;
  const DWORD low = GetFileSize(file, &high);
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

bool Seek(HANDLE file, std::uint64_t offset) {
  LONG high = static_cast<LONG>(offset >> 32);
  const DWORD low = SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
  return !(low == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS);
}

// Up to `size` bytes at `offset`.
std::string ReadAt(HANDLE file, std::uint64_t offset, std::size_t size) {
  std::string bytes(size, '\0');
  DWORD got = 0;
  if (!Seek(file, offset) || !ReadFile(file, bytes.data(), static_cast<DWORD>(size), &got, nullptr)) got = 0;
  bytes.resize(got);
  return bytes;
}

// A private file for Ghostscript's output, in the user's temporary folder.
std::string NewPrivateFile() {
  std::string path = EnvironmentValue("TMPDIR").value_or("/tmp") + "/telequill-XXXXXX";
  const int fd = mkstemp(path.data());  // mode 0600
  if (fd < 0) return {};
  close(fd);
  return path;
}

// A message about the file `path` made to name it as the user knows it.
std::string ShownAs(std::string message, const std::string& path, const std::string& shownName) {
  for (auto at = message.find(path); at != std::string::npos; at = message.find(path, at + shownName.size())) {
    message.replace(at, path.size(), shownName);
  }
  return message;
}

}  // namespace

DocumentType DetectDocumentType(std::string_view first) {
  if (StartsWith(first, ") HP-PCL XL") || StartsWith(first, "( HP-PCL XL")) return DocumentType::PclXl;
  // PCL XL as drivers write it, inside the PJL lines that select it.
  if (StartsWith(first, "\x1B%-12345X") &&
      (first.find(") HP-PCL XL") != std::string_view::npos || first.find("( HP-PCL XL") != std::string_view::npos)) {
    return DocumentType::PclXl;
  }
  if (StartsWith(first, "%PDF-")) return DocumentType::Pdf;
  if (StartsWith(first, "%!") || StartsWith(first, "\x04%!") || StartsWith(first, "\xC5\xD0\xD3\xC6")) {
    return DocumentType::PostScript;
  }
  if (LooksLikeText(first)) return DocumentType::Text;
  return DocumentType::Unknown;
}

Document::~Document() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

bool Document::OpenRange(const std::string& path, std::uint64_t offset, std::uint64_t size, std::string& error) {
  handle_ = OpenForReading(path);
  if (handle_ == INVALID_HANDLE_VALUE || !Seek(handle_, offset)) {
    error = path + ": cannot be read";
    return false;
  }
  size_ = size;
  return true;
}

bool Document::Open(const std::string& path, const std::string& shownName, const Conversion& conversion,
                    std::string& error) {
  problem_ = DocumentProblem::Document;
  HANDLE file = OpenForReading(path);
  if (file == INVALID_HANDLE_VALUE) {
    error = shownName + ": cannot be read (" +
            (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND ? "no such file"
             : GetLastError() == ERROR_ACCESS_DENIED                                          ? "access denied"
                                                                                               : "not a readable file") +
            ")";
    return false;
  }
  const std::uint64_t size = SizeOf(file);
  const std::string head = ReadAt(file, 0, kHeadSize);
  const std::string tail = size > kTailSize ? ReadAt(file, size - kTailSize, kTailSize) : head;
  CloseHandle(file);

  const DocumentType type = DetectDocumentType(head);
  switch (type) {
    case DocumentType::PclXl: {
      PageDataRange range;
      if (!FindPageData(head, tail, size, range)) range = {0, size};
      if (!OpenRange(path, range.offset, range.size, error)) {
        problem_ = DocumentProblem::System;
        return false;
      }
      problem_ = DocumentProblem::None;
      return true;
    }
    case DocumentType::Pdf:
    case DocumentType::PostScript:
    case DocumentType::Text: break;
    case DocumentType::Unknown:
      error = shownName + ": not a document that can be printed; give a PDF, PostScript, text or PCL XL file";
      return false;
  }

  // Text becomes a PostScript program first, in a private file of its own.
  std::string input = path;
  std::string program;
  if (type == DocumentType::Text) {
    program = NewPrivateFile();
    if (program.empty() || !WriteTextAsPostScript(path, program, error)) {
      if (!program.empty()) unlink(program.c_str());
      error = shownName + ": no room to turn the text into pages (" + std::strerror(errno) + ")";
      problem_ = DocumentProblem::System;
      return false;
    }
    input = program;
  }
  const std::string converted = NewPrivateFile();
  if (converted.empty()) {
    error = shownName + ": no room for its conversion (" + std::strerror(errno) + ")";
    problem_ = DocumentProblem::System;
    if (!program.empty()) unlink(program.c_str());
    return false;
  }
  bool ok = false;
  switch (ConvertWithGhostscript(input, converted, conversion, error)) {
    case ConversionResult::Done: ok = true; break;
    case ConversionResult::Refused: break;
    case ConversionResult::NotStarted: problem_ = DocumentProblem::System; break;
  }
  if (!program.empty()) unlink(program.c_str());
  if (!ok) error = ShownAs(error, input, shownName);
  if (ok) {
    HANDLE output = OpenForReading(converted);
    const std::uint64_t outputSize = output == INVALID_HANDLE_VALUE ? 0 : SizeOf(output);
    const std::string outputHead = output == INVALID_HANDLE_VALUE ? std::string() : ReadAt(output, 0, kHeadSize);
    const std::string outputTail =
        outputSize > kTailSize ? ReadAt(output, outputSize - kTailSize, kTailSize) : outputHead;
    if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
    PageDataRange range;
    if (!FindPageData(outputHead, outputTail, outputSize, range)) {
      error = shownName + ": Ghostscript made no pages of it" + (conversion.pages.empty() ? "" : " (pages " +
                                                                 conversion.pages + ")");
      ok = false;
    } else {
      ok = OpenRange(converted, range.offset, range.size, error);
      if (!ok) problem_ = DocumentProblem::System;
    }
  }
  // The open handle keeps the converted bytes; nothing is left behind.
  unlink(converted.c_str());
  if (ok) problem_ = DocumentProblem::None;
  return ok;
}

bool IsPageList(std::string_view pages) {
  if (pages.empty() || pages.size() > 1024) return false;
  std::size_t start = 0;
  while (start <= pages.size()) {
    std::size_t end = pages.find(',', start);
    if (end == std::string_view::npos) end = pages.size();
    const std::string_view range = pages.substr(start, end - start);
    const auto dash = range.find('-');
    const std::string_view first = range.substr(0, dash);
    const std::string_view last = dash == std::string_view::npos ? std::string_view() : range.substr(dash + 1);
    const auto number = [](std::string_view digits) {
      if (digits.empty() || digits.size() > 9 || digits.front() == '0') return false;
      for (char c : digits) {
        if (c < '0' || c > '9') return false;
      }
      return true;
    };
    if (dash == std::string_view::npos ? !number(first)
                                       : (first.empty() && last.empty()) || (!first.empty() && !number(first)) ||
                                             (!last.empty() && !number(last))) {
      return false;
    }
    if (!first.empty() && !last.empty() && std::stoul(std::string(first)) > std::stoul(std::string(last))) return false;
    start = end + 1;
    if (end == pages.size()) break;
  }
  return true;
}

}  // namespace tq::host
