#include "platform/TextLines.h"

#include <gtest/gtest.h>

using skerra::splitTextLines;

TEST(TextLines, SplitsAnyLineEndAndDropsTheBom)
{
    const struct { QByteArray in; QStringList out; } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"\xEF\xBB\xBFx\n\ny", {"x", "", "y"}},
        {"a\rb\r", {"a", "b"}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(splitTextLines(c.in), c.out) << c.in.constData();
}
