#include "chartfiles/LayoutFile.h"

#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/LayoutParser.h"
#include "chartfiles/LayoutStream.h"
#include "chartfiles/LayoutWriter.h"
#include "platform/Clock.h"

#include <QSaveFile>

#include <exception>
#include <new>

namespace {

LayoutResult failure(const QString& reason) { return LayoutResult{false, reason}; }

}  // namespace

LayoutResult CadLoad(THalvekCanvasModel& canvas, const QString& path, LayoutLoadMode mode)
{
    using namespace skerra::layout;
    try {
        StagedLayout staged;
        {
            LayoutParser parser;
            const QString error = readLayoutText(path, [&parser](std::string_view piece) { parser.feed(piece); });
            if (!error.isEmpty())
                return failure(error);
            staged = parser.finish();
        }
        if (!staged.layoutLineSeen)
            return failure(QStringLiteral("not a layout file"));
        applyLayout(canvas, std::move(staged), mode);
        return LayoutResult{true, {}};
    } catch (const std::bad_alloc&) {
        return failure(QStringLiteral("out of memory"));
    } catch (const std::exception& e) {
        return failure(QString::fromUtf8(e.what()));
    }
}

LayoutResult CadSave(const THalvekCanvasModel& canvas, const QString& path)
{
    using namespace skerra::layout;
    try {
        QByteArray bytes;
        {
            const std::string text = composeLayoutText(canvas, skerra::currentDateTime());
            // A file this size could not be read back.
            if (static_cast<qint64>(text.size()) > layoutTextLimit())
                return failure(QStringLiteral("too large"));
            bytes = compressLayoutText(text);
        }
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return failure(file.errorString());
        if (file.write(bytes) != bytes.size()) {
            const QString error = file.errorString();
            file.cancelWriting();
            return failure(error);
        }
        if (!file.commit())
            return failure(file.errorString());
        return LayoutResult{true, {}};
    } catch (const std::bad_alloc&) {
        return failure(QStringLiteral("out of memory"));
    } catch (const std::exception& e) {
        return failure(QString::fromUtf8(e.what()));
    }
}
