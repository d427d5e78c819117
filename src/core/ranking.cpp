#include "ranking.h"

#include <limits>

namespace fifteen {

namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

long long caption_number(std::string_view caption)
{
    constexpr long long kCeiling = std::numeric_limits<long long>::max() / 10 - 9;
    long long value = 0;
    for (char c : caption) {
        if (is_blank(c))
            continue;
        if (c < '0' || c > '9')
            break;
        if (value < kCeiling)
            value = value * 10 + (c - '0');
    }
    return value;
}

bool place_is_empty(std::string_view name, std::string_view score)
{
    return name.empty() || caption_number(score) <= 0;
}

std::optional<int> find_place(const Captions& names, const Captions& scores, int move_count)
{
    for (std::size_t k = 0; k < kPlaces; ++k)
        if (!place_is_empty(names[k], scores[k]) && caption_number(scores[k]) > move_count)
            return static_cast<int>(k) + 1;
    if (move_count > kHighestScore)
        return std::nullopt;
    for (std::size_t k = 0; k < kPlaces; ++k)
        if (place_is_empty(names[k], scores[k]))
            return static_cast<int>(k) + 1;
    return std::nullopt;
}

void record_result(Captions& names, Captions& scores, int place, const std::string& name, int move_count)
{
    const auto k = static_cast<std::size_t>(place - 1);
    for (std::size_t j = kPlaces - 1; j > k; --j)
        scores[j] = scores[j - 1];
    scores.at(k) = std::to_string(move_count);
    for (std::size_t j = kPlaces - 1; j > k; --j)
        names[j] = names[j - 1];
    names.at(k) = name;
}

}  // namespace fifteen
