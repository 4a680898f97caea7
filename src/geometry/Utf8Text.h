// UTF-8 in messages and metafile descriptions: decoding one character, and escaping what a
// one-line message must not show as it stands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The length (1 to 4) of the well-formed UTF-8 sequence starting at `at`, with its code point
// in `c`; 0 when the bytes there are no such sequence (a stray continuation byte, an overlong
// form, a surrogate, a value beyond U+10FFFF or a sequence cut off by the end).
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& c);

// The text with every byte that is not printable UTF-8 written as "\xNN" (two lowercase hex
// digits): control characters such as newline, ESC and NUL, DEL, the C1 controls and bytes of
// invalid UTF-8. Printable UTF-8, Japanese included, stays as it is.
std::string Printable(std::string_view text);
