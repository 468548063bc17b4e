#include "PortSettings.h"

#include "devices/serial/THalvekSerialGPS.h"
#include "platform/NumberText.h"
#include "shell/SharedHeader.h"
#include "shell/THalvekTranslation.h"

#include <QFileInfo>

#include <algorithm>

namespace skerra {

QStringList baudRateItems()
{
    return {"110",   "300",   "600",   "1200",  "2400",   "4800",   "9600",  "14400",
            "19200", "38400", "56000", "57600", "115200", "128000", "256000"};
}
QStringList dataWidthItems() { return {"5", "6", "7", "8"}; }
QStringList stopBitsItems() { return {"1", "1.5", "2"}; }
QStringList parityItems() { return {"Even", "Mark", "None", "Odd", "Space"}; }
QStringList priorityItems() { return {"Higher", "Highest", "Idle", "Lower", "Lowest", "Normal", "TimeCritical"}; }
QStringList delayItems()
{
    return {"1",   "5",   "10",  "100",  "200",  "300",  "400",   "500",   "600",   "700",
            "800", "900", "1000", "2000", "3000", "5000", "10000", "20000", "50000", "100000"};
}
QStringList trueFalseItems() { return {"True", "False"}; }

PortFields portFieldsOf(const THalvekSerialGPS& d)
{
    return {d.Port,         d.BaudRate,     d.DataBits,  d.StopBits,  d.Parity,   d.Priority,
            d.PollInterval, d.LogNMEA,      d.LogTimeStamp, d.EnableDTR, d.EnableRTS, d.LogFileName};
}

void applyPortFields(THalvekSerialGPS& d, const PortFields& f)
{
    d.Port = f.Port;
    d.BaudRate = f.BaudRate;
    d.DataBits = f.DataBits;
    d.StopBits = f.StopBits;
    d.Parity = f.Parity;
    d.Priority = f.Priority;
    d.PollInterval = f.PollInterval;
    d.LogNMEA = f.LogNMEA;
    d.LogTimeStamp = f.LogTimeStamp;
    d.EnableDTR = f.EnableDTR;
    d.EnableRTS = f.EnableRTS;
    d.LogFileName = f.LogFileName;
}

std::optional<bool> parseBooleanText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    if (const auto v = tryParseDouble(t.toStdString())) return *v != 0.0;
    return std::nullopt;
}

namespace {

// Device parity codes by item name: 0 none, 1 odd, 2 even, 3 mark, 4 space.
int parityCode(const QString& name)
{
    static const QStringList byCode{"None", "Odd", "Even", "Mark", "Space"};
    return int(byCode.indexOf(name));
}

// Collects the rows' reports, each naming the row and the text it refused.
class Report {
public:
    QStringList lines, rows;
    void notInList(const char* row, const QString& text, const QStringList& items)
    {
        add(row, text,
            EnglishOrTurkish(QStringLiteral("'%1' is not one of: %2"), QStringLiteral("'%1' listede yok: %2"))
                .arg(text, items.join(QLatin1String(", "))));
    }
    void notWhole(const char* row, const QString& text)
    {
        add(row, text,
            EnglishOrTurkish(QStringLiteral("'%1' is not a whole number"), QStringLiteral("'%1' bir tam sayı değil"))
                .arg(text));
    }
    void add(const char* row, const QString& text, const QString& why)
    {
        note(row, text,
             why + QStringLiteral(" - ") +
                 EnglishOrTurkish(QStringLiteral("the previous value is kept"), QStringLiteral("önceki değer korundu")));
    }
    void note(const char* row, const QString& text, const QString& what)
    {
        lines << QStringLiteral("%1: %2").arg(QLatin1String(row), what);
        const QString name = QLatin1String(row);
        rows << (text.trimmed().isEmpty() ? name : QStringLiteral("%1 '%2'").arg(name, text));
    }
};

// The position of an item that equals the text exactly, as the list shows it.
std::optional<int> itemPosition(const QStringList& items, const QString& text)
{
    const qsizetype i = items.indexOf(text);
    return i < 0 ? std::nullopt : std::optional<int>(int(i));
}

bool defaultPortExists(const QString& path) { return QFileInfo::exists(path); }

}  // namespace

PortSetResult convertPortTab(const PortTabTexts& t, const PortFields& previous, const PortSetChecks& checks)
{
    PortSetResult r{previous, {}};
    PortFields& f = r.fields;
    Report report;

    const QString port = t.port.trimmed();
    const QString path = THalvekSerialGPS::DevicePath(port);
    const auto exists = checks.portExists ? checks.portExists : defaultPortExists;
    if (port.isEmpty()) {
        // No port is a choice too: the device opens nothing (never a port of its own).
        f.Port.clear();
        report.note("Port No", port,
                    EnglishOrTurkish(QStringLiteral("no port chosen"), QStringLiteral("port seçilmedi")));
    } else if (!exists(path)) {
        report.add("Port No", port, EnglishOrTurkish(QStringLiteral("'%1' (%2) does not exist"),
                                               QStringLiteral("'%1' (%2) bulunamadı"))
                                  .arg(port, path));
    } else {
        f.Port = port;
    }

    if (const auto baud = tryParseInt(t.baudRate.toStdString()); !baud)
        report.notWhole("Baud Rate", t.baudRate);
    else if (THalvekSerialGPS::ValidBaudRate(*baud) != *baud)
        report.add("Baud Rate", t.baudRate, EnglishOrTurkish(QStringLiteral("%1 is not a rate the port can use"),
                                                 QStringLiteral("%1 portun kullanabileceği bir hız değil"))
                                    .arg(*baud));
    else
        f.BaudRate = *baud;

    if (const auto p = itemPosition(dataWidthItems(), t.dataWidth)) f.DataBits = *p + 1;
    else report.notInList("Data Width", t.dataWidth, dataWidthItems());

    if (const auto p = itemPosition(stopBitsItems(), t.stopBits)) f.StopBits = *p + 1;
    else report.notInList("Stop Bits", t.stopBits, stopBitsItems());

    if (const int code = parityCode(t.parity); code >= 0) f.Parity = code;
    else report.notInList("Parity", t.parity, parityItems());

    if (const auto p = itemPosition(priorityItems(), t.priority)) f.Priority = std::uint8_t(*p + 1);
    else report.notInList("Priority", t.priority, priorityItems());

    if (const auto delay = tryParseInt(t.delay.toStdString())) f.PollInterval = std::clamp(*delay, MinPollInterval, MaxPollInterval);
    else report.notWhole("Delay", t.delay);

    auto boolean = [&](const char* row, const QString& text, bool& field) {
        if (const auto b = parseBooleanText(text)) field = *b;
        else report.notInList(row, text, trueFalseItems());
    };
    boolean("NMEA Log", t.nmeaLog, f.LogNMEA);
    boolean("Log Time", t.logTime, f.LogTimeStamp);

    auto item = [&](const char* row, const QString& text, bool& field) {
        if (const auto p = itemPosition(trueFalseItems(), text)) field = *p == 0;
        else report.notInList(row, text, trueFalseItems());
    };
    item("Enable DTR", t.enableDTR, f.EnableDTR);
    item("Enable RTS", t.enableRTS, f.EnableRTS);

    f.LogFileName = LogFolder + GetDateString() + checks.logSuffix;
    r.failures = report.lines;
    r.unsetRows = report.rows;
    return r;
}

}  // namespace skerra
