// The render plug-in's formatter. Each conversion takes one 32-bit argument
// except where noted; there are no flags, widths or precisions:
//   %d %l  signed decimal          %u  unsigned decimal
//   %x %X  upper-case hexadecimal, at least two digits, no prefix
//   %c     the argument's low byte  %s  a string (a null pointer writes nothing)
//   %b     "true" or "false"
//   %f     signed fixed point with 8 fraction bits, fraction to thousandths
//          without trailing zeros (0x180 gives 1.5)
//   %<other>  that character, no argument; a '%' ending the format: nothing
#pragma once

#include <cstdarg>
#include <cstddef>

namespace tq::render {

// Unbounded forms: the destination must be large enough. Both return the
// number of characters written without the terminator and always terminate.
int SPRINTF(char* destination, const char* format, ...);
int VSPRINTF(char* destination, const char* format, std::va_list arguments);

// Bounded forms used inside the plug-in: at most capacity - 1 characters are
// written, then the terminator; a capacity of 0 writes nothing. The result
// is the number of characters written.
int FormatText(char* destination, std::size_t capacity, const char* format, ...);
int FormatTextV(char* destination, std::size_t capacity, const char* format,
                std::va_list arguments);

}  // namespace tq::render
