#include "faxrender/text_routines.h"

#include <cstring>

#include "common/keypad.h"

namespace tq::render {

void CopyStringA(char* destination, const char* source, std::size_t size) {
  if (size == 0) return;
  std::size_t i = 0;
  for (; i + 1 < size && source[i] != '\0'; ++i) destination[i] = source[i];
  for (; i < size; ++i) destination[i] = '\0';
}

void memcpyn(void* destination, const void* source, std::size_t count) {
  std::memcpy(destination, source, count);
}

std::size_t ASCIIstrlen(const char* text) {
  std::size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

void padzeroA(char* text, int length, int width) {
  if (length < 0 || length >= width) return;
  const int shift = width - length;
  std::memmove(text + shift, text, static_cast<std::size_t>(length));
  std::memset(text, '0', static_cast<std::size_t>(shift));
  text[width] = '\0';
}

void DecodeFaxNum(const char* source, char* destination) {
  std::size_t i = 0;
  for (; source[i] != '\0'; ++i) destination[i] = tq::KeypadDigit(source[i]);
  destination[i] = '\0';
}

}  // namespace tq::render
