// Encoding and checked decoding of the window messages (layout in wire.h).
#include "wire.h"

#include <algorithm>

namespace tq::ipc {
namespace {

class Writer {
 public:
  void U32(std::uint32_t value) { Bytes(value, 4); }
  void U64(std::uint64_t value) { Bytes(value, 8); }
  void Text(const std::u16string& text) {
    const std::size_t units = std::min(text.size(), kMaxTextUnits);
    for (std::size_t i = 0; i < units; ++i) Bytes(text[i], 2);
  }
  // Puts the header in front once the body is complete.
  std::vector<std::uint8_t> Finish(std::uint32_t magic) {
    Writer header;
    header.U32(magic);
    header.U32(static_cast<std::uint32_t>(body_.size()));
    std::vector<std::uint8_t> message = std::move(header.body_);
    message.insert(message.end(), body_.begin(), body_.end());
    return message;
  }

 private:
  void Bytes(std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) body_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  std::vector<std::uint8_t> body_;
};

std::uint64_t ReadLE(std::span<const std::uint8_t> bytes, std::size_t offset, int count) {
  std::uint64_t value = 0;
  for (int i = 0; i < count; ++i) value |= static_cast<std::uint64_t>(bytes[offset + i]) << (8 * i);
  return value;
}

std::u16string ReadText(std::span<const std::uint8_t> bytes, std::size_t offset) {
  std::u16string text;
  for (std::size_t at = offset; at + 1 < bytes.size(); at += 2) {
    text.push_back(static_cast<char16_t>(ReadLE(bytes, at, 2)));
  }
  return text;
}

// The body of a whole message once its header is checked.
std::optional<std::span<const std::uint8_t>> Body(std::span<const std::uint8_t> message, std::uint32_t magic) {
  if (message.size() < kHeaderSize) return std::nullopt;
  const auto length = BodyLength(message.first(kHeaderSize), magic);
  if (!length || message.size() != kHeaderSize + *length) return std::nullopt;
  return message.subspan(kHeaderSize);
}

}  // namespace

std::vector<std::uint8_t> EncodeRequest(const Request& request) {
  Writer out;
  out.U64(request.token);
  out.U32(static_cast<std::uint32_t>(request.operation));
  out.U64(request.window);
  out.U32(request.argument);
  out.U64(request.wParam);
  out.U64(static_cast<std::uint64_t>(request.lParam));
  out.Text(request.text);
  return out.Finish(kRequestMagic);
}

std::vector<std::uint8_t> EncodeAnswer(const Answer& answer) {
  Writer out;
  out.U32(static_cast<std::uint32_t>(answer.status));
  out.U64(answer.token);
  out.U64(static_cast<std::uint64_t>(answer.value));
  out.Text(answer.text);
  return out.Finish(kAnswerMagic);
}

std::optional<std::size_t> BodyLength(std::span<const std::uint8_t> header, std::uint32_t magic) {
  if (header.size() < kHeaderSize || ReadLE(header, 0, 4) != magic) return std::nullopt;
  const std::size_t fixed = magic == kRequestMagic ? kRequestFixedSize : kAnswerFixedSize;
  const std::size_t length = static_cast<std::size_t>(ReadLE(header, 4, 4));
  if (length < fixed || length > fixed + 2 * kMaxTextUnits || (length - fixed) % 2 != 0) return std::nullopt;
  return length;
}

std::optional<Request> DecodeRequest(std::span<const std::uint8_t> message) {
  const auto body = Body(message, kRequestMagic);
  if (!body) return std::nullopt;
  Request request;
  request.token = ReadLE(*body, 0, 8);
  request.operation = static_cast<Operation>(ReadLE(*body, 8, 4));
  request.window = ReadLE(*body, 12, 8);
  request.argument = static_cast<std::uint32_t>(ReadLE(*body, 20, 4));
  request.wParam = ReadLE(*body, 24, 8);
  request.lParam = static_cast<std::int64_t>(ReadLE(*body, 32, 8));
  request.text = ReadText(*body, kRequestFixedSize);
  return request;
}

std::optional<Answer> DecodeAnswer(std::span<const std::uint8_t> message) {
  const auto body = Body(message, kAnswerMagic);
  if (!body) return std::nullopt;
  Answer answer;
  answer.status = static_cast<Status>(ReadLE(*body, 0, 4));
  answer.token = ReadLE(*body, 4, 8);
  answer.value = static_cast<std::int64_t>(ReadLE(*body, 12, 8));
  answer.text = ReadText(*body, kAnswerFixedSize);
  return answer;
}

}  // namespace tq::ipc
