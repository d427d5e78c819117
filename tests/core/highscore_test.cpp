#include <gtest/gtest.h>

#include "core/highscore.h"

using namespace fifteen;
using Fields = std::vector<std::string>;

namespace {

// A table text whose names and scores are all `name` and `score`.
std::string uniform_text(const std::string& name, const std::string& score)
{
    std::string text;
    for (int p = 0; p < kPlaces; ++p)
        text += name + "." + score + ".";
    return text;
}

}  // namespace

TEST(HighscoreText, DefaultTableReadsAsItsTenPlaces)
{
    const Fields fields = parse_table_text(std::string(kDefaultTableText) + "\r\n");
    const Fields expected{"TOMVAR", "100", "KELIN", "150", "DANO",  "200", "RABO",  "250", "MIRAS", "300",
                          "SENYA",  "350", "TAO KI", "400", "ZORIA", "450", "PALKA", "500", "OKU",   "550"};
    EXPECT_EQ(fields, expected);
}

TEST(HighscoreText, FieldLengthLimits)
{
    // Eight characters of name and four of score are read whole.
    Fields fields = parse_table_text(uniform_text("ABCDEFGH", "1234"));
    ASSERT_EQ(fields.size(), 20u);
    EXPECT_EQ(fields[0], "ABCDEFGH");
    EXPECT_EQ(fields[1], "1234");

    // A ninth character of name stops in that field: nothing of it is set.
    fields = parse_table_text("AB.1.ABCDEFGHI.2." + uniform_text("X", "3"));
    EXPECT_EQ(fields, (Fields{"AB", "1"}));

    // A fifth digit stops in the score field: the same place's name is set.
    fields = parse_table_text("AB.1.CD.12345." + uniform_text("X", "3"));
    EXPECT_EQ(fields, (Fields{"AB", "1", "CD"}));
}

TEST(HighscoreText, ScoreCharactersReadAsDigits)
{
    const Fields fields = parse_table_text("A.007.B.1x5.C. .D..E.9." + uniform_text("F", "1"));
    ASSERT_GE(fields.size(), 10u);
    EXPECT_EQ(fields[1], "007");
    EXPECT_EQ(fields[3], "105");
    EXPECT_EQ(fields[5], "0");
    EXPECT_EQ(fields[7], "") << "an empty score stays empty";
    EXPECT_EQ(fields[9], "9");
}

TEST(HighscoreText, EmptyPlacesAndShortTexts)
{
    // ".." is an empty name and an empty score; the parse goes on.
    Fields fields = parse_table_text(".." + uniform_text("N", "5"));
    ASSERT_EQ(fields.size(), 20u);
    EXPECT_EQ(fields[0], "");
    EXPECT_EQ(fields[1], "");
    EXPECT_EQ(fields[2], "N");

    // A text that ends after the fifth score's "." sets five places only.
    const std::string five = std::string(kDefaultTableText).substr(0, 49);
    ASSERT_EQ(five.back(), '.');
    fields = parse_table_text(five);
    EXPECT_EQ(fields.size(), 10u);
    EXPECT_EQ(fields[9], "300");

    // A text cut inside a field gives nothing of that field.
    EXPECT_EQ(parse_table_text("AB.12").size(), 1u);
    EXPECT_TRUE(parse_table_text("").empty());
    EXPECT_TRUE(parse_table_text("ABC").empty());
}

TEST(HighscoreText, AnythingAfterTheTenthScoreIsIgnored)
{
    const std::string tail(5000, 'Z');
    const Fields fields = parse_table_text(std::string(kDefaultTableText) + tail + ".1.");
    ASSERT_EQ(fields.size(), 20u);
    EXPECT_EQ(fields[19], "550");
}

TEST(HighscoreText, BytesOutsideAsciiPassUnchanged)
{
    const Fields fields = parse_table_text("\xC4\xFF\x01.1." + uniform_text("X", "2"));
    ASSERT_EQ(fields.size(), 20u);
    EXPECT_EQ(fields[0], "\xC4\xFF\x01");
}

TEST(HighscoreText, DefaultFileIsTheHundredBytesOfTheDefaultTable)
{
    const auto bytes = table_file_bytes(kDefaultTableText);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 100u);
    EXPECT_EQ(bytes->substr(0, 11), "TOMVAR.100.");
    EXPECT_EQ((*bytes)[62], ' ');
    EXPECT_EQ(bytes->substr(90, 8), "OKU.550.");
    EXPECT_EQ(bytes->substr(98), "\r\n");
}

TEST(HighscoreText, ComposingTheReadTableGivesTheSameText)
{
    const Fields fields = parse_table_text(kDefaultTableText);
    Captions names, scores;
    for (std::size_t p = 0; p < kPlaces; ++p) {
        names[p] = fields[2 * p];
        scores[p] = fields[2 * p + 1];
    }
    EXPECT_EQ(compose_table_text(names, scores), kDefaultTableText);
    EXPECT_EQ(compose_table_text({}, {}), std::string(20, '.'));
}

TEST(HighscoreText, WriterLimitsKeepEveryFileReadable)
{
    for (std::size_t length : {98u, 118u, 119u, 120u, 121u, 150u}) {
        const std::string text(length, 'A');
        const auto bytes = table_file_bytes(text);
        if (length > 120) {
            EXPECT_FALSE(bytes) << length;
            continue;
        }
        ASSERT_TRUE(bytes) << length;
        EXPECT_LE(bytes->size(), kTableLimit) << length;
        EXPECT_EQ(bytes->substr(0, length), text);
        const bool with_line_end = length <= 118;
        EXPECT_EQ(bytes->size(), length + (with_line_end ? 2 : 0)) << length;
    }
    // Ten names of six letters with four-digit scores: exactly 120 characters,
    // stored as 120 bytes and read back whole.
    const std::string full = uniform_text("ABCDEF", "9999");
    ASSERT_EQ(full.size(), 120u);
    EXPECT_EQ(parse_table_text(*table_file_bytes(full)).size(), 20u);
}

TEST(StoredTable, PlacesThatReadStandAndEmptyOnesFollow)
{
    const std::string clean = std::string(kDefaultTableText) + "\r\n";
    StoredTable table = read_stored_table(clean, clean.size());
    EXPECT_TRUE(table.clean);
    EXPECT_EQ(table.places, 10);
    EXPECT_EQ(table.names[6], "TAO KI");

    // A byte-order mark is skipped, not damage.
    const std::string marked = "\xEF\xBB\xBF" + clean;
    table = read_stored_table(marked, marked.size());
    EXPECT_TRUE(table.clean);
    EXPECT_EQ(table.names[0], "TOMVAR");

    // One byte too many for the game's own files: read whole, but not clean.
    table = read_stored_table(clean, 121);
    EXPECT_FALSE(table.clean);
    EXPECT_EQ(table.places, 10);

    // An empty place in the middle goes to the end, blank.
    const std::string gap = "A.5..7.B.0.C.9." + uniform_text("D", "12").substr(0, 6 * 5);
    table = read_stored_table(gap, gap.size());
    EXPECT_TRUE(table.clean);
    EXPECT_EQ(table.places, 8);
    EXPECT_EQ(table.names[1], "C");
    EXPECT_EQ(table.scores[1], "9");
    EXPECT_EQ(table.names[8], "");
    EXPECT_EQ(table.scores[9], "");
}

TEST(StoredTable, DamagedTablesKeepWhatReads)
{
    struct Case {
        std::string bytes;
        int places;
    };
    const Case cases[] = {
        {"", 0},
        {"\x93\x11\xfe random bytes without a full stop", 0},
        {"TOMVAR.100.KELIN.150.", 2},                          // short
        {"TOMVAR.100.KELIN.150.NINELETTR.200.DANO.250.", 2},   // a name too long
        {"TOMVAR.100.KELIN.12345.DANO.250.", 1},               // a score too long: its name has no score
    };
    for (const Case& c : cases) {
        const StoredTable table = read_stored_table(c.bytes, c.bytes.size());
        EXPECT_FALSE(table.clean) << c.bytes;
        EXPECT_EQ(table.places, c.places) << c.bytes;
        for (std::size_t p = std::size_t(c.places); p < kPlaces; ++p)
            EXPECT_TRUE(table.names[p].empty() && table.scores[p].empty()) << c.bytes;
    }
}
