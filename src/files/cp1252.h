// Windows-1252, the code page of puzzle files. Every one of the 256 bytes has a character: the
// five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1
// controls of the same number, so any file decodes and encodes back byte for byte.
#pragma once

#include <string>
#include <string_view>

namespace zw {

char32_t Cp1252ToCodePoint(unsigned char byte);
// The byte of a code point; a character the code page lacks becomes '?', as the system's own
// conversion writes it. Only text from outside the program can hold such a character.
unsigned char CodePointToCp1252(char32_t cp);

// Appends the UTF-8 form of the bytes.
void DecodeCp1252(std::string_view bytes, std::string& utf8);
// Appends the Windows-1252 form of UTF-8 text; malformed UTF-8 bytes become '?'.
void EncodeCp1252(std::string_view utf8, std::string& bytes);

}  // namespace zw
