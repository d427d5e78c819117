#pragma once
// The board: cells 1..16 in reading order, value 0 is the gap, 1..15 the tiles.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace fifteen {

inline constexpr int kCellCount = 16;

// Values of cells 1..16; index 0 holds cell 1.
using Cells = std::array<int, kCellCount>;

// The three stores of the board, kept in step at fixed points:
// `cells` is what deals and moves change, `board` is rebuilt from it and read
// by the completion test, `shown_board` is the copy the drawing reads.
struct BoardStores {
    Cells cells{};
    std::vector<int> board;  // does not exist (empty) until it is created
    Cells shown_board{};

    // Creates `board` as 16 entries, replacing whatever it held.
    void create_board();
    // Entry i of `board` takes the value of cell i + 1. Fails when `board`
    // has not been created yet.
    void rebuild_board();
    // Entry i of `shown_board` takes entry i of `board`.
    void copy_to_shown();
};

// The neighbours of each cell, in the order they are tested; 0 ends a row.
// Left, right, above and below on the 4 x 4 board, with no wrap-around.
inline constexpr std::array<std::array<int, 4>, kCellCount> kNeighbours{{
    {2, 5, 0, 0},      // 1
    {1, 3, 6, 0},      // 2
    {2, 4, 7, 0},      // 3
    {3, 8, 0, 0},      // 4
    {1, 6, 9, 0},      // 5
    {5, 2, 7, 10},     // 6
    {6, 3, 8, 11},     // 7
    {7, 4, 12, 0},     // 8
    {5, 10, 13, 0},    // 9
    {9, 14, 11, 6},    // 10
    {10, 7, 12, 15},   // 11
    {11, 16, 8, 0},    // 12
    {9, 14, 0, 0},     // 13
    {13, 10, 15, 0},   // 14
    {14, 11, 16, 0},   // 15
    {15, 12, 0, 0},    // 16
}};

// The four arrows, named for the way a tile travels: Left takes the tile to
// the right of the gap, Up the one below it, and so on.
enum class Arrow { Left, Right, Up, Down };

// The cell (1..16) whose tile `arrow` slides into the gap, or nothing when
// the gap has no neighbour on that side (or there is no gap).
[[nodiscard]] std::optional<int> cell_for_arrow(const Cells& cells, Arrow arrow);

// Slides the tile of cell `n` (1..16) into the gap when the gap is one of its
// neighbours. Returns true when a tile moved.
[[nodiscard]] bool slide_tile(Cells& cells, int n);

// True when cells 1..15 hold 1..15 and cell 16 holds the gap. All sixteen
// entries are compared; an entry that does not exist fails.
[[nodiscard]] bool is_solved(const std::vector<int>& board);

// The count after one more move: a 16-bit count that stops at its highest value.
[[nodiscard]] std::int16_t next_move_count(std::int16_t move_count);

}  // namespace fifteen
