#include <gtest/gtest.h>

#include <set>

#include "core/board.h"

using namespace fifteen;

namespace {

Cells with_gap_at(int gap_cell)
{
    Cells cells{};
    int value = 1;
    for (int cell = 1; cell <= 16; ++cell)
        cells[std::size_t(cell - 1)] = cell == gap_cell ? 0 : value++;
    return cells;
}

// The neighbours of a cell worked out from rows and columns.
std::set<int> grid_neighbours(int n)
{
    const int row = (n - 1) / 4, col = (n - 1) % 4;
    std::set<int> out;
    if (col > 0) out.insert(n - 1);
    if (col < 3) out.insert(n + 1);
    if (row > 0) out.insert(n - 4);
    if (row < 3) out.insert(n + 4);
    return out;
}

}  // namespace

TEST(Board, NeighbourTableMatchesTheGridWithoutWrapAround)
{
    for (int n = 1; n <= 16; ++n) {
        std::set<int> listed;
        for (int neighbour : kNeighbours[std::size_t(n - 1)])
            if (neighbour != 0)
                listed.insert(neighbour);
        EXPECT_EQ(listed, grid_neighbours(n)) << "cell " << n;
    }
}

TEST(Board, EveryCellAgainstEveryGapMovesOnlyNeighbours)
{
    for (int gap = 1; gap <= 16; ++gap) {
        for (int n = 1; n <= 16; ++n) {
            Cells cells = with_gap_at(gap);
            const Cells before = cells;
            const bool moved = slide_tile(cells, n);
            const bool adjacent = grid_neighbours(n).count(gap) == 1;
            EXPECT_EQ(moved, adjacent) << "gap " << gap << ", click " << n;
            if (moved) {
                EXPECT_EQ(cells[std::size_t(gap - 1)], before[std::size_t(n - 1)]);
                EXPECT_EQ(cells[std::size_t(n - 1)], 0);
            } else {
                EXPECT_EQ(cells, before);
            }
        }
    }
}

TEST(Board, GapAtTheStartOfARowDoesNotPullFromTheRowAbove)
{
    Cells cells = with_gap_at(5);
    EXPECT_FALSE(slide_tile(cells, 4));
    Cells tile_at_16 = with_gap_at(12);
    EXPECT_FALSE(slide_tile(tile_at_16, 13));
}

TEST(Board, StoresExistOnlyOnceCreatedAndFollowTheCells)
{
    BoardStores stores;
    stores.cells = with_gap_at(16);
    EXPECT_THROW(stores.rebuild_board(), std::out_of_range);
    EXPECT_THROW(stores.copy_to_shown(), std::out_of_range);
    EXPECT_THROW((void)is_solved(stores.board), std::out_of_range);

    stores.create_board();
    stores.rebuild_board();
    EXPECT_EQ(stores.shown_board, Cells{});  // not yet copied
    stores.copy_to_shown();
    EXPECT_EQ(stores.shown_board, stores.cells);
    EXPECT_TRUE(is_solved(stores.board));

    ASSERT_TRUE(slide_tile(stores.cells, 12));
    EXPECT_TRUE(is_solved(stores.board)) << "board changes only when rebuilt";
    stores.rebuild_board();
    EXPECT_FALSE(is_solved(stores.board));
    EXPECT_EQ(stores.shown_board[11], 12) << "the display copy changes only when copied";
}

TEST(Board, SolvedNeedsEveryEntryInPlace)
{
    std::vector<int> board{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0};
    EXPECT_TRUE(is_solved(board));
    std::swap(board[13], board[14]);
    EXPECT_FALSE(is_solved(board));
    std::swap(board[13], board[14]);
    std::swap(board[14], board[15]);
    EXPECT_FALSE(is_solved(board));
    board = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 1};
    EXPECT_FALSE(is_solved(board));
}

TEST(Board, MoveCountStopsAtItsHighestValue)
{
    EXPECT_EQ(next_move_count(0), 1);
    EXPECT_EQ(next_move_count(32766), 32767);
    EXPECT_EQ(next_move_count(32767), 32767);
}

TEST(Board, ArrowsNameTheTileThatTravelsThatWay)
{
    const Cells gap_in_6 = with_gap_at(6);
    EXPECT_EQ(cell_for_arrow(gap_in_6, Arrow::Left), 7);
    EXPECT_EQ(cell_for_arrow(gap_in_6, Arrow::Right), 5);
    EXPECT_EQ(cell_for_arrow(gap_in_6, Arrow::Up), 10);
    EXPECT_EQ(cell_for_arrow(gap_in_6, Arrow::Down), 2);
    // At the edges nothing travels in from outside the board, and a row's
    // end does not wrap to the next row.
    EXPECT_EQ(cell_for_arrow(with_gap_at(16), Arrow::Left), std::nullopt);
    EXPECT_EQ(cell_for_arrow(with_gap_at(16), Arrow::Up), std::nullopt);
    EXPECT_EQ(cell_for_arrow(with_gap_at(1), Arrow::Right), std::nullopt);
    EXPECT_EQ(cell_for_arrow(with_gap_at(1), Arrow::Down), std::nullopt);
    EXPECT_EQ(cell_for_arrow(with_gap_at(4), Arrow::Left), std::nullopt);
    EXPECT_EQ(cell_for_arrow(with_gap_at(5), Arrow::Right), std::nullopt);
    Cells no_gap{};
    no_gap.fill(3);
    EXPECT_EQ(cell_for_arrow(no_gap, Arrow::Left), std::nullopt);
}
