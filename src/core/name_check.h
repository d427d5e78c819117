#pragma once
// The check of a winner's name after it has been turned into capitals.
#include <functional>
#include <string>
#include <string_view>

namespace fifteen {

// True when every character of the upper-cased name has a code from 65 to
// 122 (the capitals A..Z and the six signs [ \ ] ^ _ `), checked from the
// last character to the first. A name whose capital form has another length
// than the typed name (such as one with "ß") is refused too, as is the
// empty name.
[[nodiscard]] bool name_acceptable(std::u32string_view upper, std::size_t typed_length);

// The capital form of a typed name: the 26 letters a..z become A..Z in every
// language (a Turkish player's "kim" is KIM, not KİM), and every other
// character goes through `upper_other`, the user's own upper-casing.
[[nodiscard]] std::u32string upper_name(std::u32string_view typed,
                                        const std::function<std::u32string(char32_t)>& upper_other);

}  // namespace fifteen
