#include "platform/AppPaths.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class PathArguments : public ::testing::Test {
protected:
    void SetUp() override { skerra::setProgramFolderForTesting("/opt/skerra/bin"); }
    void TearDown() override
    {
        skerra::setSettingsFile({});
        skerra::setDataRoot({});
        skerra::setProgramFolderForTesting({});
    }
};

TEST_F(PathArguments, PointTheRunAtAnotherSettingsFileAndDataRoot)
{
    const QString home = QDir::homePath();
    struct Case {
        QStringList arguments;
        QString settings, dataRoot;
    } cases[] = {
        {{"skerra"}, "/opt/skerra/bin/skerra.INI", home + "/QMT/"},
        {{"skerra", "-platform", "offscreen"}, "/opt/skerra/bin/skerra.INI", home + "/QMT/"},
        {{"skerra", "--settings", "/tmp/demo.INI"}, "/tmp/demo.INI", home + "/QMT/"},
        {{"skerra", "--data-root=/srv/survey", "--settings=/tmp/a.INI"}, "/tmp/a.INI", "/srv/survey/"},
        {{"skerra", "--settings", "demo/skerra-demo.INI"},
         QDir::current().absoluteFilePath("demo/skerra-demo.INI"), home + "/QMT/"},
        {{"--settings", "skerra"}, "/opt/skerra/bin/skerra.INI", home + "/QMT/"},  // the program's own name
    };
    for (const Case& c : cases) {
        EXPECT_EQ(skerra::applyPathArguments(c.arguments), "") << c.arguments.join(' ').toStdString();
        EXPECT_EQ(skerra::settingsFilePath(), c.settings) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(skerra::dataRoot(), c.dataRoot) << c.arguments.join(' ').toStdString();
        // Files kept with the settings (the sound-velocity lists) follow the settings file.
        EXPECT_EQ(skerra::besideSettings("mSVPColumn.ini"), QFileInfo(c.settings).path() + "/mSVPColumn.ini");
        skerra::setSettingsFile({});
        skerra::setDataRoot({});
    }
}

TEST_F(PathArguments, AnOptionWithoutItsPathIsRefusedAndChangesNothing)
{
    EXPECT_EQ(skerra::applyPathArguments({"skerra", "--settings"}), "--settings needs a path");
    EXPECT_EQ(skerra::applyPathArguments({"skerra", "--data-root="}), "--data-root needs a path");
    EXPECT_EQ(skerra::settingsFilePath(), "/opt/skerra/bin/skerra.INI");
    EXPECT_EQ(skerra::dataRoot(), QDir::homePath() + "/QMT/");
}

}  // namespace
