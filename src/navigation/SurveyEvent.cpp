#include "SurveyEvent.h"

#include "platform/IniFile.h"
#include "platform/NumberText.h"
#include "shell/SharedHeader.h"

#include <limits>

namespace {

const QString Section = QStringLiteral("EVENTS");
const QString NumberKey = QStringLiteral("Event Number");

}  // namespace

std::string SurveyEventEntry(const SurveyEventRecord& event)
{
    using skerra::FormatFixed;
    return "Event No:" + skerra::IntToStr(event.number) + ",Date & Time:" + event.dateTime +
           ",Easting:" + FormatFixed(event.easting, 2) + ",Northing:" + FormatFixed(event.northing, 2) +
           ",True Depth:" + event.depthHigh + ",True Depth:" + event.depthLow +
           ",Heading:" + FormatFixed(event.heading, 2);
}

int LastEventNumber(const skerra::IniFile& ini) { return ini.ReadInteger(Section, NumberKey, 0); }

std::optional<int> NextEventNumber(const skerra::IniFile& ini)
{
    const int last = LastEventNumber(ini);
    if (last == std::numeric_limits<int>::max()) return std::nullopt;
    return last + 1;
}

void StoreEventNumber(skerra::IniFile& ini, int number) { ini.WriteInteger(Section, NumberKey, number); }

bool AppendSurveyEvent(const SurveyEventRecord& event, const std::string& logFile)
{
    return AppendEventLogText(SurveyEventEntry(event), logFile);
}
