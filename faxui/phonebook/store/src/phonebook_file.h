// File access shared by the store's operations: handles that close
// themselves, whole writes, and the record stream that reads a file through
// one buffer.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "byte_scan.h"
#include "phonebook/afd_format.h"
#include "phonebook/records.h"
#include "win/file_replace.h"
#include "win/kernel.h"

namespace tq::phonebook {

class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  FileHandle(FileHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }
  FileHandle& operator=(FileHandle&& other) noexcept;
  ~FileHandle() { Close(); }

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  void Close();

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// A UTF-16 path with its terminator, for the Win32 calls.
inline std::u16string Terminated(std::u16string_view path) { return std::u16string(path); }

// Phonebook files are opened for reading and writing, without sharing (an
// exclusive lock), and only if they exist.
FileHandle OpenExclusive(std::u16string_view path);
// Creates or truncates the file, exclusively.
FileHandle CreateExclusive(std::u16string_view path);
// Clears the read-only attribute; a missing file is not an error here.
void SetNormalAttributes(std::u16string_view path);
bool FileExists(std::u16string_view path);

std::optional<std::uint64_t> SizeOf(HANDLE file);
bool SeekTo(HANDLE file, std::uint64_t offset);
// False on a failed or short write.
inline bool WriteAll(HANDLE file, std::string_view bytes) { return WriteAllBytes(file, bytes); }
// Reads until the buffer is full or the file ends; false on a failed read.
bool ReadFull(HANDLE file, char* buffer, std::size_t size, std::size_t& read);

// Writes the target anew through a temporary file of its own beside it
// (one no other phonebook shares, not even a name differing in case): `write` fills the temporary file and returns the operation's result; when
// it is Ok the file is flushed and renamed over the target in one step. On
// any failure the temporary file is removed and the target is left as it
// was. Returns `write`'s result, WriteFailed when the file could not be
// created, flushed or renamed.
StoreResult ReplaceThroughTemporary(std::u16string_view target, const std::function<StoreResult(HANDLE)>& write);

// The one read buffer of an operation; empty when it cannot be allocated.
std::unique_ptr<char[]> AllocateReadBuffer();

// Writes through a buffer of the read buffer's size, so that a rewrite makes
// few system calls; remembers the first failure.
class BufferedWriter {
 public:
  explicit BufferedWriter(HANDLE file) : file_(file) { pending_.reserve(kReadBufferSize); }
  void Append(std::string_view bytes);
  // Writes what is pending; false when any write failed.
  bool Flush();
  bool failed() const { return failed_; }

 private:
  HANDLE file_;
  std::string pending_;
  bool failed_ = false;
};

// Streams an open file from an offset through one buffer, as the records it
// holds and the bytes between them. A record that crosses the buffer's end
// is read again from its start byte; one longer than the buffer stops the
// stream with TooLarge. Bytes after the last complete record, at the end of
// the file, come as a gap.
class RecordStream {
 public:
  enum class Piece { Gap, Record, End, TooLarge, ReadFailed };

  RecordStream(HANDLE file, std::uint64_t fileSize, std::uint64_t start, char* buffer);

  // The next piece; `bytes` stays valid until the following call.
  Piece Next(std::string_view& bytes, RecordType& type) {
    return NextInBuffer(bytes, type) ? Piece::Record : NextPiece(bytes, type);
  }
  // Calls `visit(type, bytes)` with each record in turn while records start
  // at the position and end in the buffer, with the position in a register
  // across the calls: walks over every record spend most of their time
  // here. False when `visit` returned false.
  template <typename Visit>
  bool VisitInBuffer(Visit&& visit) {
    if (!started_ || passThrough_) return true;
    const char* buffer = buffer_;
    const std::size_t filled = filled_;
    std::size_t pos = pos_;
    ByteFinder ends(buffer, filled, kRecordEnd);
    bool goOn = true;
    while (pos < filled) {
      const char* at = buffer + pos;
      if (*at != kIndividualStart && *at != kGroupStart) break;
      std::size_t end = ends.NextAfter(pos);
      if (end == filled) break;
      std::size_t length = end + 1 - pos;
      pos += length;
      if (!visit(*at == kGroupStart ? RecordType::Group : RecordType::Individual, std::string_view(at, length))) {
        goOn = false;
        break;
      }
    }
    pos_ = pos;
    return goOn;
  }
  // The next record the query matches, skipping all others: Record, End,
  // TooLarge or ReadFailed. Searches whole buffers at a time.
  Piece NextMatching(const RecordQuery& query, std::string_view& bytes);
  // From now on the rest of the file comes as gaps, chunk by chunk.
  void PassRestThrough() { passThrough_ = true; }
  // The file ended inside a record.
  bool incompleteEnd() const { return incompleteEnd_; }

 private:
  // The usual case, inline for walks over every record: a record that
  // starts at the position and ends in the buffer.
  bool NextInBuffer(std::string_view& bytes, RecordType& type) {
    if (!started_ || passThrough_ || pos_ >= filled_) return false;
    const char* at = buffer_ + pos_;
    if (*at != kIndividualStart && *at != kGroupStart) return false;
    std::size_t left = filled_ - pos_;
    std::size_t length = 1 + FindByte(at + 1, left - 1, kRecordEnd) + 1;
    if (length > left) return false;
    bytes = std::string_view(at, length);
    type = *at == kGroupStart ? RecordType::Group : RecordType::Individual;
    pos_ += length;
    return true;
  }
  // Every other case: gaps, records crossing the buffer, reading on.
  Piece NextPiece(std::string_view& bytes, RecordType& type);
  bool Fill(std::uint64_t offset);
  // Reads the next chunk when the buffer is used up; false at the end.
  bool NextChunk(Piece& failure);

  HANDLE file_;
  std::uint64_t fileSize_;
  char* buffer_;
  std::uint64_t chunkOffset_;  // file offset of buffer_[0]
  // Where the stream's last read left the file; unknown before the first
  // and after a failed one.
  std::optional<std::uint64_t> filePosition_;
  std::size_t filled_ = 0;
  std::size_t pos_ = 0;
  bool started_ = false;
  bool passThrough_ = false;
  bool incompleteEnd_ = false;
};

}  // namespace tq::phonebook
