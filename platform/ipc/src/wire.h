// The messages that processes exchange about their windows.
//
// One connection carries one request and its answer. Every integer is
// little-endian. A message is an 8-byte header and a body:
//
//   header   0  4  magic: "TQWq" for a request, "TQWa" for an answer
//            4  4  body length in bytes (the fixed part and the text)
//   request  0  8  token of the process meant (0: whichever listens, for
//                  Hello and Find only)
//            8  4  operation (Operation below)
//           12  8  window handle, a value of the answering process
//           20  4  argument: control id, enable flag, show command, message
//           24  8  wParam
//           32  8  lParam
//           40  .. text, UTF-16LE: the title that Find looks for
//   answer   0  4  status (Status below)
//            4  8  token of the answering process
//           12  8  value: a handle, a flag or what the call returned
//           20  .. text, UTF-16LE: the window text that Text asks for
//
// A reader checks the magic, that the body is at least its fixed part and
// at most that plus kMaxTextUnits characters, and that the text has an even
// number of bytes; anything else is refused whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tq::ipc {

enum class Operation : std::uint32_t {
  Hello = 1,          // who are you: the answer's token
  Find = 2,           // a top-level window titled exactly `text`
  Alive = 3,          // the window still exists
  HasControl = 4,     // it has a child control with id `argument`
  Text = 5,           // its text
  Visible = 6,        // IsWindowVisible
  Enabled = 7,        // IsWindowEnabled
  Enable = 8,         // EnableWindow(argument)
  Show = 9,           // ShowWindow(argument)
  SetForeground = 10,  // SetForegroundWindow
  Post = 11,          // PostMessageW(argument, wParam, lParam)
  Send = 12,          // SendMessageW(argument, wParam, lParam)
  RaiseActive = 13,   // bring the process's active window forward (no window)
};

enum class Status : std::uint32_t {
  Ok = 0,
  NoWindow = 1,      // no such window (or it has gone)
  WrongProcess = 2,  // the token names another process than the one listening
  Refused = 3,       // an operation or message this layer does not carry
};

inline constexpr std::uint32_t kRequestMagic = 0x71575154;  // "TQWq"
inline constexpr std::uint32_t kAnswerMagic = 0x61575154;   // "TQWa"
inline constexpr std::size_t kHeaderSize = 8;
inline constexpr std::size_t kRequestFixedSize = 40;
inline constexpr std::size_t kAnswerFixedSize = 20;
inline constexpr std::size_t kMaxTextUnits = 4096;

struct Request {
  std::uint64_t token = 0;
  Operation operation = Operation::Hello;
  std::uint64_t window = 0;
  std::uint32_t argument = 0;
  std::uint64_t wParam = 0;
  std::int64_t lParam = 0;
  std::u16string text;
};

struct Answer {
  Status status = Status::Ok;
  std::uint64_t token = 0;
  std::int64_t value = 0;
  std::u16string text;
};

// Whole messages, header included. A text longer than kMaxTextUnits is cut.
std::vector<std::uint8_t> EncodeRequest(const Request& request);
std::vector<std::uint8_t> EncodeAnswer(const Answer& answer);

// The body length a header announces, or nullopt when the magic is not
// `magic` or the length is out of bounds for that kind of message.
std::optional<std::size_t> BodyLength(std::span<const std::uint8_t> header, std::uint32_t magic);

// A whole message (header and body); nullopt when it is malformed.
std::optional<Request> DecodeRequest(std::span<const std::uint8_t> message);
std::optional<Answer> DecodeAnswer(std::span<const std::uint8_t> message);

}  // namespace tq::ipc
