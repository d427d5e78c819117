#include "shuffle.h"

#include <chrono>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace fifteen {

void RandomDraws::seed_afresh()
{
    std::random_device device;
    const auto now = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::seed_seq sequence{static_cast<std::uint32_t>(device()), static_cast<std::uint32_t>(device()),
                           static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32)};
    engine_.seed(sequence);
}

double unit_draw(std::uint64_t bits)
{
    return static_cast<double>(bits >> 11) * 0x1.0p-53;
}

double RandomDraws::draw()
{
    return unit_draw(engine_());
}

namespace {

int value_of(double r)
{
    if (!(r >= 0.0 && r < 1.0))
        throw std::out_of_range("random draw outside [0, 1)");
    return static_cast<int>(std::floor(15.0 * r));
}

}  // namespace

bool is_solvable(const Cells& cells)
{
    // Count inversions among cells 1..15; with the gap in the last cell the
    // board is solvable exactly when the count is even.
    int inversions = 0;
    for (std::size_t i = 0; i < 15; ++i)
        for (std::size_t j = i + 1; j < 15; ++j)
            if (cells[i] > cells[j])
                ++inversions;
    return inversions % 2 == 0;
}

Cells deal_cells(const std::function<double()>& draw)
{
    Cells cells{};
    for (std::size_t k = 0; k < 15; ++k) {
        bool taken = true;
        while (taken) {
            cells[k] = value_of(draw());
            taken = false;
            for (std::size_t j = 0; j < k; ++j)
                taken = taken || cells[j] == cells[k];
        }
    }
    for (std::size_t k = 0; k < 15; ++k) {
        if (cells[k] == 0) {
            cells[k] = 15;
            break;
        }
    }
    cells[15] = 0;
    if (!is_solvable(cells))
        std::swap(cells[13], cells[14]);
    return cells;
}

}  // namespace fifteen
