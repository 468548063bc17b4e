#include "TfSVP.h"

#include "CastExtraction.h"
#include "CastFormatDetection.h"
#include "MaxDepth.h"
#include "MetreAveraging.h"
#include "SvpListFiles.h"
#include "SvpSettings.h"
#include "TfSVPGraph.h"
#include "VelocityColumn.h"

#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "platform/TextLines.h"
#include "shell/FormPlacement.h"
#include "shell/SharedHeader.h"
#include "shell/THalvekTranslation.h"
#include "shell/TOffsets.h"

#include <QAction>
#include <QApplication>
#include <QStyle>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

TfSVP* fSVP = nullptr;

namespace svp = skerra::svp;

namespace {

bool english() { return Translation == nullptr || Translation->IsEnglish(); }

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

QString message(const char* englishText, const char* turkishText)
{
    return EnglishOrTurkish(QString::fromUtf8(englishText), QString::fromUtf8(turkishText));
}

QPushButton* makeButton(const char* name, const char* caption)
{
    auto* button = new QPushButton(QString::fromUtf8(caption));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QToolButton* makeArrow(const char* name)
{
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(QApplication::style()->standardIcon(QStyle::SP_ArrowRight));
    button->setAutoRaise(true);
    button->setIconSize(QSize(24, 24));
    button->setMinimumSize(48, 32);
    return button;
}

QGroupBox* makeListGroup(const char* name, const char* caption, svp::ListMemo* memo)
{
    auto* group = new QGroupBox(QString::fromUtf8(caption));
    group->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(memo);
    return group;
}

bool blank(const std::vector<std::string>& lines)
{
    for (const std::string& l : lines)
        if (l.find_first_not_of(" \t\r\n\v\f") != std::string::npos) return false;
    return true;
}

QString chooseWithDialog(QWidget* parent)
{
    QFileDialog dialog(parent, QString(), QString(), QStringLiteral("Sound Velocity File [*.*] (*)"));
    dialog.setObjectName(QStringLiteral("oSVP"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace

TfSVP::TfSVP(QWidget* parent) : FormOf(fSVP, QStringLiteral("fSVP"), QStringLiteral("Sound Velocity"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::CentredOnMain);
    skerra::guarded(this, [this] { FormCreate(); });
}

void TfSVP::FormCreate()
{
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    CreateControls();
    ConnectHandlers();
    resize(980, 620);
    ChooseCastFile = [this] { return chooseWithDialog(this); };
    ShowGraphModal = [this] { return fSVPGraph ? fSVPGraph->ShowModal(this) : int(QDialog::Rejected); };
    LoadLists();
    ReadSettings();
}

void TfSVP::CreateControls()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Parameters"));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    eSearchString = new QLineEdit(QString::fromLatin1(svp::kDefaultSearchString));
    eSearchString->setObjectName(QStringLiteral("eSearchString"));
    eMaxDepth = new QLineEdit(QString::fromLatin1(svp::kDefaultMaxDepth));
    eMaxDepth->setObjectName(QStringLiteral("eMaxDepth"));
    eMaxDepth->setMaximumWidth(70);
    rSVFirst = new QRadioButton(QStringLiteral("SV first"));
    rSVFirst->setObjectName(QStringLiteral("rSVFirst"));
    rSVFirst->setChecked(true);
    rDFirst = new QRadioButton(QStringLiteral("Depth first"));
    rDFirst->setObjectName(QStringLiteral("rDFirst"));
    auto* params = new QGridLayout(GroupBox1);
    auto* searchLabel = new QLabel(QStringLiteral("Format Identifier for SV & P"));
    searchLabel->setObjectName(QStringLiteral("Label1"));
    auto* depthLabel = new QLabel(QStringLiteral("Max Depth"));
    depthLabel->setObjectName(QStringLiteral("Label2"));
    params->addWidget(searchLabel, 0, 0);
    params->addWidget(eSearchString, 0, 1, 1, 3);
    params->addWidget(depthLabel, 1, 0);
    params->addWidget(eMaxDepth, 1, 1);
    params->addWidget(rSVFirst, 1, 2);
    params->addWidget(rDFirst, 1, 3);
    params->setColumnStretch(1, 1);

    cUseSVP = new QCheckBox(QStringLiteral("Use Sound Velocity Profile"));
    cUseSVP->setObjectName(QStringLiteral("cUseSVP"));
    BitBtn1 = makeButton("BitBtn1", "SVP");
    bGraph = makeButton("bGraph", "Graph");
    bSaveClose = makeButton("bSaveClose", "Save && Close");
    bSaveClose->setEnabled(false);

    rawData_ = mRawSVData = new svp::ListMemo("mRawSVData");
    extracted_ = mRawSVExtracted = new svp::ListMemo("mRawSVExtracted");
    averaged_ = mSortedAveragedSV = new svp::ListMemo("mSortedAveragedSV");
    column_ = mSVPColumn = new svp::ListMemo("mSVPColumn");
    bRawToSVV = makeArrow("bRawToSVV");
    bSVVtoAveragedSV = makeArrow("bSVVtoAveragedSV");
    bAveragedSVtoSVP = makeArrow("bAveragedSVtoSVP");

    mDefault = new QMenu(this);
    mDefault->setObjectName(QStringLiteral("mDefault"));
    Defaults1 = mDefault->addAction(QStringLiteral("Defaults"));
    Defaults1->setObjectName(QStringLiteral("Defaults1"));
    AutoDedetct1 = mDefault->addAction(QStringLiteral("Auto Dedetct"));
    AutoDedetct1->setObjectName(QStringLiteral("AutoDedetct1"));

    auto* commands = new QVBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{BitBtn1, bGraph, bSaveClose, cUseSVP}) commands->addWidget(w);
    commands->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(GroupBox1, 1);
    top->addLayout(commands);

    auto* lists = new QGridLayout;
    const struct { const char* name; const char* caption; svp::ListMemo* memo; } groups[] = {
        {"gbRawSVData", "Source SVP Data", mRawSVData},
        {"gbRawSVExtracted", "Raw SV values", mRawSVExtracted},
        {"gbSortedAveragedSV", "Averaged SV Values", mSortedAveragedSV},
        {"gbSVPColumn", "SV Column", mSVPColumn},
    };
    int column = 0;
    for (const auto& g : groups) {
        lists->addWidget(makeListGroup(g.name, g.caption, g.memo), 0, column, 1, 2);
        lists->setColumnStretch(column, 1);
        lists->setColumnStretch(column + 1, 1);
        column += 2;
    }
    // Each step's arrow sits under the border between its two lists.
    QToolButton* arrows[] = {bRawToSVV, bSVVtoAveragedSV, bAveragedSVtoSVP};
    for (int i = 0; i < 3; ++i) lists->addWidget(arrows[i], 1, 1 + 2 * i, 1, 2, Qt::AlignHCenter);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addLayout(top);
    outer->addLayout(lists, 1);
}

void TfSVP::ConnectHandlers()
{
    const auto on = [this](auto* sender, auto signal, void (TfSVP::*handler)()) {
        connect(sender, signal, this, [this, handler] { skerra::guarded(this, [&] { (this->*handler)(); }); });
    };
    on(BitBtn1, &QPushButton::clicked, &TfSVP::BitBtn1Click);
    on(bGraph, &QPushButton::clicked, &TfSVP::bGraphClick);
    on(bSaveClose, &QPushButton::clicked, &TfSVP::BitBtn2Click);
    on(bRawToSVV, &QToolButton::clicked, &TfSVP::bRawToSVVClick);
    on(bSVVtoAveragedSV, &QToolButton::clicked, &TfSVP::bSVVtoAveragedSVClick);
    on(bAveragedSVtoSVP, &QToolButton::clicked, &TfSVP::bAveragedSVtoSVPClick);
    on(cUseSVP, &QCheckBox::toggled, &TfSVP::cUseSVPClick);
    on(Defaults1, &QAction::triggered, &TfSVP::Defaults1Click);
    on(AutoDedetct1, &QAction::triggered, &TfSVP::AutoDedetct1Click);
    for (QWidget* w : std::initializer_list<QWidget*>{GroupBox1, eSearchString, eMaxDepth, rSVFirst, rDFirst}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint& at) { mDefault->popup(w->mapToGlobal(at)); });
    }
    eSearchString->installEventFilter(this);
}

bool TfSVP::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == eSearchString && event->type() == QEvent::MouseButtonDblClick) {
        skerra::guarded(this, [this] { eSearchStringDblClick(); });
        return true;
    }
    return FormOf::eventFilter(watched, event);
}

const std::vector<std::string>* TfSVP::SoundVelocityColumnInUse() const
{
    if (!cUseSVP->isChecked()) return nullptr;
    const std::vector<std::string>& shown = column_->lines();
    return blank(shown) ? &columnInForce_ : &shown;
}

void TfSVP::ClearColumn()
{
    const std::vector<std::string>& shown = column_->lines();
    if (!blank(shown)) columnInForce_ = shown;
    column_->clear();
}

// ---- files and settings --------------------------------------------------------------

// Each list from its file beside the settings file, then from today's dated copy.
void TfSVP::LoadLists()
{
    svp::ListMemo* memos[] = {mRawSVData, mRawSVExtracted, mSortedAveragedSV, mSVPColumn};
    const QString dated = QString::fromStdString(SvpFolder);
    const QString today = QString::fromStdString(GetDateString());
    for (size_t i = 0; i < svp::kAllLists.size(); ++i) {
        const svp::SvpList list = svp::kAllLists[i];
        const auto lines = svp::LoadList(skerra::besideSettings(svp::ListFileName(list)),
                                         svp::DatedListPath(dated, today, list));
        if (lines) memos[i]->setPlainText(lines->join(QLatin1Char('\n')));
    }
}

void TfSVP::ReadSettings()
{
    svp::SvpSettings defaults;
    defaults.searchString = eSearchString->text();
    defaults.maxDepth = eMaxDepth->text();
    svp::SvpSettings s;
    try {
        s = svp::ReadSvpSettings(skerra::IniFile(skerra::settingsFilePath()), defaults);
    } catch (...) {
        s = defaults;
    }
    eSearchString->setText(s.searchString);
    eMaxDepth->setText(s.maxDepth);
    // Applied in this order: when both are stored true, "Depth first" ends checked.
    rSVFirst->setAutoExclusive(false);
    rDFirst->setAutoExclusive(false);
    rSVFirst->setChecked(s.svFirst);
    if (s.depthFirst) rSVFirst->setChecked(false);
    rDFirst->setChecked(s.depthFirst);
    rSVFirst->setAutoExclusive(true);
    rDFirst->setAutoExclusive(true);
    cUseSVP->setChecked(s.useProfile && !blank(column_->lines()));
}

void TfSVP::WriteSettings()
{
    svp::SvpSettings s;
    s.searchString = eSearchString->text();
    s.maxDepth = eMaxDepth->text();
    s.svFirst = rSVFirst->isChecked();
    s.depthFirst = rDFirst->isChecked();
    s.useProfile = cUseSVP->isChecked();
    skerra::IniFile ini(skerra::settingsFilePath());
    svp::WriteSvpSettings(ini, s);
}

bool TfSVP::WriteListsTo(const QString& folder, const QString& prefix)
{
    const svp::ListMemo* sources[] = {rawData_, extracted_, averaged_, column_};
    svp::SvpListTexts lists;
    for (size_t i = 0; i < lists.size(); ++i)
        for (const std::string& line : sources[i]->lines()) lists[i] << fromUtf8(line);
    QString reason;
    const QString failed = svp::WriteLists(
        lists,
        [&](svp::SvpList list) {
            return prefix.isEmpty() ? folder + svp::ListFileName(list) : svp::DatedListPath(folder, prefix, list);
        },
        &reason);
    if (failed.isEmpty()) return true;
    skerra::showError(
        message("The file %1 cannot be written (%2).", "%1 dosyası yazılamıyor (%2).").arg(failed, reason), this);
    return false;
}

bool TfSVP::WriteDatedLists()
{
    return WriteListsTo(QString::fromStdString(SvpFolder), QString::fromStdString(GetDateString()));
}

bool SaveDatedSoundVelocityLists()
{
    if (fSVP == nullptr || !fSVP->cUseSVP->isChecked()) return true;
    return fSVP->WriteDatedLists();
}

// ---- handlers ------------------------------------------------------------------------

void TfSVP::showEvent(QShowEvent* event)
{
    FormOf::showEvent(event);
    skerra::guarded(this, [this] { FormShow(); });
}

void TfSVP::FormShow() { LoadFormPlacement(this, false); }

void TfSVP::closeEvent(QCloseEvent* event)
{
    skerra::guarded(this, [this] { FormCloseQuery(); });
    event->accept();
}

void TfSVP::FormCloseQuery() { WriteSettings(); }

void TfSVP::BitBtn1Click()
{
    const QString file = ChooseCastFile ? ChooseCastFile() : QString();
    if (file.isEmpty()) return;
    for (svp::ListMemo* list : {rawData_, extracted_, averaged_}) list->clear();
    ClearColumn();
    mRawSVData->setPlainText(skerra::readTextLines(file).join(QLatin1Char('\n')));
}

void TfSVP::bRawToSVVClick()
{
    std::string problem;
    const auto format = svp::CompileCastFormat(eSearchString->text().toStdString(), &problem, english());
    if (!format) {
        skerra::showWarning(fromUtf8(problem), this);
        return;
    }
    for (svp::ListMemo* list : {extracted_, averaged_}) list->clear();
    ClearColumn();
    const bool english_ = english();
    auto result = svp::ExtractSamples(rawData_->lines(), *format, rSVFirst->isChecked(),
                                      [this, english_](double sv, long long line) {
                                          skerra::MessageRequest r;
                                          r.kind = skerra::MessageKind::Warning;
                                          r.text = fromUtf8(svp::OutOfRangeWarning(sv, line, english_));
                                          r.buttons = skerra::MbOk | skerra::MbCancel;
                                          r.defaultButton = skerra::MbOk;
                                          r.parent = this;
                                          return skerra::showMessage(r) == skerra::MbOk;
                                      });
    const bool noneTaken = result.samples.empty();
    extracted_->setLines(std::move(result.samples));
    if (result.skipped > 0)
        skerra::showInformation(fromUtf8(svp::SkippedLinesReport(result.skipped, noneTaken, english_)), this);
}

bool TfSVP::ReadMaxDepth(int& maxDepth)
{
    const std::string text = eMaxDepth->text().toStdString();
    const auto value = svp::ReadMaxDepth(text);
    if (!value) {
        skerra::showWarning(fromUtf8(svp::MaxDepthMessage(text, english())), this);
        return false;
    }
    maxDepth = *value;
    return true;
}

void TfSVP::bSVVtoAveragedSVClick()
{
    int maxDepth = 0;
    if (!ReadMaxDepth(maxDepth)) return;
    averaged_->clear();
    ClearColumn();
    averaged_->setLines(svp::AverageByMetre(extracted_->lines(), maxDepth));
}

void TfSVP::bAveragedSVtoSVPClick()
{
    int maxDepth = 0;
    if (!ReadMaxDepth(maxDepth)) return;
    ClearColumn();
    svp::ColumnResult result = svp::BuildColumn(averaged_->lines(), maxDepth);
    column_->setLines(std::move(result.lines));
    switch (result.status) {
    case svp::ColumnResult::Status::Ok:
        bSaveClose->setEnabled(true);
        return;
    case svp::ColumnResult::Status::NoSurfaceValue:
        bSaveClose->setEnabled(false);
        skerra::showWarning(fromUtf8(svp::NoSurfaceValueMessage(english())), this);
        return;
    case svp::ColumnResult::Status::OutOfRange:
        bSaveClose->setEnabled(false);
        skerra::showWarning(fromUtf8(svp::ColumnOutOfRangeMessage(result.failedDepth, english())), this);
        return;
    }
}

void TfSVP::cUseSVPClick()
{
    if (cUseSVP->isChecked() && blank(column_->lines())) {
        cUseSVP->setChecked(false);  // runs this handler for the unchecked state
        skerra::showWarning(message("SVP Column is empty. Please load or create an SVP profile first.",
                                    "SVP Sütunu boş. Lütfen önce bir SVP profili yükleyin veya oluşturun."),
                            this);
        return;
    }
    ShowOffsetsProfileState(cUseSVP->isChecked());
}

void TfSVP::ShowOffsetsProfileState(bool profileUsed)
{
    if (Offsets == nullptr) return;
    Offsets->SV->setEnabled(!profileUsed);
    Offsets->bSVP->setText(profileUsed ? message("SVP Profile Used", "Ses Hızı Profili Devrede")
                                       : message("Single SV Used", "Tek Ses Hızı Değeri"));
}

void TfSVP::BitBtn2Click()
{
    if (SaveCommand) SaveCommand();
    if (!WriteDatedLists()) return;
    if (!WriteListsTo(skerra::settingsFolder(), QString())) return;
    close();
}

void TfSVP::bGraphClick()
{
    const std::vector<std::string>& averaged = averaged_->lines();
    if (averaged.empty()) {
        skerra::showInformation(QStringLiteral("No data to graph. Please process SVP data first."), this);
        return;
    }
    if (fSVPGraph == nullptr) new TfSVPGraph;
    fSVPGraph->LoadFromStrings(averaged);
    const int result = ShowGraphModal ? ShowGraphModal() : int(QDialog::Rejected);
    if (result != QDialog::Accepted || !fSVPGraph->Modified) return;
    averaged_->setLines(fSVPGraph->SaveToStrings());
    ClearColumn();
    bSaveClose->setEnabled(false);
    skerra::showInformation(QStringLiteral("Data updated. Please regenerate SVP Column."), this);
}

void TfSVP::Defaults1Click()
{
    eSearchString->setText(QString::fromLatin1(svp::kDefaultSearchString));
    eMaxDepth->setText(QString::fromLatin1(svp::kDefaultMaxDepth));
    rSVFirst->setChecked(true);
}

void TfSVP::eSearchStringDblClick() { eSearchString->setText(QString::fromLatin1(svp::kDefaultSearchString)); }

void TfSVP::AutoDedetct1Click()
{
    const std::vector<std::string>& lines = rawData_->lines();
    if (lines.empty()) {
        skerra::showInformation(QString::fromLatin1(svp::kNoDataLoadedMessage), this);
        return;
    }
    const svp::DetectedFormat found = svp::DetectCastFormat(lines);
    if (!found.found) {
        skerra::showInformation(QString::fromLatin1(svp::kNoHeaderMessage), this);
        return;
    }
    eSearchString->setText(fromUtf8(found.format));
    if (found.svFirst)
        rSVFirst->setChecked(true);
    else
        rDFirst->setChecked(true);
    skerra::showInformation(fromUtf8(svp::DetectionReport(found, english())), this);
}
