#include "board.h"

#include <limits>

namespace fifteen {

void BoardStores::create_board()
{
    board.assign(kCellCount, 0);
}

void BoardStores::rebuild_board()
{
    for (std::size_t i = 0; i < kCellCount; ++i)
        board.at(i) = cells[i];
}

void BoardStores::copy_to_shown()
{
    for (std::size_t i = 0; i < kCellCount; ++i)
        shown_board[i] = board.at(i);
}

std::optional<int> cell_for_arrow(const Cells& cells, Arrow arrow)
{
    int gap = 0;  // 1..16
    for (int cell = 1; cell <= kCellCount && gap == 0; ++cell)
        if (cells[static_cast<std::size_t>(cell - 1)] == 0)
            gap = cell;
    if (gap == 0)
        return std::nullopt;
    // The tile that travels the arrow's way comes from the other side of
    // the gap: one of the gap's neighbours, never one across an edge.
    const int from = arrow == Arrow::Left    ? gap + 1
                     : arrow == Arrow::Right ? gap - 1
                     : arrow == Arrow::Up    ? gap + 4
                                             : gap - 4;
    for (int neighbour : kNeighbours[static_cast<std::size_t>(gap - 1)]) {
        if (neighbour == 0)  // the end of the gap's neighbours
            break;
        if (neighbour == from)
            return from;
    }
    return std::nullopt;
}

bool slide_tile(Cells& cells, int n)
{
    auto at = [&cells](int cell) -> int& { return cells.at(static_cast<std::size_t>(cell - 1)); };
    if (at(n) == 0)
        return false;
    for (int neighbour : kNeighbours.at(static_cast<std::size_t>(n - 1))) {
        if (neighbour == 0)
            break;
        if (at(neighbour) == 0) {
            at(neighbour) = at(n);
            at(n) = 0;
            return true;
        }
    }
    return false;
}

bool is_solved(const std::vector<int>& board)
{
    bool solved = board.at(15) == 0;
    for (std::size_t i = 0; i < 15; ++i)
        solved = (board.at(i) == static_cast<int>(i) + 1) && solved;
    return solved;
}

std::int16_t next_move_count(std::int16_t move_count)
{
    if (move_count == std::numeric_limits<std::int16_t>::max())
        return move_count;
    return static_cast<std::int16_t>(move_count + 1);
}

}  // namespace fifteen
