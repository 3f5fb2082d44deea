// Showing bytes that nobody checked: the effect mask of a hostile package may
// hold quotes, control characters and bytes above 127.
#pragma once

#include <string>
#include <string_view>

namespace pavonix {

// A JSON string literal, quotes included.  Control characters, DEL and bytes
// above 127 become \u00XX escapes (each byte read as the code point of the same
// number), so the result is plain ASCII and valid JSON whatever the bytes.
std::string JsonString(std::string_view bytes);

// The bytes in double quotes for a terminal: printable ASCII as it is, a quote
// or backslash escaped, anything else as \xNN.
std::string QuotedText(std::string_view bytes);

}  // namespace pavonix
