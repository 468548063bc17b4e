#include "TfRTCMParsing.h"

#include "devices/rtcm/RTCMReportLog.h"
#include "platform/AboveToolWindows.h"
#include "platform/Clock.h"
#include "platform/HandlerGuard.h"

#include <QApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfRTCMParsing* fRTCMParsing = nullptr;

namespace {

constexpr int kSecondsPerMinute = 60;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TfRTCMParsing::TfRTCMParsing(QWidget* parent)
    : FormOf(fRTCMParsing, QStringLiteral("fRTCMParsing"), QStringLiteral("RTCM Message Parser"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::CentredOnMain);
    MemoRTCM = new QPlainTextEdit(this);
    MemoRTCM->setObjectName(QStringLiteral("MemoRTCM"));
    MemoRTCM->setReadOnly(true);
    MemoRTCM->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoRTCM->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoRTCM->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Consolas"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    MemoRTCM->setFont(font);

    btnClear = makeButton(this, "btnClear", QStringLiteral("Clear"));
    btnClose = makeButton(this, "btnClose", QStringLiteral("Save && Close"));
    connect(btnClear, &QPushButton::clicked, this, [this] { skerra::guarded(this, [this] { btnClearClick(); }); });
    connect(btnClose, &QPushButton::clicked, this, [this] { skerra::guarded(this, [this] { btnCloseClick(); }); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnClear);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(MemoRTCM, 1);
    layout->addLayout(buttons);
    setTabOrder(MemoRTCM, btnClear);
    setTabOrder(btnClear, btnClose);

    resize(624, 441);
}

std::vector<std::string> TfRTCMParsing::ShowReport(const std::string& snapshot,
                                                   const skerra::rtcm::TRTCMReportVessel& vessel,
                                                   skerra::rtcm::TRTCMBaseStation& lastBase)
{
    if (snapshot.size() < skerra::rtcm::kRTCMReportMinimumBytes)
        return {"No RTCM data to parse"};
    if (!fRTCMParsing)
        new TfRTCMParsing;   // top level, kept until the application ends
    ClearMemo(fRTCMParsing);
    skerra::showAboveToolWindows(fRTCMParsing);

    skerra::rtcm::TRTCMReportInput input;
    input.Snapshot = snapshot;
    input.Vessel = vessel;
    input.LastBase = lastBase;
    input.LocalTime = skerra::currentDateTime();
    input.UtcOffsetMinutes = input.LocalTime.offsetFromUtc() / kSecondsPerMinute;
    const auto report = skerra::rtcm::BuildRTCMReport(input);
    for (const std::string& line : report.Lines)
        AddLine(fRTCMParsing, line);
    fRTCMParsing->MemoRTCM->moveCursor(QTextCursor::Start);

    lastBase = report.LastBase;
    if (report.BaseLogLine)
        return {*report.BaseLogLine};
    return {};
}

QStringList TfRTCMParsing::ReportLines() const
{
    if (MemoRTCM->document()->isEmpty())
        return {};
    return MemoRTCM->toPlainText().split(QLatin1Char('\n'));
}

void TfRTCMParsing::btnClearClick() { ClearMemo(this); }

void TfRTCMParsing::btnCloseClick()
{
    const QStringList lines = ReportLines();
    if (!lines.isEmpty()) {
        const QString path = skerra::rtcm::RTCMReportLogPath(skerra::currentDateTime().date());
        skerra::rtcm::AppendRTCMReportLog(path, lines);
    }
    close();
}

void AddLine(TfRTCMParsing* form, const std::string& line)
{
    form->MemoRTCM->appendPlainText(QString::fromStdString(line));
}

void ClearMemo(TfRTCMParsing* form) { form->MemoRTCM->clear(); }
