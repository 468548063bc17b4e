#include "MissingKeyLog.h"

#include "platform/TextLines.h"

#include <QFile>

namespace skerra {

void MissingKeyLog::LoadOnce()
{
    if (loaded_) return;
    loaded_ = true;
    QFile file(QString::fromStdString(path_));
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray content = file.readAll();
    endsWithBreak_ = content.isEmpty() || content.endsWith('\n');
    for (const QString& line : splitTextLines(content)) keys_.insert(line.toStdString());
}

bool MissingKeyLog::Record(const std::string& key)
{
    if (key.empty() || key.find_first_of("\r\n") != std::string::npos) return false;
    LoadOnce();
    if (keys_.count(key)) return false;
    keys_.insert(key);
    QFile file(QString::fromStdString(path_));
    if (!file.open(QIODevice::Append)) return true;  // the log is a help; a refused write is not a fault
    QByteArray line;
    if (!endsWithBreak_) line += "\r\n";
    line += QByteArray::fromStdString(key) + "\r\n";
    endsWithBreak_ = file.write(line) == line.size();
    return true;
}

}  // namespace skerra
