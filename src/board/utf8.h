// UTF-8 helpers. The core keeps all text as UTF-8; a "character" is one code point.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zw {

// Decodes the code point at text[pos] and advances pos. Malformed bytes decode as U+FFFD, one
// byte at a time, so any byte string can be walked without error.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace zw
