#pragma once
// Delimiter helpers of the layout expressions. Searches ignore ASCII case;
// a delimiter that is absent gives an empty result.
#include <cstddef>
#include <string>
#include <string_view>

namespace vemra {

// Position of the first `needle` in `text` from `from`, ignoring ASCII case.
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);

std::string TextBefore(std::string_view delimiter, std::string_view text);
std::string TextAfter(std::string_view delimiter, std::string_view text);
std::string TextBetween(std::string_view opening, std::string_view closing,
                        std::string_view text);

// Digits with an optional leading "+" or "-"; at least one digit.
bool IsIntegerText(std::string_view text);
// IsIntegerText and within 32 bits.
bool ToInt32(std::string_view text, int& value);

}  // namespace vemra
