#include "phonebook_file.h"

#include <cstring>
#include <new>

#include "phonebook/updates.h"

namespace tq::phonebook {

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    other.handle_ = INVALID_HANDLE_VALUE;
  }
  return *this;
}

void FileHandle::Close() {
  if (valid()) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

FileHandle OpenExclusive(std::u16string_view path) {
  std::u16string name = Terminated(path);
  return FileHandle(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle CreateExclusive(std::u16string_view path) {
  std::u16string name = Terminated(path);
  return FileHandle(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void SetNormalAttributes(std::u16string_view path) {
  std::u16string name = Terminated(path);
  SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
}

bool FileExists(std::u16string_view path) {
  std::u16string name = Terminated(path);
  return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::uint64_t> SizeOf(HANDLE file) {
  DWORD high = 0;
  SetLastError(ERROR_SUCCESS);
  DWORD low = GetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) return std::nullopt;
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

bool SeekTo(HANDLE file, std::uint64_t offset) {
  LONG high = static_cast<LONG>(offset >> 32);
  SetLastError(ERROR_SUCCESS);
  DWORD low = SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
  return !(low == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS);
}

bool ReadFull(HANDLE file, char* buffer, std::size_t size, std::size_t& read) {
  read = 0;
  while (read < size) {
    DWORD got = 0;
    if (!ReadFile(file, buffer + read, static_cast<DWORD>(size - read), &got, nullptr)) return false;
    if (got == 0) break;
    read += got;
  }
  return true;
}

StoreResult ReplaceThroughTemporary(std::u16string_view target, const std::function<StoreResult(HANDLE)>& write) {
  StoreResult result = StoreResult::Ok;
  const DWORD error = ReplaceFileWith(target, [&](HANDLE file) {
    result = write(file);
    return result == StoreResult::Ok;
  });
  if (result != StoreResult::Ok) return result;
  return error == ERROR_SUCCESS ? StoreResult::Ok : StoreResult::WriteFailed;
}

std::unique_ptr<char[]> AllocateReadBuffer() {
  return std::unique_ptr<char[]>(new (std::nothrow) char[kReadBufferSize]);
}

void BufferedWriter::Append(std::string_view bytes) {
  if (failed_) return;
  if (pending_.size() + bytes.size() > kReadBufferSize) {
    if (!Flush()) return;
    if (bytes.size() >= kReadBufferSize) {
      if (!WriteAll(file_, bytes)) failed_ = true;
      return;
    }
  }
  pending_.append(bytes);
}

bool BufferedWriter::Flush() {
  if (!failed_ && !pending_.empty() && !WriteAll(file_, pending_)) failed_ = true;
  pending_.clear();
  return !failed_;
}

RecordStream::RecordStream(HANDLE file, std::uint64_t fileSize, std::uint64_t start, char* buffer)
    : file_(file), fileSize_(fileSize), buffer_(buffer), chunkOffset_(start) {}

// A new chunk starts where the last one ended, or at the start of the
// record that crosses its end: those bytes move to the front of the buffer
// and the read goes on where the last one stopped, so a walk over the file
// reads every byte once and never seeks.
bool RecordStream::Fill(std::uint64_t offset) {
  const std::uint64_t chunkEnd = chunkOffset_ + filled_;
  const bool onFromLastRead = filePosition_ && *filePosition_ == chunkEnd;
  std::size_t kept = 0;
  if (onFromLastRead && offset >= chunkOffset_ && offset < chunkEnd) {
    kept = static_cast<std::size_t>(chunkEnd - offset);
    std::memmove(buffer_, buffer_ + (offset - chunkOffset_), kept);
  } else if (!(filePosition_ && *filePosition_ == offset) && !SeekTo(file_, offset)) {
    filePosition_.reset();
    return false;
  }
  chunkOffset_ = offset;
  pos_ = 0;
  filled_ = kept;
  filePosition_.reset();
  std::size_t read = 0;
  if (!ReadFull(file_, buffer_ + kept, kReadBufferSize - kept, read)) return false;
  filled_ += read;
  filePosition_ = offset + filled_;
  return true;
}

bool RecordStream::NextChunk(Piece& failure) {
  if (started_ && pos_ < filled_) return true;
  std::uint64_t next = started_ ? chunkOffset_ + filled_ : chunkOffset_;
  started_ = true;
  failure = Piece::End;
  if (next >= fileSize_) return false;
  if (!Fill(next)) {
    failure = Piece::ReadFailed;
    return false;
  }
  return filled_ > 0;
}

RecordStream::Piece RecordStream::NextMatching(const RecordQuery& query, std::string_view& bytes) {
  for (Piece failure; NextChunk(failure);) {
    std::string_view window(buffer_ + pos_, filled_ - pos_);
    RecordSearch search = FindRecord(window, query);
    if (search.found) {
      bytes = window.substr(search.start, search.end - search.start);
      pos_ += search.end;
      return Piece::Record;
    }
    bool moreInFile = chunkOffset_ + filled_ < fileSize_;
    if (moreInFile && search.lastStart && window.find(kRecordEnd, *search.lastStart + 1) == std::string_view::npos) {
      // The window's last record crosses the buffer's end: read it again
      // from its start byte, unless it already starts the buffer.
      std::size_t start = pos_ + *search.lastStart;
      if (start == 0) return Piece::TooLarge;
      if (!Fill(chunkOffset_ + start)) return Piece::ReadFailed;
      continue;
    }
    pos_ = filled_;
  }
  return Piece::End;
}

RecordStream::Piece RecordStream::NextPiece(std::string_view& bytes, RecordType& type) {
  for (Piece failure; ;) {
    if (!NextChunk(failure)) return failure;
    std::string_view window(buffer_ + pos_, filled_ - pos_);
    if (passThrough_) {
      bytes = window;
      pos_ = filled_;
      return Piece::Gap;
    }
    RecordSearch search = FindRecord(window, RecordQuery{});
    if (search.found) {
      if (search.start > 0) {
        bytes = window.substr(0, search.start);
        pos_ += search.start;
        return Piece::Gap;
      }
      bytes = window.substr(0, search.end);
      type = window[0] == kGroupStart ? RecordType::Group : RecordType::Individual;
      pos_ += search.end;
      return Piece::Record;
    }
    bool moreInFile = chunkOffset_ + filled_ < fileSize_;
    if (search.incomplete && moreInFile) {
      std::size_t start = *search.lastStart;
      if (start > 0) {
        bytes = window.substr(0, start);
        pos_ += start;
        return Piece::Gap;
      }
      // The record starts the window: move back to its start byte and read
      // it again, unless it already starts the buffer and cannot fit.
      if (pos_ == 0) return Piece::TooLarge;
      if (!Fill(chunkOffset_ + pos_)) return Piece::ReadFailed;
      continue;
    }
    if (search.incomplete) incompleteEnd_ = true;
    bytes = window;
    pos_ = filled_;
    return Piece::Gap;
  }
}

}  // namespace tq::phonebook
