#pragma once
// A temporary program folder with a "Languages" folder for the translation tests.

#include "platform/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

#include <sys/resource.h>
#include <unistd.h>

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

    // While alive, the process can open no further file, whoever runs the test.
    class NoFileCanBeOpened {
    public:
        NoFileCanBeOpened()
        {
            getrlimit(RLIMIT_NOFILE, &old_);
            const int lowestFree = dup(0);
            close(lowestFree);
            rlimit cap{rlim_t(lowestFree), old_.rlim_max};
            setrlimit(RLIMIT_NOFILE, &cap);
        }
        ~NoFileCanBeOpened() { setrlimit(RLIMIT_NOFILE, &old_); }
    private:
        rlimit old_{};
    };

    QTemporaryDir program_;
};
