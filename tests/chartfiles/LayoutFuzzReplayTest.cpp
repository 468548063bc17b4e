// The layout reader's fuzz target, built with the usual compiler, run over its
// seeds and the test files: it aborts on a crash or a broken property.

#include <QDir>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(LayoutFuzzReplay, EverySeedAndTestFileKeepsTheReadersProperties)
{
    int replayed = 0;
    for (const char* folder : {SKERRA_FUZZ_CORPUS_QMT, SKERRA_TESTDATA_CHARTFILES}) {
        const QDir dir(QString::fromUtf8(folder));
        ASSERT_TRUE(dir.exists()) << folder;
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            const QByteArray bytes = f.readAll();
            SCOPED_TRACE(name.toStdString());
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   static_cast<std::size_t>(bytes.size()));
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}
