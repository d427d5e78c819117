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

}  // namespace fifteen
