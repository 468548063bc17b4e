#include "OffsetsReport.h"

#include "SharedHeader.h"

#include <QFile>

namespace {

constexpr const char* kBreak = "\r\n";

struct Line {
    const char* english;  // 34 characters before the tab
    const char* turkish;  // 44 characters before the tab
    std::string OffsetsReportValues::*value;
};
const Line kLines[] = {
    {"Time..............................\t=", "Zaman.......................................\t=",
     &OffsetsReportValues::time},
    {"Survey Location...................\t=", "Yer.........................................\t=",
     &OffsetsReportValues::location},
    {"Survey Boat.......................\t=", "Ölçme botu..................................\t=",
     &OffsetsReportValues::surveyBoat},
    {"Transducer Draft (A)..............\t=", "Transduser su kesimi (A)....................\t=",
     &OffsetsReportValues::offsetA},
    {"Transducer - Antenna Offset (B)...\t=", "Transduser ile GPS anteni arası mesafe (B)..\t=",
     &OffsetsReportValues::offsetB},
    {"Antenna Height Above Water (C)....\t=", "Sudan antene olan mesafe (C)................\t=",
     &OffsetsReportValues::offsetC},
    {"Sound Velocity....................\t=", "Ses hızı....................................\t=",
     &OffsetsReportValues::soundVelocity},
    {"Tide Height.......................\t=", "Su kotu.....................................\t=",
     &OffsetsReportValues::tideHeight},
    {"Surveyor..........................\t=", "Ölçen.......................................\t=",
     &OffsetsReportValues::surveyor},
};

std::string valueOf(const OffsetsReportValues& values, const Line& line, bool english)
{
    if (line.value == &OffsetsReportValues::soundVelocity && values.soundVelocityProfileUsed)
        return english ? "Sound velocity profile used" : "Ses hızı profili kullanıldı";
    return values.*line.value;
}

}  // namespace

std::string OffsetsReportBlock(const OffsetsReportValues& values, bool english)
{
    std::string block = kBreak;
    block += kBreak;
    block += english ? "Skerra - offsets essential for post processing" : "Skerra - veri işleme için gerekli değerler";
    for (const Line& line : kLines) {
        block += kBreak;
        block += english ? line.english : line.turkish;
        block += valueOf(values, line, english);
    }
    return block;
}

std::string OffsetsReportPath() { return LogFolder + GetDateString() + " Offsets.log"; }

bool AppendOffsetsReport(const std::string& path, const std::string& block)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::Append)) return false;
    const bool written = file.write(block.data(), qint64(block.size())) == qint64(block.size());
    return file.flush() && written;
}
