#include "csv_split.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "win/kernel.h"

namespace tq::import {

void SplitCsvLines(std::unique_ptr<char[]> text, std::size_t size, CsvFile& file) {
  file.bytes = std::move(text);
  file.size = size;
  file.lines.clear();
  char* data = file.bytes.get();
  file.lines.reserve(static_cast<std::size_t>(std::count(data, data + size, '\n')));
  std::size_t start = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != '\n') continue;
    std::size_t end = i;
    if (end > start && data[end - 1] == '\r') --end;
    file.lines.emplace_back(data + start, end - start);
    start = i + 1;
  }
  file.header = 0;
  while (file.header < file.lines.size() && file.lines[file.header].empty()) ++file.header;
}

int ReadCsvFile(std::u16string_view path, CsvFile& file) {
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
  bytes[total] = '\0';
  SplitCsvLines(std::move(bytes), total, file);
  return 0;
}

bool SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
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
      const void* comma = std::memchr(text + pos, ',', length - pos);
      const std::size_t end = comma ? static_cast<std::size_t>(static_cast<const char*>(comma) - text) : length;
      fields.emplace_back(text + pos, end - pos);
      next = end;
    }
    const void* comma = next < length ? std::memchr(text + next, ',', length - next) : nullptr;
    if (comma == nullptr) return true;
    pos = static_cast<std::size_t>(static_cast<const char*>(comma) - text) + 1;
  }
}

}  // namespace tq::import
