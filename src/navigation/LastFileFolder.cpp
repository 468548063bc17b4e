#include "LastFileFolder.h"

#include <QDir>
#include <QFileInfo>

QString LastFileFolderText(const QString& fileName, const QString& dataRoot)
{
    const QFileInfo file(fileName);
    const QString folder = QDir::cleanPath(file.absolutePath());
    const QFileInfo folderInfo(folder);
    const QString day = QDir::cleanPath(folderInfo.absolutePath());
    const bool inDayLayouts = folderInfo.fileName() == QStringLiteral("QMT") && !dataRoot.isEmpty()
                              && QDir::cleanPath(QFileInfo(day).absolutePath()) == QDir::cleanPath(dataRoot);
    return QDir::toNativeSeparators(inDayLayouts ? day : folder);
}

bool PanelContains(int left, int width, int x) { return x >= left && x <= left + width; }
