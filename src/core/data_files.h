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

// What a look at a file found. Only "no such file" makes a file missing: a
// look that fails for any other reason (a failing disk, a folder that may
// not be searched) says nothing about whether the file is there.
struct FileLook {
    enum class Kind { Regular, Missing, NotRegular, Failed };
    Kind kind = Kind::Missing;
    std::uintmax_t size = 0;  // Regular: its size in bytes
    std::string reason;       // Failed: why the look failed
};

// A look at a data file by its name.
using FileLookup = std::function<FileLook(std::string_view name)>;

struct DataFileProblem {
    const DataFile* file;
    FileLook found;

    // One line for the player: the file and what is wrong with it.
    [[nodiscard]] std::string describe() const;
};

struct DataFileCheck {
    std::optional<DataFileProblem> problem;  // the first row that fails
    bool table_missing = false;              // there is surely no high-score file
};

// Examines the rows in order and stops at the first that fails. The
// high-score file never fails the check: a missing one is written anew from
// the default table, and one that cannot be looked at is left where and as
// it is for the table's own reader to try.
[[nodiscard]] DataFileCheck check_data_files(const FileLookup& look_at);

}  // namespace fifteen
