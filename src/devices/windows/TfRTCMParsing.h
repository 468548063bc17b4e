#pragma once
// The "RTCM Message Parser" window: shows the correction-stream report line by line
// and saves it into the day's log folder.

#include "devices/rtcm/RTCMReport.h"
#include "platform/Form.h"

#include <QStringList>

#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;

class TfRTCMParsing : public skerra::FormOf<TfRTCMParsing> {
    Q_OBJECT
public:
    explicit TfRTCMParsing(QWidget* parent = nullptr);

    // Builds the report on `snapshot` (the NTRIP client's RecentData) and the position
    // the client sends to the caster, and shows it in fRTCMParsing, creating the window
    // when it does not exist. A snapshot under 6 bytes shows nothing.
    // `lastBase` is the station the NTRIP window logged last; it is updated when the
    // report finds a new or moved station. Returns the lines for the NTRIP window's
    // log: "No RTCM data to parse", or the station's "Base #..." line, or none.
    static std::vector<std::string> ShowReport(const std::string& snapshot,
                                               const skerra::rtcm::TRTCMReportVessel& vessel,
                                               skerra::rtcm::TRTCMBaseStation& lastBase);

    QStringList ReportLines() const;   // the memo's lines

    void btnClearClick();
    void btnCloseClick();   // "Save && Close": appends the report to the day's file, closes

    QPlainTextEdit* MemoRTCM = nullptr;
    QPushButton* btnClear = nullptr;
    QPushButton* btnClose = nullptr;
};

extern TfRTCMParsing* fRTCMParsing;

// Appends one line to the window's memo.
void AddLine(TfRTCMParsing* form, const std::string& line);
// Empties the window's memo.
void ClearMemo(TfRTCMParsing* form);
