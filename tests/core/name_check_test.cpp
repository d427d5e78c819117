#include <gtest/gtest.h>

#include "core/name_check.h"

using namespace fifteen;

namespace {
bool accepts(std::u32string_view upper)
{
    return name_acceptable(upper, upper.size());
}
}  // namespace

TEST(NameCheck, CapitalsAndTheSixSignsPass)
{
    EXPECT_TRUE(accepts(U"ANNA"));
    EXPECT_TRUE(accepts(U"A"));
    EXPECT_TRUE(accepts(U"ABCDEF"));
    EXPECT_TRUE(accepts(U"[\\]^_`"));
    EXPECT_TRUE(accepts(U"abc")) << "small letters lie in the range too";
}

TEST(NameCheck, EverythingElseIsRefused)
{
    EXPECT_FALSE(accepts(U""));
    EXPECT_FALSE(accepts(U"AB CD"));
    EXPECT_FALSE(accepts(U"R2D2"));
    EXPECT_FALSE(accepts(U"A.B"));
    EXPECT_FALSE(accepts(U"\u00C9MILE")) << "an accented capital";
    EXPECT_FALSE(accepts(U"ANN@"));
    EXPECT_FALSE(accepts(U"{}"));
    EXPECT_FALSE(accepts(U"@ABC")) << "the first character counts too";
}

TEST(NameCheck, CapitalsOfAnotherLengthAreRefused)
{
    // "straße" becomes "STRASSE": seven capitals for six typed characters.
    EXPECT_FALSE(name_acceptable(U"STRASSE", 6));
    EXPECT_TRUE(name_acceptable(U"STRASE", 6));
}

TEST(NameCheck, PlainLettersBecomeCapitalsInEveryLanguage)
{
    // A Turkish locale would make i a dotted capital, which the check refuses.
    const auto turkish = [](char32_t c) { return c == U'i' ? std::u32string(U"\u0130") : std::u32string(1, c); };
    EXPECT_EQ(upper_name(U"kim", turkish), U"KIM");
    // Everything else is the locale's to capitalise.
    const auto accents = [](char32_t c) { return c == U'\u00E9' ? std::u32string(U"\u00C9") : std::u32string(U"SS"); };
    EXPECT_EQ(upper_name(U"\u00E9a\u00DF", accents), U"\u00C9ASS");
}
