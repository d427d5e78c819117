#pragma once
// The game's data files and the byte sizes they must have.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace fifteen {

struct DataFile {
    enum class Rule { Present, Exactly };
    std::string_view name;
    Rule rule;
    std::uintmax_t size;
};

inline constexpr std::string_view kHighscoreFile = "HIGHSCORE.RES";
inline constexpr std::string_view kSiblingProgram = "ZUROZO.EXE";
// The sibling program's fixed size; its build pads it to exactly this.
inline constexpr std::uintmax_t kSiblingProgramSize = 69632;
// The game's home page, shipped beside the program; not one of the checked files.
inline constexpr std::string_view kHomePage = "fifteen.html";

// Examined in this order at every start.
inline constexpr std::array<DataFile, 29> kDataFiles{{
    {kHighscoreFile, DataFile::Rule::Present, 0},  // any size: the table reader copes
    {"000.JPG", DataFile::Rule::Exactly, 12332},
    {"001.JPG", DataFile::Rule::Exactly, 3373},
    {"002.JPG", DataFile::Rule::Exactly, 4220},
    {"003.JPG", DataFile::Rule::Exactly, 4499},
    {"004.JPG", DataFile::Rule::Exactly, 3938},
    {"005.JPG", DataFile::Rule::Exactly, 4139},
    {"006.JPG", DataFile::Rule::Exactly, 4213},
    {"007.JPG", DataFile::Rule::Exactly, 3621},
    {"008.JPG", DataFile::Rule::Exactly, 4436},
    {"009.JPG", DataFile::Rule::Exactly, 4221},
    {"010.JPG", DataFile::Rule::Exactly, 4712},
    {"011.JPG", DataFile::Rule::Exactly, 4150},
    {"012.JPG", DataFile::Rule::Exactly, 5179},
    {"013.JPG", DataFile::Rule::Exactly, 5448},
    {"014.JPG", DataFile::Rule::Exactly, 4826},
    {"015.JPG", DataFile::Rule::Exactly, 5078},
    {"ENTERYOURNAME.JPG", DataFile::Rule::Exactly, 4731},
    {"OK1.JPG", DataFile::Rule::Exactly, 12680},
    {"OK2.JPG", DataFile::Rule::Exactly, 1069},
    {"STARTOVER1.JPG", DataFile::Rule::Exactly, 6546},
    {"STARTOVER2.JPG", DataFile::Rule::Exactly, 5341},
    {"KELVANE1.JPG", DataFile::Rule::Exactly, 4661},
    {"KELVANE2.JPG", DataFile::Rule::Exactly, 4320},
    {"WELLDONE1.JPG", DataFile::Rule::Exactly, 21296},
    {"WELLDONE2.JPG", DataFile::Rule::Exactly, 22734},
    {"001.WAV", DataFile::Rule::Exactly, 3078},
    {"002.WAV", DataFile::Rule::Exactly, 39952},
    {kSiblingProgram, DataFile::Rule::Exactly, kSiblingProgramSize},
}};

// The picture of a cell value: "000.JPG" for the gap, "001.JPG" .. "015.JPG"
// for the tiles; a value outside 0..14 shows the tile 15.
[[nodiscard]] std::string tile_file(int value);

// The byte size of a data file by its name, or nothing when it is missing
// or its size cannot be read.
using SizeLookup = std::function<std::optional<std::uintmax_t>(std::string_view name)>;

struct DataFileProblem {
    const DataFile* file;
    std::optional<std::uintmax_t> actual;  // nothing: missing

    // One line for the player: the file and what is wrong with it.
    [[nodiscard]] std::string describe() const;
};

struct DataFileCheck {
    std::optional<DataFileProblem> problem;  // the first row that fails
    bool table_missing = false;              // the high-score file is not there
};

// Examines the rows in order and stops at the first that fails. A missing
// high-score file is not a failure: the game writes the default table.
[[nodiscard]] DataFileCheck check_data_files(const SizeLookup& size_of);

}  // namespace fifteen
