#pragma once
// A short, not shortest, solution of a deal: weighted A* over the tiles'
// distances from home. Quick enough for a test to play whole games.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <queue>
#include <string>
#include <unordered_map>
#include <vector>

// The keys that solve `board` (values by cell, 0 the gap): each is the way
// a tile travels, "Left", "Right", "Up" or "Down". Empty when unsolved.
inline std::vector<std::string> solve(const std::vector<int>& board)
{
    using State = std::uint64_t;
    auto at = [](State s, int i) { return int((s >> (4 * i)) & 15); };
    auto cost = [&](State s) {
        int d = 0;
        for (int i = 0; i < 16; ++i)
            if (const int v = at(s, i))
                d += std::abs(i / 4 - (v - 1) / 4) + std::abs(i % 4 - (v - 1) % 4);
        return d;
    };
    std::vector<int> sorted = board;
    std::sort(sorted.begin(), sorted.end());
    for (int v = 0; v < 16; ++v)
        if (sorted.size() != 16 || sorted[std::size_t(v)] != v)
            return {};  // not a board
    State start = 0, goal = 0;
    for (int i = 0; i < 16; ++i) {
        start |= State(board[std::size_t(i)]) << (4 * i);
        goal |= State(i < 15 ? i + 1 : 0) << (4 * i);
    }
    struct Step { State from; int key; int g; };
    std::unordered_map<State, Step> seen{{start, {start, -1, 0}}};
    using Entry = std::pair<int, State>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    open.push({3 * cost(start), start});
    // The gap moves by -1, +1, -4, +4: the tile beside it travels the other way.
    const int shift[4] = {1, -1, 4, -4};
    const char* const keys[4] = {"Left", "Right", "Up", "Down"};
    while (!open.empty() && seen.size() < 4'000'000) {
        const State s = open.top().second;
        open.pop();
        if (s == goal) {
            std::vector<std::string> out;
            for (State t = goal; t != start; t = seen[t].from)
                out.insert(out.begin(), keys[seen[t].key]);
            return out;
        }
        int gap = 0;
        while (at(s, gap) != 0)
            ++gap;
        const int g = seen[s].g;
        for (int k = 0; k < 4; ++k) {
            const int from = gap + shift[k];
            if (from < 0 || from > 15 || (k < 2 && from / 4 != gap / 4))
                continue;
            const State v = State(at(s, from));
            const State next = s - (v << (4 * from)) + (v << (4 * gap));
            const auto found = seen.find(next);
            if (found != seen.end() && found->second.g <= g + 1)
                continue;
            seen[next] = {s, k, g + 1};
            open.push({g + 1 + 3 * cost(next), next});
        }
    }
    return {};
}
