#include <gtest/gtest.h>

#include <map>

#include "core/data_files.h"

using namespace fifteen;

namespace {

// A game folder held in memory: every file at its table size.
struct Folder {
    std::map<std::string, std::uintmax_t> sizes;
    int defaults_written = 0;

    Folder()
    {
        for (const DataFile& file : kDataFiles)
            sizes[std::string(file.name)] = file.name == kHighscoreFile ? 100 : file.size;
    }

    std::optional<DataFileProblem> check()
    {
        return check_data_files(
            [this](std::string_view name) -> std::optional<std::uintmax_t> {
                auto it = sizes.find(std::string(name));
                if (it == sizes.end())
                    return std::nullopt;
                return it->second;
            },
            [this] {
                ++defaults_written;
                sizes[std::string(kHighscoreFile)] = 100;
            });
    }
};

}  // namespace

TEST(DataFiles, HighscoreFileUpTo120BytesPasses)
{
    for (std::uintmax_t size : {0u, 100u, 120u}) {
        Folder folder;
        folder.sizes["HIGHSCORE.RES"] = size;
        EXPECT_FALSE(folder.check()) << size;
    }
    Folder folder;
    folder.sizes["HIGHSCORE.RES"] = 121;
    const auto problem = folder.check();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->describe(), "HIGHSCORE.RES: size 121, larger than 120 bytes");
    EXPECT_EQ(folder.defaults_written, 0);
}

TEST(DataFiles, MissingHighscoreFileIsCreatedAndTheCheckGoesOn)
{
    Folder folder;
    folder.sizes.erase("HIGHSCORE.RES");
    EXPECT_FALSE(folder.check());
    EXPECT_EQ(folder.defaults_written, 1);

    Folder broken;
    broken.sizes.erase("HIGHSCORE.RES");
    broken.sizes["005.JPG"] = 4140;
    const auto problem = broken.check();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->describe(), "005.JPG: size 4140 where 4139 is expected");
    EXPECT_EQ(broken.defaults_written, 1);
}

TEST(DataFiles, WrongSizesAndMissingFilesEndWithoutWriting)
{
    Folder longer;
    longer.sizes["005.JPG"] = 4140;
    auto problem = longer.check();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->file->name, "005.JPG");

    Folder missing;
    missing.sizes.erase("STARTOVER1.JPG");
    problem = missing.check();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->describe(), "STARTOVER1.JPG: missing");
    EXPECT_EQ(missing.defaults_written, 0);

    // The first failing row is the one reported.
    Folder both;
    both.sizes["003.JPG"] = 1;
    both.sizes.erase("ZUROZO.EXE");
    problem = both.check();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->file->name, "003.JPG");
    EXPECT_EQ(both.defaults_written, 0);
}
