#include "faxrender/formatter.h"

#include <cstdint>
#include <limits>

namespace tq::render {
namespace {

// Collects output up to the capacity and keeps room for the terminator.
class Output {
 public:
  Output(char* destination, std::size_t capacity) : dest_(destination), capacity_(capacity) {}

  void Put(char c) {
    if (length_ + 1 < capacity_) dest_[length_++] = c;
  }
  void Put(const char* text) {
    if (text == nullptr) return;
    while (*text != '\0') Put(*text++);
  }
  int Finish() {
    if (capacity_ > 0) dest_[length_] = '\0';
    return static_cast<int>(length_);
  }

 private:
  char* dest_;
  std::size_t capacity_;
  std::size_t length_ = 0;
};

void PutUnsigned(Output& out, std::uint32_t value, unsigned base, int minDigits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char reversed[33];
  int count = 0;
  do {
    reversed[count++] = kDigits[value % base];
    value /= base;
  } while (value != 0);
  while (count < minDigits) reversed[count++] = '0';
  while (count > 0) out.Put(reversed[--count]);
}

void PutSigned(Output& out, std::int32_t value) {
  // Negate in 64 bits so that the most negative value has a magnitude.
  const std::int64_t wide = value;
  if (wide < 0) out.Put('-');
  PutUnsigned(out, static_cast<std::uint32_t>(wide < 0 ? -wide : wide), 10, 1);
}

// Fixed point with 8 fraction bits, the fraction rounded to thousandths and
// written from the hundreds digit until the rest is zero.
void PutFixed(Output& out, std::int32_t value) {
  const std::int64_t wide = value;
  const std::uint64_t magnitude = static_cast<std::uint64_t>(wide < 0 ? -wide : wide);
  if (wide < 0) out.Put('-');
  PutUnsigned(out, static_cast<std::uint32_t>(magnitude / 256), 10, 1);
  const std::uint64_t fraction = magnitude % 256;
  if (fraction == 0) return;
  out.Put('.');
  std::uint64_t thousandths = (fraction * 100000 / 256 + 50) / 100;
  for (std::uint64_t divisor = 100; divisor > 0; divisor /= 10) {
    out.Put(static_cast<char>('0' + thousandths / divisor));
    thousandths %= divisor;
    if (thousandths == 0) break;
  }
}

}  // namespace

int FormatTextV(char* destination, std::size_t capacity, const char* format,
                std::va_list arguments) {
  Output out(destination, capacity);
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') {
      out.Put(*p);
      continue;
    }
    ++p;
    switch (*p) {
      case '\0':
        return out.Finish();
      case 'd':
      case 'l':
        PutSigned(out, va_arg(arguments, std::int32_t));
        break;
      case 'u':
        PutUnsigned(out, va_arg(arguments, std::uint32_t), 10, 1);
        break;
      case 'x':
      case 'X':
        PutUnsigned(out, va_arg(arguments, std::uint32_t), 16, 2);
        break;
      case 'c':
        out.Put(static_cast<char>(va_arg(arguments, int) & 0xFF));
        break;
      case 's':
        out.Put(va_arg(arguments, const char*));
        break;
      case 'b':
        out.Put(va_arg(arguments, int) != 0 ? "true" : "false");
        break;
      case 'f':
        PutFixed(out, va_arg(arguments, std::int32_t));
        break;
      default:
        out.Put(*p);
        break;
    }
  }
  return out.Finish();
}

int FormatText(char* destination, std::size_t capacity, const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  const int length = FormatTextV(destination, capacity, format, arguments);
  va_end(arguments);
  return length;
}

int VSPRINTF(char* destination, const char* format, std::va_list arguments) {
  return FormatTextV(destination, std::numeric_limits<std::size_t>::max(), format, arguments);
}

int SPRINTF(char* destination, const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  const int length = VSPRINTF(destination, format, arguments);
  va_end(arguments);
  return length;
}

}  // namespace tq::render
