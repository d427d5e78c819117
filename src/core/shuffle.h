#pragma once
// Dealing a new arrangement of the tiles.
#include <cstdint>
#include <functional>
#include <random>

#include "board.h"

namespace fifteen {

// A source of draws r with 0 <= r < 1, seeded afresh for every deal.
class RandomDraws {
public:
    // Seeds from the random device mixed with a nanosecond clock, so that
    // two deals started within the same second still differ.
    void seed_afresh();
    void seed(std::uint64_t value) { engine_.seed(value); }
    [[nodiscard]] double draw();

private:
    std::mt19937_64 engine_{};
};

// A draw from 64 random bits: their top 53 on an even grid in [0, 1), so
// that even all ones stay below 1.
[[nodiscard]] double unit_draw(std::uint64_t bits);

// Deals cells 1..15 by drawing a value in 0..14 for each cell in turn and
// drawing again while the value is already taken; the cell holding 0 then
// takes 15 and cell 16 takes the gap. An arrangement that could never be
// solved has the tiles of cells 14 and 15 exchanged, which makes it solvable.
[[nodiscard]] Cells deal_cells(const std::function<double()>& draw);

// True when the tiles of cells 1..15 (gap in cell 16) are an even
// permutation of 1..15, which is when the board can be solved.
[[nodiscard]] bool is_solvable(const Cells& cells);

}  // namespace fifteen
