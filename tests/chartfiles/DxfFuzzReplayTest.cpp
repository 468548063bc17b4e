// The fuzz target's seeds and the inputs kept from its findings, replayed
// through the import of the normal build.

#include "DxfTestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace dxftest;

TEST(DxfFuzzReplay, SeedsAndFindingsLoadWithFiniteShapes)
{
    MessageRecorder quiet;
    int files = 0;
    for (const char* folder : {"corpus/dxf", "regressions/dxf"}) {
        const QDir dir(QStringLiteral(SKERRA_FUZZ_DIR "/") + folder);
        for (const QString& name : dir.entryList(QDir::Files)) {
            SCOPED_TRACE(name.toStdString());
            THalvekCanvasModel m;
            DXFLoad(m, dir.filePath(name));
            DXFLoad(m, dir.filePath(name));
            for (const THShape* s : m.Shapes())
                EXPECT_TRUE(std::isfinite(s->MinX()) && std::isfinite(s->MaxX()) && std::isfinite(s->MinY()) &&
                            std::isfinite(s->MaxY()));
            ++files;
        }
    }
    EXPECT_GT(files, 0) << "no inputs found under " SKERRA_FUZZ_DIR;
}

}  // namespace
