#include "import/csv_split.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "win/ansi_text.h"
#include "win/kernel.h"
#include "win/text.h"

namespace tq::import {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence at `text`, 0 when it is not a valid
// one (overlong forms, surrogates and values past U+10FFFF included).
std::size_t Utf8SequenceLength(const unsigned char* text, std::size_t left) {
  const unsigned char lead = text[0];
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (left < length || text[1] < low || text[1] > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((text[i] & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Valid UTF-8 with at least one character beyond ASCII: plain ASCII reads
// the same either way.
bool NeedsUtf8Conversion(const char* text, std::size_t size) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  bool beyondAscii = false;
  for (std::size_t i = 0; i < size;) {
    const std::size_t length = Utf8SequenceLength(bytes + i, size - i);
    if (length == 0) return false;
    beyondAscii = beyondAscii || length > 1;
    i += length;
  }
  return beyondAscii;
}

// The number of fields `separator` splits `line` into, quotes respected.
std::size_t FieldCount(std::string_view line, char separator) {
  std::size_t count = 1;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == separator && !quoted) {
      ++count;
    }
  }
  return count;
}

}  // namespace

bool Utf8ToAnsiInPlace(char* text, std::size_t size, std::size_t& newSize) {
  if (!NeedsUtf8Conversion(text, size)) return false;
  // Line by line, so the wide form of one line is all that is held; a
  // character's ANSI bytes never outnumber its UTF-8 bytes, so each line
  // is written at or before where it was read.
  std::size_t write = 0;
  for (std::size_t start = 0; start < size;) {
    const void* feed = std::memchr(text + start, '\n', size - start);
    const std::size_t end = feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - text) + 1 : size;
    const std::string ansi = WideToAnsi(Utf8ToUtf16(std::string_view(text + start, end - start)));
    std::memmove(text + write, ansi.data(), std::min(ansi.size(), end - start));
    write += std::min(ansi.size(), end - start);
    start = end;
  }
  newSize = write;
  return true;
}

char GuessSeparator(std::string_view line) {
  char best = ',';
  std::size_t most = FieldCount(line, ',');
  for (char separator : {';', '\t'}) {
    const std::size_t count = FieldCount(line, separator);
    if (count > most) {
      most = count;
      best = separator;
    }
  }
  return best;
}

void SplitCsvLines(std::unique_ptr<char[]> text, std::size_t size, CsvFile& file) {
  file.bytes = std::move(text);
  file.size = size;
  file.lines.clear();
  char* data = file.bytes.get();
  file.lines.reserve(static_cast<std::size_t>(std::count(data, data + size, '\n')));
  const char* const last = data + size;
  for (char* start = data; start < last;) {
    char* const feed = static_cast<char*>(std::memchr(start, '\n', static_cast<std::size_t>(last - start)));
    if (feed == nullptr) break;
    const char* end = feed;
    if (end > start && end[-1] == '\r') --end;
    file.lines.emplace_back(start, static_cast<std::size_t>(end - start));
    start = feed + 1;
  }
  file.header = 0;
  while (file.header < file.lines.size() && file.lines[file.header].empty()) ++file.header;
}

int ReadCsvFile(std::u16string_view path, CsvFile& file, CsvForm form) {
  const std::u16string name(path);
  HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return kCannotOpen;
  DWORD high = 0;
  const DWORD size = GetFileSize(handle, &high);
  if (size == INVALID_FILE_SIZE || high != 0) {
    CloseHandle(handle);
    return kNoSize;
  }
  std::unique_ptr<char[]> bytes(new (std::nothrow) char[static_cast<std::size_t>(size) + 1]);
  if (!bytes) {
    CloseHandle(handle);
    return kNoMemory;
  }
  DWORD total = 0;
  while (total < size) {
    DWORD got = 0;
    if (!ReadFile(handle, bytes.get() + total, size - total, &got, nullptr) || got == 0) break;
    total += got;
  }
  CloseHandle(handle);
  if (total == 0) return kNothingRead;
  std::size_t length = total;
  try {
    if (form == CsvForm::OfficeExport) {
      char* text = bytes.get();
      if (std::string_view(text, length).starts_with(kByteOrderMark)) {
        length -= kByteOrderMark.size();
        std::memmove(text, text + kByteOrderMark.size(), length);
      }
      Utf8ToAnsiInPlace(text, length, length);
    }
    bytes[length] = '\0';
    SplitCsvLines(std::move(bytes), length, file);
  } catch (const std::bad_alloc&) {
    file = CsvFile();
    return kNoMemory;
  }
  if (form == CsvForm::OfficeExport && file.header < file.lines.size()) {
    file.separator = GuessSeparator(file.lines[file.header]);
  }
  return 0;
}

bool SplitFields(std::string_view line, std::vector<std::string_view>& fields, char separator) {
  fields.clear();
  char* text = const_cast<char*>(line.data());
  const std::size_t length = line.size();
  std::size_t pos = 0;
  if (length == 0) return true;
  for (;;) {
    if (fields.size() == kMaxFields - 1) {
      fields.emplace_back(text + pos, length - pos);
      return true;
    }
    std::size_t next = 0;  // where the separator after this field is looked for
    if (pos < length && text[pos] == '"') {
      std::size_t write = pos;
      std::size_t read = pos + 1;
      for (;;) {
        if (read >= length) return false;
        if (text[read] == '"') {
          if (read + 1 < length && text[read + 1] == '"') {
            text[write++] = '"';
            read += 2;
            continue;
          }
          ++read;
          break;
        }
        text[write++] = text[read++];
      }
      fields.emplace_back(text + pos, write - pos);
      next = read;
    } else {
      const void* comma = std::memchr(text + pos, separator, length - pos);
      const std::size_t end = comma ? static_cast<std::size_t>(static_cast<const char*>(comma) - text) : length;
      fields.emplace_back(text + pos, end - pos);
      next = end;
    }
    const void* comma = next < length ? std::memchr(text + next, separator, length - next) : nullptr;
    if (comma == nullptr) return true;
    pos = static_cast<std::size_t>(static_cast<const char*>(comma) - text) + 1;
  }
}

}  // namespace tq::import
