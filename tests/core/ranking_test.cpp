#include <gtest/gtest.h>

#include "core/highscore.h"
#include "core/ranking.h"

using namespace fifteen;

namespace {

struct Table {
    Captions names{"TOMVAR", "KELIN", "DANO", "RABO", "MIRAS", "SENYA", "TAO KI", "ZORIA", "PALKA", "OKU"};
    Captions scores{"100", "150", "200", "250", "300", "350", "400", "450", "500", "550"};
};

}  // namespace

TEST(Ranking, PlacesOnTheDefaultTable)
{
    const Table table;
    EXPECT_EQ(find_place(table.names, table.scores, 99), 1);
    EXPECT_EQ(find_place(table.names, table.scores, 100), 2) << "an equal result goes below";
    EXPECT_EQ(find_place(table.names, table.scores, 1), 1);
    EXPECT_EQ(find_place(table.names, table.scores, 549), 10);
    EXPECT_EQ(find_place(table.names, table.scores, 550), std::nullopt);
    EXPECT_EQ(find_place(table.names, table.scores, 32767), std::nullopt);
}

TEST(Ranking, CaptionsThatAreNotNumbersCountAsZero)
{
    EXPECT_EQ(caption_number(""), 0);
    EXPECT_EQ(caption_number("abc"), 0);
    EXPECT_EQ(caption_number(" 42"), 42);
    EXPECT_EQ(caption_number("12x"), 12);
    EXPECT_EQ(caption_number("007"), 7);
    // A caption too long for any number stays greater than every count.
    EXPECT_GT(caption_number("99999999999999999999999"), 32767);
}

TEST(Ranking, EmptyPlacesTakeAResultThatBeatsNoScore)
{
    Table table;
    table.names[8] = "";           // no name
    table.scores[9] = "0";         // no positive score
    EXPECT_TRUE(place_is_empty(table.names[8], table.scores[8]));
    EXPECT_TRUE(place_is_empty(table.names[9], table.scores[9]));
    EXPECT_TRUE(place_is_empty("ANNA", "x"));
    EXPECT_FALSE(place_is_empty("ANNA", "007"));
    // A better score still comes first; an empty place is not a score of 0.
    EXPECT_EQ(find_place(table.names, table.scores, 99), 1);
    EXPECT_EQ(find_place(table.names, table.scores, 449), 8);
    EXPECT_EQ(find_place(table.names, table.scores, 450), 9) << "the first empty place";
    EXPECT_EQ(find_place(table.names, table.scores, 9999), 9);
    EXPECT_EQ(find_place(table.names, table.scores, 10000), std::nullopt) << "five digits cannot be stored";
}

TEST(Ranking, RecordingShiftsTheLowerPlacesDown)
{
    Table table;
    record_result(table.names, table.scores, 1, "ANNA", 99);
    EXPECT_EQ(table.names[0], "ANNA");
    EXPECT_EQ(table.scores[0], "99");
    EXPECT_EQ(table.names[1], "TOMVAR");
    EXPECT_EQ(table.scores[1], "100");
    EXPECT_EQ(table.names[9], "PALKA");
    EXPECT_EQ(table.scores[9], "500");

    Table second;
    record_result(second.names, second.scores, 2, "BOB", 100);
    EXPECT_EQ(second.scores[0], "100");
    EXPECT_EQ(second.names[1], "BOB");
    EXPECT_EQ(second.scores[1], "100");
    EXPECT_EQ(second.names[2], "KELIN");

    Table last;
    const Table before;
    record_result(last.names, last.scores, 10, "ZED", 549);
    for (std::size_t p = 0; p < 9; ++p) {
        EXPECT_EQ(last.names[p], before.names[p]);
        EXPECT_EQ(last.scores[p], before.scores[p]);
    }
    EXPECT_EQ(last.names[9], "ZED");
    EXPECT_EQ(last.scores[9], "549");
}
