#pragma once
// A temporary settings file, data root and fixed clock for the settings window's tests,
// and a way to make the settings file refuse a write (root included).

#include "NoFileCanBeOpened.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "shell/SharedHeader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class SettingsFileFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        skerra::setProgramFolderForTesting(program_.path());
        skerra::setDataRootForTesting(data_.path());
        skerra::setClockForTesting([] { return QDateTime(QDate(2025, 6, 1), QTime(8, 0, 0, 5)); });
        InitSharedHeaderGlobals();
        QDir().mkpath(QString::fromStdString(LogFolder));
    }
    void TearDown() override
    {
        skerra::setClockForTesting({});
        skerra::setProgramFolderForTesting({});
        skerra::setDataRootForTesting({});
    }
    QString iniPath() const { return skerra::settingsFilePath(); }
    void writeIni(const QByteArray& bytes)
    {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray contentOf(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QByteArray iniContent() const { return contentOf(iniPath()); }
    QByteArray eventLog() const { return contentOf(QString::fromStdString(TodaysEventLogPath())); }

    QTemporaryDir program_, data_;
};
