#include "devices/ntrip/NTRIPStatusCaptions.h"

namespace skerra::ntrip {

TStatusCaptions CaptionsForStatus(int status, bool retrying)
{
    const QString prefix = QStringLiteral("Halvek NTRIP Client - ");
    if (retrying && status != 1 && status != 2 && status != 3)
        return {QStringLiteral("Disconnect"), prefix + QStringLiteral("Waiting to reconnect...")};
    switch (status) {
    case 1: return {QStringLiteral("Connecting..."), prefix + QStringLiteral("Connecting...")};
    case 2: return {QStringLiteral("Disconnect"), prefix + QStringLiteral("Connected")};
    case 3: return {QStringLiteral("Disconnect"), prefix + QStringLiteral("Receiving Data")};
    case 4: return {QStringLiteral("Connect"), prefix + QStringLiteral("Error")};
    default: return {QStringLiteral("Connect"), prefix + QStringLiteral("Disconnected")};
    }
}

QString GroupedCount(long long value)
{
    QString digits = QString::number(value < 0 ? -value : value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, QLatin1Char(','));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

int ProgressPosition(long long bytes) { return static_cast<int>((bytes % 5000) / 50); }

}  // namespace skerra::ntrip
