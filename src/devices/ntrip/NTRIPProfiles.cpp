#include "devices/ntrip/NTRIPProfiles.h"

#include "platform/TextLines.h"

#include <QFile>

namespace skerra::ntrip {

QString ProfileDisplayName(const QString& server, const QString& port, const QString& username)
{
    const QString address = server + QLatin1Char(':') + port;
    return username.isEmpty() ? address : username + QLatin1Char('@') + address;
}

std::vector<TProfileRecord> ReadProfiles(const QString& path)
{
    std::vector<TProfileRecord> records;
    for (const QString& line : readTextLines(path))
        if (line.contains(QLatin1Char('\t'))) records.push_back({line.split(QLatin1Char('\t'))});
    return records;
}

void RestrictToOwner(const QString& path)
{
    if (QFile::exists(path)) QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

bool SaveProfile(const QString& path, const TNTRIPProfile& p, QString* reason)
{
    const auto failed = [reason](const QString& why) {
        if (reason) *reason = why;
        return false;
    };
    const QString name = ProfileDisplayName(p.Server, p.Port, p.Username);
    const QString line = QStringList{name, p.Server, p.Port, p.Username, p.Password, p.Latitude, p.Longitude}.join(
        QLatin1Char('\t'));
    bool ok = true;
    QStringList lines = QFile::exists(path) ? readTextLines(path, &ok) : QStringList();
    if (!ok) return failed(QStringLiteral("the profiles file cannot be read"));
    const QString prefix = name + QLatin1Char('\t');
    auto same = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(prefix); });
    if (same != lines.end())
        *same = line;
    else
        lines << line;
    // An empty file first, owner-only, so the password is never readable by others.
    if (!QFile::exists(path)) {
        QFile create(path);
        if (!create.open(QIODevice::WriteOnly)) return failed(create.errorString());
        create.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    RestrictToOwner(path);
    if (!writeTextLines(path, lines, true, true, reason)) return false;
    RestrictToOwner(path);
    return true;
}

}  // namespace skerra::ntrip
