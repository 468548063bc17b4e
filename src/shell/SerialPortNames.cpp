#include "SerialPortNames.h"

#include <QDir>
#include <QSerialPortInfo>

namespace skerra {

QStringList availableSerialPortNames(const QString& byIdFolder)
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) names << info.portName();
    names.sort();
    const QDir byId(byIdFolder);
    for (const QString& entry : byId.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        names << byId.filePath(entry);
    names.removeDuplicates();
    return names;
}

}  // namespace skerra
