#include "platform/TextLines.h"

#include "FullFileSystem.h"
#include "MissingTool.h"

#include <QDir>

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

// A full disk: the write fails at its last bytes. The old file stays whole, no
// temporary file stays behind, and the reason is the system's.
TEST(TextLines, AWriteThatFailsAtItsLastBytesLeavesTheOldFileWholeAndSaysWhy)
{
    FullFileSystem disk;
    if (!disk.mounted()) SKERRA_SKIP_UNLESS_CI(disk.why());
    const QString path = disk.path("mSVPColumn.ini");
    ASSERT_TRUE(skerra::writeTextLines(path, {"0.0 1500.00", "10.0 1498.50"}));
    ASSERT_TRUE(disk.fill(4096));
    QStringList longer;
    for (int depth = 0; depth < 400; ++depth) longer << QString("%1.0 1500.00").arg(depth);
    ASSERT_GT(longer.join("\r\n").size(), 4096);
    QString error;
    EXPECT_FALSE(skerra::writeTextLines(path, longer, true, true, &error));
    EXPECT_EQ(error, "No space left on device");
    EXPECT_EQ(skerra::readTextLines(path).join("|").toStdString(), "0.0 1500.00|10.0 1498.50");
    EXPECT_EQ(QDir(disk.path(".")).entryList(QDir::Files), QStringList{"mSVPColumn.ini"});
}
