#pragma once
// Stored caster profiles: "profiles.txt" beside the program, one profile a line,
// seven tab-separated fields: display name, server, port, user name, password,
// latitude, longitude. The file holds passwords in clear, so it is kept readable by
// its owner only.

#include <QString>
#include <QStringList>

#include <vector>

namespace skerra::ntrip {

struct TNTRIPProfile {
    QString Server, Port, Username, Password, Latitude, Longitude;
};

// server + ":" + port, preceded by user name + "@" when there is a user name.
QString ProfileDisplayName(const QString& server, const QString& port, const QString& username);

// One profile line as read: its fields in file order (the display name first).
struct TProfileRecord {
    QStringList Fields;
    QString Name() const { return Fields.value(0); }
};

// The profiles of the file in file order: every line with a tab; blank and tab-less
// lines are skipped, so the n-th record is the n-th profile the list shows.
std::vector<TProfileRecord> ReadProfiles(const QString& path);

// Replaces the first line whose display name equals the profile's, else appends the
// profile; the file is written readable by its owner only. False (why, in *reason
// when given) when it cannot be written.
bool SaveProfile(const QString& path, const TNTRIPProfile& profile, QString* reason = nullptr);

// Leaves `path` readable and writable by its owner only (when it exists).
void RestrictToOwner(const QString& path);

}  // namespace skerra::ntrip
