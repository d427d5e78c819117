#pragma once
// Ranking a solved game's move count against the ten places of the table.
#include <optional>
#include <string>
#include <string_view>

#include "highscore.h"

namespace fifteen {

// The number a caption begins with: blanks are skipped and the digits that
// follow are read; a caption that begins with no digit counts as 0.
[[nodiscard]] long long caption_number(std::string_view caption);

// A place without a result: no name, or no score that is a positive number.
[[nodiscard]] bool place_is_empty(std::string_view name, std::string_view score);

// The place (1..10) a result earns: the first whose score is greater than
// `move_count`, or else the first empty place; nothing when neither. Fewer
// moves rank higher; a result equal to a stored score goes below it. A count
// of more than four digits takes no empty place, since no table could keep it.
[[nodiscard]] std::optional<int> find_place(const Captions& names, const Captions& scores, int move_count);

// Puts the result into place `place` (1..10): the entries below move down one
// place and the one at place 10 drops out. Scores move before names.
void record_result(Captions& names, Captions& scores, int place, const std::string& name, int move_count);

}  // namespace fifteen
