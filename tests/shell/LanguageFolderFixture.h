#pragma once
// A temporary program folder with a "Languages" folder for the translation tests.

#include "NoFileCanBeOpened.h"
#include "platform/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

class LanguageFolderFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        skerra::setProgramFolderForTesting(program_.path());
        QDir().mkpath(languages());
    }
    void TearDown() override { skerra::setProgramFolderForTesting({}); }

    QString languages() const { return program_.path() + "/Languages/"; }
    void writeLanguage(const QString& name, const QByteArray& bytes) const
    {
        QFile f(languages() + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray contentOf(const QString& name) const
    {
        QFile f(languages() + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    bool exists(const QString& name) const { return QFile::exists(languages() + name); }

    QTemporaryDir program_;
};
