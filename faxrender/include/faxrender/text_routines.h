// The render plug-in's own string routines (it carries no run-time library
// in the printing path). All texts are ANSI and NUL-terminated.
#pragma once

#include <cstddef>

namespace tq::render {

// Copies at most size - 1 characters of source, always terminates and fills
// the rest of the size bytes with zero; a size of 0 writes nothing.
void CopyStringA(char* destination, const char* source, std::size_t size);

// Copies exactly count bytes.
void memcpyn(void* destination, const void* source, std::size_t count);

// Number of bytes before the terminator.
std::size_t ASCIIstrlen(const char* text);

// When length is less than width, moves the text right by the difference,
// fills the freed places with '0' and ends the text at width; otherwise the
// text is left unchanged. The text's storage holds at least width + 1 bytes.
void padzeroA(char* text, int length, int width);

// Writes source into destination, terminated, with every capital letter
// turned into its keypad digit. The destination holds as many bytes as the
// source with its terminator.
void DecodeFaxNum(const char* source, char* destination);

}  // namespace tq::render
