#include "shell/LastGoodNumber.h"

#include <gtest/gtest.h>

using skerra::LastGoodNumber;

TEST(LastGoodNumber, ATextThatIsNotANumberOfItsKindLeavesTheLastGoodOne)
{
    const struct { LastGoodNumber::Kind kind; const char* text; const char* inForce; } cases[] = {
        {LastGoodNumber::Kind::Real, "2.5", "2.5"},
        {LastGoodNumber::Kind::Real, ".", "7"},
        {LastGoodNumber::Kind::Real, "", "7"},
        {LastGoodNumber::Kind::Real, "1,5", "7"},  // no locale decimal comma
        {LastGoodNumber::Kind::Real, "12.", "12."},
        {LastGoodNumber::Kind::WholeNumber, "3", "3"},
        {LastGoodNumber::Kind::WholeNumber, "3.5", "7"},
        {LastGoodNumber::Kind::WholeNumber, "-1", "7"},
        {LastGoodNumber::Kind::WholeNumber, "abc", "7"},
    };
    for (const auto& c : cases) {
        LastGoodNumber number(c.kind, "7");
        EXPECT_EQ(number.take(QString::fromLatin1(c.text)), c.inForce) << c.text;
        EXPECT_EQ(number.value(), c.inForce) << c.text;
    }
}

TEST(LastGoodNumber, RemembersAcrossBadTexts)
{
    LastGoodNumber number(LastGoodNumber::Kind::Real, "1");
    number.take("4");
    number.take("4.");
    number.take("");
    EXPECT_EQ(number.value(), "4.");
}
