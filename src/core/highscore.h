#pragma once
// The high-score text: twenty "."-terminated fields, name 1, score 1, ...,
// name 10, score 10, then CR LF. One byte per character.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fifteen {

inline constexpr int kPlaces = 10;
inline constexpr std::size_t kNameSlots = 8;   // longest name the reader takes
inline constexpr std::size_t kNameLength = 6;  // longest name a winner types, and the writer keeps
inline constexpr std::size_t kScoreSlots = 4;  // longest score the reader takes
// The highest score a table can keep: kScoreSlots nines.
inline constexpr int kHighestScore = [] {
    int highest = 0;
    for (std::size_t digit = 0; digit < kScoreSlots; ++digit)
        highest = highest * 10 + 9;
    return highest;
}();
// A UTF-8 byte-order mark, which the reader skips, and the line end.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
inline constexpr std::string_view kLineEnd = "\r\n";
// The longest table text the game writes, and the largest file that counts
// as a clean table: every place a name a winner can type and a score, each
// with its ".". The data-file check has always allowed tables of this size.
inline constexpr std::size_t kTableLimit = kPlaces * (kNameLength + 1 + kScoreSlots + 1);
static_assert(kTableLimit == 120);
// How much of a stored file is read: the longest table the reader takes
// (names and scores filling their slots) behind a byte-order mark, with its
// line end. Anything beyond is never read.
inline constexpr std::size_t kReadLimit =
    kByteOrderMark.size() + kPlaces * (kNameSlots + 1 + kScoreSlots + 1) + kLineEnd.size();
static_assert(kReadLimit == 145);

inline constexpr std::string_view kDefaultTableText =
    "TOMVAR.100.KELIN.150.DANO.200.RABO.250.MIRAS.300."
    "SENYA.350.TAO KI.400.ZORIA.450.PALKA.500.OKU.550.";

using Captions = std::array<std::string, kPlaces>;

// Walks the text once and returns the captions in the order the labels take
// them: name 1, score 1, name 2, ... The list stops before the first field
// that breaks a limit (a name over 8 characters, a score over 4, or a text
// that ends before the tenth score's "."); the fields before it stand.
// A score character that is not a digit reads as "0". Whatever follows the
// tenth score's "." is ignored.
[[nodiscard]] std::vector<std::string> parse_table_text(std::string_view text);

// A stored table as the window shows it: the places that read stand in
// their order, and the empty places follow them, blank. A place is empty when
// its name or its score is missing or the score is not a positive number.
struct StoredTable {
    Captions names;
    Captions scores;
    int places = 0;       // the places that read, 0..10
    bool clean = false;   // ten whole places in at most kTableLimit bytes, as the game writes them
};

// Reads the first bytes of a stored file (at most kReadLimit) whose whole
// size is `file_size`. A UTF-8 byte-order mark at the start is skipped.
[[nodiscard]] StoredTable read_stored_table(std::string_view bytes, std::size_t file_size);

// Name 1, ".", score 1, ".", ... name 10, ".", score 10, ".".
[[nodiscard]] std::string compose_table_text(const Captions& names, const Captions& scores);

// Cuts every name longer than kNameLength to that length. Names of up to
// eight letters read, but only six fit ten places into 120 characters.
void shorten_names(Captions& names);

// The bytes to store for a table text, or nothing when the text is longer
// than kTableLimit characters. A text of 119 or 120 characters is stored
// without its line end, so that the file stays within the size of a clean
// table; the reader ignores the line end anyway.
[[nodiscard]] std::optional<std::string> table_file_bytes(std::string_view text);

}  // namespace fifteen
