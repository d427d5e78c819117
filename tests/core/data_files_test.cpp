#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "core/data_files.h"

using namespace fifteen;

namespace {

// A game folder held in memory: every file at its table size.
struct Folder {
    std::map<std::string, std::uintmax_t> sizes;
    std::map<std::string, FileLook> odd;  // files that are no plain file, or cannot be looked at

    Folder()
    {
        for (const DataFile& file : kDataFiles)
            sizes[std::string(file.name)] = file.name == kHighscoreFile ? 100 : file.size;
    }

    DataFileCheck check()
    {
        return check_data_files([this](std::string_view name) {
            if (const auto it = odd.find(std::string(name)); it != odd.end())
                return it->second;
            const auto it = sizes.find(std::string(name));
            return it == sizes.end() ? FileLook{} : FileLook{FileLook::Kind::Regular, it->second, {}};
        });
    }
};

}  // namespace

TEST(DataFiles, HighscoreFileOfAnySizePasses)
{
    // The table reader copes with any table; a long one never stops the start.
    for (std::uintmax_t size : {0u, 100u, 120u, 121u, 1000000u}) {
        Folder folder;
        folder.sizes["HIGHSCORE.RES"] = size;
        const DataFileCheck check = folder.check();
        EXPECT_FALSE(check.problem) << size;
        EXPECT_FALSE(check.table_missing) << size;
    }
}

TEST(DataFiles, MissingHighscoreFileIsReportedAndTheCheckGoesOn)
{
    Folder folder;
    folder.sizes.erase("HIGHSCORE.RES");
    EXPECT_FALSE(folder.check().problem);
    EXPECT_TRUE(folder.check().table_missing);

    // Only a table that is surely not there is missing: one that cannot be
    // looked at, or is no plain file, is left to the reader.
    for (const FileLook::Kind kind : {FileLook::Kind::Failed, FileLook::Kind::NotRegular}) {
        Folder unknown;
        unknown.odd["HIGHSCORE.RES"] = FileLook{kind, 0, "Input/output error"};
        EXPECT_FALSE(unknown.check().problem);
        EXPECT_FALSE(unknown.check().table_missing);
    }

    Folder broken;
    broken.sizes.erase("HIGHSCORE.RES");
    broken.sizes["005.JPG"] = 4140;
    const DataFileCheck check = broken.check();
    ASSERT_TRUE(check.problem);
    EXPECT_EQ(check.problem->describe(), "005.JPG: size 4140 where 4139 is expected");
}

TEST(DataFiles, WrongSizesAndMissingFilesEnd)
{
    Folder longer;
    longer.sizes["005.JPG"] = 4140;
    auto problem = longer.check().problem;
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->file->name, "005.JPG");

    Folder missing;
    missing.sizes.erase("STARTOVER1.JPG");
    problem = missing.check().problem;
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->describe(), "STARTOVER1.JPG: missing");

    Folder unreadable;
    unreadable.odd["OK2.JPG"] = FileLook{FileLook::Kind::Failed, 0, "Input/output error"};
    unreadable.odd["001.WAV"] = FileLook{FileLook::Kind::NotRegular, 0, {}};
    EXPECT_EQ(unreadable.check().problem->describe(), "OK2.JPG: cannot be read: Input/output error");
    unreadable.odd.erase("OK2.JPG");
    EXPECT_EQ(unreadable.check().problem->describe(), "001.WAV: not a regular file");

    // The first failing row is the one reported.
    Folder both;
    both.sizes["003.JPG"] = 1;
    both.sizes.erase("ZUROZO.EXE");
    problem = both.check().problem;
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->file->name, "003.JPG");
}

TEST(DataFiles, TheInstallShipsTheGamesOwnList)
{
    // Every file the game checks or opens, and nothing else: the program,
    // the sibling program, the home page and each data file but the table.
    std::set<std::string> shipped;
    std::istringstream list(FIFTEEN_GAME_FILES);
    for (std::string name; std::getline(list, name, ',');)
        shipped.insert(name);
    std::set<std::string> game{"fifteen", std::string(kHomePage)};
    for (const DataFile& file : kDataFiles)
        if (file.name != kHighscoreFile)
            game.insert(std::string(file.name));
    EXPECT_EQ(shipped, game);
}
