#pragma once
// The sound-velocity window's four lists as files: "mRawSVData.ini",
// "mRawSVExtracted.ini", "mSortedAveragedSV.ini" and "mSVPColumn.ini" beside the
// program, and dated copies ("YYYY-MM-DD mRawSVData.ini", ...) in the day's SVP
// folder. Lines end with CR LF; files are replaced atomically.
//
// File names on Linux tell ".ini" from ".INI": the lists are always written as
// ".ini", and a list is read from either spelling (the newer file when both exist),
// so copies written under the other spelling are still found.

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace skerra::svp {

enum class SvpList { RawData, Extracted, Averaged, Column };
inline constexpr std::array<SvpList, 4> kAllLists{SvpList::RawData, SvpList::Extracted, SvpList::Averaged,
                                                  SvpList::Column};

using SvpListTexts = std::array<QStringList, 4>;  // in the order of kAllLists

// "mRawSVData" and so on: the list's control name.
QString ListName(SvpList list);

// "mRawSVData.ini" and so on.
QString ListFileName(SvpList list);

// folder + date + " mRawSVData.ini" and so on.
QString DatedListPath(const QString& folder, const QString& date, SvpList list);

// The file that holds `path` in either spelling of its ".ini" extension (the newer
// when both exist); empty when there is none.
QString ExistingListFile(const QString& path);

// A list as stored: the file beside the program, then the dated copy over it. Nothing
// when neither exists or a file that exists cannot be read.
std::optional<QStringList> LoadList(const QString& besidePath, const QString& datedPath);

// Writes the four lists to pathFor(list), in the order of kAllLists, and stops at the
// first file that cannot be written. Returns that file's path (why, in *reason when
// given), or an empty text.
QString WriteLists(const SvpListTexts& lists, const std::function<QString(SvpList)>& pathFor,
                   QString* reason = nullptr);

}  // namespace skerra::svp
