#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <numeric>
#include <set>

#include "core/shuffle.h"

using namespace fifteen;

namespace {

// Parity by cycles, independent of the inversion count the deal uses.
bool even_by_cycles(const Cells& cells)
{
    std::array<bool, 15> seen{};
    int transpositions = 0;
    for (std::size_t i = 0; i < 15; ++i) {
        if (seen[i])
            continue;
        int length = 0;
        for (std::size_t j = i; !seen[j]; j = std::size_t(cells[j] - 1)) {
            seen[j] = true;
            ++length;
        }
        transpositions += length - 1;
    }
    return transpositions % 2 == 0;
}

void expect_a_deal(const Cells& cells)
{
    EXPECT_EQ(cells[15], 0);
    std::set<int> values(cells.begin(), cells.begin() + 15);
    EXPECT_EQ(values.size(), 15u);
    EXPECT_EQ(*values.begin(), 1);
    EXPECT_EQ(*values.rbegin(), 15);
}

}  // namespace

TEST(Shuffle, ManyDealsAreCompleteSolvableAndVaried)
{
    RandomDraws random;
    std::set<Cells> distinct;
    std::array<std::array<int, 16>, 15> where{};  // how often tile v lands in cell c
    constexpr int kDeals = 20000;
    for (int i = 0; i < kDeals; ++i) {
        random.seed_afresh();
        const Cells cells = deal_cells([&] { return random.draw(); });
        expect_a_deal(cells);
        ASSERT_TRUE(even_by_cycles(cells)) << "deal " << i << " cannot be solved";
        distinct.insert(cells);
        for (std::size_t c = 0; c < 15; ++c)
            ++where[std::size_t(cells[c] - 1)][c];
    }
    EXPECT_GT(distinct.size(), std::size_t(kDeals - 5));
    // Every tile reaches every cell of 1..15 about equally often.
    for (const auto& row : where)
        for (std::size_t c = 0; c < 15; ++c)
            EXPECT_NEAR(row[c], kDeals / 15, kDeals / 15 / 4);
}

TEST(Shuffle, TwoDealsInARowDiffer)
{
    RandomDraws random;
    random.seed_afresh();
    const Cells first = deal_cells([&] { return random.draw(); });
    random.seed_afresh();
    const Cells second = deal_cells([&] { return random.draw(); });
    EXPECT_NE(first, second);
}

TEST(Shuffle, DrawsFollowTheDealRuleAndRepeatsAreDrawnAgain)
{
    // Values 0..14 chosen in order, with a repeat after each of the first two:
    // cell 1 draws 3, cell 2 draws 3 again then 0, ... the cell holding 0
    // then takes 15.
    std::deque<int> values{3, 3, 0, 0, 3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    auto draw = [&] {
        const int v = values.front();
        values.pop_front();
        return (v + 0.5) / 15.0;
    };
    const Cells cells = deal_cells(draw);
    EXPECT_TRUE(values.empty());
    const Cells dealt{3, 15, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0};
    // That arrangement has an odd permutation, so the last two tiles trade places.
    Cells fixed = dealt;
    std::swap(fixed[13], fixed[14]);
    EXPECT_FALSE(is_solvable(dealt));
    EXPECT_EQ(cells, fixed);
}

TEST(Shuffle, SolvedOrderCanBeDealtAndStaysAsDealt)
{
    int next = 1;  // draws 1, 2, ..., 14, 0: cell 15 holds 0 and becomes 15
    auto draw = [&] { return (next++ % 15 + 0.5) / 15.0; };
    const Cells cells = deal_cells(draw);
    EXPECT_EQ(cells, (Cells{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0}));
}

TEST(Shuffle, DrawsStayBelowOneAndFillEveryValueEvenly)
{
    // The extremes of the generator's bits: never 1, never below 0.
    EXPECT_EQ(unit_draw(0), 0.0);
    EXPECT_LT(unit_draw(~std::uint64_t{0}), 1.0);
    EXPECT_GT(unit_draw(~std::uint64_t{0}), 1.0 - 0x1.0p-52);
    EXPECT_THROW((void)deal_cells([] { return 1.0; }), std::out_of_range);
    // A deal's first cell takes each of the 15 values about as often.
    RandomDraws random;
    random.seed(42);
    std::array<int, 16> first{};
    for (int i = 0; i < 15000; ++i)
        ++first[std::size_t(deal_cells([&random] { return random.draw(); })[0])];
    for (int value = 1; value <= 15; ++value)
        EXPECT_NEAR(first[std::size_t(value)], 1000, 150) << value;  // five deviations
    EXPECT_EQ(first[0], 0);
}
