#include "OffsetsEntries.h"

#include "platform/IniFile.h"

namespace {

const QString kSection = QStringLiteral("ECHOSOUNDER_OFFSETS");

QString qt(const std::string& text) { return QString::fromStdString(text); }

// The keys in the order they are written. The names are padded with blanks, as the
// file has always held them; the settings file matches them without the blanks.
struct Key {
    const char* name;
    std::string OffsetsEntries::*field;  // null: the confirmation time
};
const Key kKeys[] = {
    {"Offset A     ", &OffsetsEntries::offsetA},
    {"Offset B     ", &OffsetsEntries::offsetB},
    {"Offset C     ", &OffsetsEntries::offsetC},
    {"SV           ", &OffsetsEntries::soundVelocity},
    {"Tide Height  ", &OffsetsEntries::tideHeight},
    {"Time         ", nullptr},
    {"Surveyor     ", &OffsetsEntries::surveyor},
    {"SurveyBoat   ", &OffsetsEntries::surveyBoat},
    {"SurveyLocation", &OffsetsEntries::location},
};

}  // namespace

OffsetsEntries ReadStoredOffsets(const skerra::IniFile& ini)
{
    OffsetsEntries entries;
    for (const Key& key : kKeys)
        if (key.field) entries.*key.field = ini.ReadString(kSection, QString::fromLatin1(key.name), {}).toStdString();
    return entries;
}

void StoreOffsets(skerra::IniFile& ini, const OffsetsEntries& entries, const std::string& time)
{
    skerra::IniFile::Batch batch(ini);
    for (const Key& key : kKeys)
        ini.WriteString(kSection, QString::fromLatin1(key.name), qt(key.field ? entries.*key.field : time));
    batch.commit();
}
