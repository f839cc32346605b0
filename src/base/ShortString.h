#pragma once
// Length-prefixed strings, as plug-in libraries exchange them: a length
// byte, then up to 255 characters, in a 256-byte buffer.
#include <array>
#include <string>
#include <string_view>

namespace vemra {

using ShortString = std::array<unsigned char, 256>;

// The text cut to 255 characters.
ShortString ToShortString(std::string_view text);

// The text of a length-prefixed buffer; the length byte can never point
// past the buffer.
std::string FromShortString(const ShortString& buffer);

}  // namespace vemra
