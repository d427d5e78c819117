#include "name_check.h"

namespace fifteen {

bool name_acceptable(std::u32string_view upper, std::size_t typed_length)
{
    if (upper.empty() || upper.size() != typed_length)
        return false;
    for (std::size_t i = upper.size(); i-- > 0;) {
        if (upper[i] < 65 || upper[i] > 122)
            return false;
    }
    return true;
}

std::u32string upper_name(std::u32string_view typed, const std::function<std::u32string(char32_t)>& upper_other)
{
    std::u32string upper;
    for (char32_t c : typed) {
        if (c >= U'a' && c <= U'z')
            upper.push_back(c - U'a' + U'A');
        else
            upper += upper_other(c);
    }
    return upper;
}

}  // namespace fifteen
