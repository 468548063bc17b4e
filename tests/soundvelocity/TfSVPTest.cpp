#include "soundvelocity/TfSVP.h"
#include "soundvelocity/TfSVPGraph.h"

#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "shell/SharedHeader.h"
#include "shell/THalvekTranslation.h"
#include "shell/TOffsets.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Shown {
    skerra::MessageKind kind;
    QString text;
    int buttons;
};

class TfSVPTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skerra::setDataRootForTesting(dir_.path() + "/data");
        skerra::setProgramFolderForTesting(dir_.path(), "skerra");
        const QDateTime now(QDate(2025, 6, 14), QTime(10, 20, 30));
        skerra::setClockForTesting([now] { return now; });
        InitSharedHeaderGlobals();
        CreateDataFolders();
        previous_ = skerra::setMessageHandler([this](const skerra::MessageRequest& r) {
            shown_.push_back({r.kind, r.text, r.buttons});
            return answer_;
        });
        Translation = &translation_;
    }
    void TearDown() override
    {
        window_.reset();
        graph_.reset();
        offsets_.reset();
        Translation = nullptr;
        skerra::setMessageHandler(previous_);
        skerra::setClockForTesting({});
        skerra::setDataRootForTesting({});
        skerra::setProgramFolderForTesting({});
    }

    TfSVP& make()
    {
        if (!offsets_) offsets_ = std::make_unique<TOffsets>();
        window_ = std::make_unique<TfSVP>();
        return *window_;
    }
    skerra::IniFile ini() const { return skerra::IniFile(skerra::settingsFilePath()); }
    QString beside(const QString& name) const { return dir_.filePath(name); }
    QString dated(const QString& suffix) const { return QString::fromStdString(SvpFolder) + "2025-06-14 " + suffix; }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(bytes);
    }
    static QByteArray readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static QString text(const skerra::svp::ListMemo* memo) { return memo->toPlainText(); }
    // Types into the list as the user would, at the end of its text ("\n": Return);
    // replacing: the text is selected first, so the typing replaces it.
    static void type(skerra::svp::ListMemo* list, const QString& typed, bool replacing = false)
    {
        QPlainTextEdit* memo = list->editor();
        if (replacing)
            memo->selectAll();
        else
            memo->moveCursor(QTextCursor::End);
        for (const QChar c : typed) {
            const bool enter = c == QLatin1Char('\n');
            QKeyEvent press(QEvent::KeyPress, enter ? int(Qt::Key_Return) : int(c.toUpper().unicode()), Qt::NoModifier,
                            enter ? QStringLiteral("\r") : QString(c));
            QApplication::sendEvent(memo, &press);
        }
    }
    QStringList texts() const
    {
        QStringList out;
        for (const Shown& s : shown_) out << s.text;
        return out;
    }

    QTemporaryDir dir_;
    THalvekTranslation translation_;
    skerra::MessageHandler previous_;
    std::vector<Shown> shown_;
    int answer_ = skerra::MbOk;
    std::unique_ptr<TOffsets> offsets_;
    std::unique_ptr<TfSVP> window_;
    std::unique_ptr<TfSVPGraph> graph_;
};

TEST_F(TfSVPTest, CreationLoadsListsWithTheDatedCopyWinning)
{
    writeFile(beside("mRawSVData.ini"), "cast line\r\n");
    writeFile(beside("mSVPColumn.ini"), "1490.00\r\n");
    writeFile(dated("mSVPColumn.INI"), "1500.00\r\n1501.00\r\n");
    auto& w = make();
    EXPECT_EQ(text(w.mRawSVData), "cast line");
    EXPECT_EQ(text(w.mRawSVExtracted), "");
    EXPECT_EQ(text(w.mSVPColumn), "1500.00\n1501.00");
    EXPECT_FALSE(w.bSaveClose->isEnabled());
    EXPECT_EQ(w.eSearchString->text(), "%*23s %lf,%lf");
    EXPECT_EQ(w.eMaxDepth->text(), "200");
    EXPECT_TRUE(w.rSVFirst->isChecked());
}

struct StoredChoice {
    const char* svFirst;
    const char* depthFirst;
    bool svChecked, depthChecked;
    const char* extracted;  // of "1500,1510"
};

TEST_F(TfSVPTest, StoredRadioButtonsAndTheOrderStep1Reads)
{
    const StoredChoice cases[] = {
        {"1", "0", true, false, "1510,1500.000"},
        {"0", "1", false, true, "1500,1510.000"},
        {"1", "1", false, true, "1500,1510.000"},
        {"0", "0", false, false, "1500,1510.000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.svFirst) + c.depthFirst);
        auto settings = ini();
        settings.WriteString("SVP", "rSVFirst", c.svFirst);
        settings.WriteString("SVP", "rDFirst", c.depthFirst);
        settings.WriteString("SVP", "eSearchString", "%lf,%lf");
        auto& w = make();
        EXPECT_EQ(w.rSVFirst->isChecked(), c.svChecked);
        EXPECT_EQ(w.rDFirst->isChecked(), c.depthChecked);
        w.mRawSVData->setPlainText("1500,1510");
        w.bRawToSVV->click();
        EXPECT_EQ(text(w.mRawSVExtracted).toStdString(), c.extracted);
    }
}

TEST_F(TfSVPTest, UseProfileOnlyWithAColumn)
{
    auto settings = ini();
    settings.WriteString("SVP", "cUseSVP", "1");
    writeFile(beside("mSVPColumn.ini"), "  \r\n\r\n");
    auto& blank = make();
    EXPECT_FALSE(blank.cUseSVP->isChecked());
    EXPECT_EQ(blank.SoundVelocityColumnInUse(), nullptr);
    EXPECT_TRUE(offsets_->SV->isEnabled());

    writeFile(beside("mSVPColumn.ini"), "1500.00\r\n1502.00\r\n");
    auto& w = make();
    ASSERT_TRUE(w.cUseSVP->isChecked());
    EXPECT_FALSE(offsets_->SV->isEnabled());
    EXPECT_EQ(offsets_->bSVP->text(), "SVP Profile Used");
    ASSERT_NE(w.SoundVelocityColumnInUse(), nullptr);
    EXPECT_EQ(*w.SoundVelocityColumnInUse(), (std::vector<std::string>{"1500.00", "1502.00"}));

    translation_.SetLanguage("tr");
    w.cUseSVP->setChecked(false);
    EXPECT_TRUE(offsets_->SV->isEnabled());
    EXPECT_EQ(offsets_->bSVP->text(), "Tek Ses Hızı Değeri");
    w.mSVPColumn->clear();
    w.cUseSVP->setChecked(true);
    EXPECT_FALSE(w.cUseSVP->isChecked());
    EXPECT_EQ(texts(), QStringList{"SVP Sütunu boş. Lütfen önce bir SVP profili yükleyin veya oluşturun."});
}

TEST_F(TfSVPTest, RefusedFormatGivesOneMessageAndChangesNothing)
{
    auto& w = make();
    w.mRawSVData->setPlainText("1500,3");
    w.mSVPColumn->setPlainText("1500.00");
    for (const char* format : {"%lf", "%lf,%lf,%lf", "%d,%lf", "%s%lf%lf"}) {
        shown_.clear();
        w.eSearchString->setText(format);
        w.bRawToSVV->click();
        EXPECT_EQ(shown_.size(), 1u) << format;
        EXPECT_EQ(text(w.mSVPColumn), "1500.00") << format;
    }
}

TEST_F(TfSVPTest, Step1AsksOnceAndCancelStops)
{
    auto& w = make();
    w.eSearchString->setText("%lf,%lf");
    w.mRawSVData->setPlainText("0,1500\n1,0\n2,0\n3,1510\n4,1700");
    w.rDFirst->setChecked(true);
    w.bRawToSVV->click();
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[0].buttons, skerra::MbOk | skerra::MbCancel);
    EXPECT_EQ(shown_[0].text,
              "Value exceeds SV range! Please correct 0 value at line 2 in source file. This line will be skipped.");
    EXPECT_EQ(text(w.mRawSVExtracted), "0,1500.000\n3,1510.000");
    EXPECT_EQ(shown_[1].text, "3 lines were skipped: their SV is out of range.");

    shown_.clear();
    answer_ = skerra::MbCancel;
    translation_.SetLanguage("tr");
    w.bRawToSVV->click();
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text,
              "Bu değer belkenen ses hızı aralığında değl! Ses hızı 0'nin bulunduğu satır 2 kullanılmayacaktır.");
    EXPECT_EQ(text(w.mRawSVExtracted), "0,1500.000");
}

// SV and depth the other way round: every SV is out of range. After the one question
// the user learns how many lines went and why the list is empty.
TEST_F(TfSVPTest, Step1WithTheColumnsSwappedSaysHowManyLinesWereSkipped)
{
    auto& w = make();
    w.eSearchString->setText("%lf,%lf");
    w.mRawSVData->setPlainText("0.5,1500.2\n1.0,1500.9\n1.5,1501.3\n2.0,1501.8");
    w.rSVFirst->setChecked(true);  // the file has depth first
    w.bRawToSVV->click();
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(text(w.mRawSVExtracted), "");
    EXPECT_EQ(shown_[1].kind, skerra::MessageKind::Information);
    EXPECT_EQ(shown_[1].text, "4 lines were skipped: their SV is out of range. No line was taken: check whether SV "
                              "or depth comes first.");

    shown_.clear();
    translation_.SetLanguage("tr");
    w.bRawToSVV->click();
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[1].text, "4 satır atlandı: ses hızı aralık dışında. Hiçbir satır alınmadı: önce ses hızının mı "
                              "derinliğin mi geldiğini kontrol edin.");
}

TEST_F(TfSVPTest, MaxDepthOutsideItsRangeChangesNothing)
{
    auto& w = make();
    w.mRawSVExtracted->setPlainText("0,1500.000");
    w.mSortedAveragedSV->setPlainText("0,1500.000,1");
    w.mSVPColumn->setPlainText("1500.00");
    for (const char* depth : {"2000000000", "-5", "0", "abc", "12001"}) {
        shown_.clear();
        w.eMaxDepth->setText(depth);
        w.bSVVtoAveragedSV->click();
        w.bAveragedSVtoSVP->click();
        EXPECT_EQ(shown_.size(), 2u) << depth;
        EXPECT_EQ(text(w.mSortedAveragedSV), "0,1500.000,1") << depth;
        EXPECT_EQ(text(w.mSVPColumn), "1500.00") << depth;
        EXPECT_FALSE(w.bSaveClose->isEnabled()) << depth;
    }
}

TEST_F(TfSVPTest, Step3EnablesSaveOnlyOnSuccess)
{
    auto& w = make();
    w.eMaxDepth->setText("3");
    w.mRawSVExtracted->setPlainText("0,1500.000\n2,1530.000");
    w.bSVVtoAveragedSV->click();
    EXPECT_EQ(text(w.mSortedAveragedSV), "0,1500.000,1\n\n2,1530.000,1\n3,1530.00,0");
    w.bAveragedSVtoSVP->click();
    EXPECT_EQ(text(w.mSVPColumn), "1500.00\n1500.00\n1510.00\n1515.00");
    EXPECT_TRUE(w.bSaveClose->isEnabled());
    EXPECT_TRUE(shown_.empty());

    w.mSortedAveragedSV->setPlainText("\n1,1500");
    w.bAveragedSVtoSVP->click();
    EXPECT_FALSE(w.bSaveClose->isEnabled());
    EXPECT_EQ(text(w.mSVPColumn), "\n\n\n");
    EXPECT_EQ(texts().last(),
              "SV value at 0 depth cannot be blank. Consider manually adding a value for 0 depth.Example 0,1500.");

    w.mSortedAveragedSV->setPlainText("0,1500\n1,1700");
    w.bAveragedSVtoSVP->click();
    EXPECT_EQ(text(w.mSVPColumn), "");
    EXPECT_EQ(texts().last(), "SV value at 1 is out of range. Please check, correct retry.");
}

// Each step works from the lists it keeps, and every list stays editable by hand:
// typing into a memo after a step wrote it must reach the next step, the column in
// use and the saved copies.
TEST_F(TfSVPTest, ListsTypedByHandAreWhatTheNextStepUses)
{
    auto& w = make();
    w.eSearchString->setText("%lf,%lf");
    w.rDFirst->setChecked(true);
    w.eMaxDepth->setText("3");
    type(w.mRawSVData, "0,1500\n1,1510");
    w.bRawToSVV->click();
    ASSERT_EQ(text(w.mRawSVExtracted), "0,1500.000\n1,1510.000");

    type(w.mRawSVData, "\n2,1520");  // after step 1 read the cast
    w.bRawToSVV->click();
    EXPECT_EQ(text(w.mRawSVExtracted), "0,1500.000\n1,1510.000\n2,1520.000");

    type(w.mRawSVExtracted, "\n3,1600");  // after step 1 wrote the samples
    w.bSVVtoAveragedSV->click();
    EXPECT_EQ(text(w.mSortedAveragedSV).toStdString(), "0,1500.000,1\n1,1510.000,1\n2,1520.000,1\n3,1600,1");

    type(w.mSortedAveragedSV, "0,1500\n1,1520", true);  // after step 2 wrote the slots
    w.eMaxDepth->setText("1");
    w.bAveragedSVtoSVP->click();
    EXPECT_EQ(text(w.mSVPColumn), "1500.00\n1510.00");
    EXPECT_TRUE(shown_.empty()) << texts().join('|').toStdString();

    type(w.mSVPColumn, "\n1530.00");  // after step 3 wrote the column
    w.cUseSVP->setChecked(true);
    ASSERT_NE(w.SoundVelocityColumnInUse(), nullptr);
    EXPECT_EQ(*w.SoundVelocityColumnInUse(), (std::vector<std::string>{"1500.00", "1510.00", "1530.00"}));
    type(w.mSVPColumn, "\n1540.00");  // while the column is in use
    EXPECT_EQ(w.SoundVelocityColumnInUse()->back(), "1540.00");

    type(w.mRawSVExtracted, "x", true);
    EXPECT_TRUE(SaveDatedSoundVelocityLists());
    EXPECT_EQ(readFile(dated("mRawSVExtracted.ini")), "x\r\n");
    EXPECT_EQ(readFile(dated("mSortedAveragedSV.ini")), "0,1500\r\n1,1520\r\n");
    EXPECT_EQ(readFile(dated("mSVPColumn.ini")), "1500.00\r\n1510.00\r\n1530.00\r\n1540.00\r\n");
}

TEST_F(TfSVPTest, SaveAndCloseWritesDatedAndBesideCopies)
{
    auto& w = make();
    int saves = 0;
    w.SaveCommand = [&] { ++saves; };
    w.show();
    w.mRawSVData->setPlainText("a\nb");
    w.mRawSVExtracted->setPlainText("0,1500.000");
    w.mSortedAveragedSV->setPlainText("0,1500.000,1\n");
    w.mSVPColumn->setPlainText("1500.00\n1500.00");
    w.bSaveClose->setEnabled(true);
    w.bSaveClose->click();
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(readFile(dated("mRawSVData.ini")), "a\r\nb\r\n");
    EXPECT_EQ(readFile(dated("mSortedAveragedSV.ini")), "0,1500.000,1\r\n\r\n");
    EXPECT_EQ(readFile(beside("mSVPColumn.ini")), "1500.00\r\n1500.00\r\n");
    EXPECT_TRUE(shown_.empty());
}

// A run on another settings file (the demo's) keeps its lists beside that file and
// reads them from there at the next start; the program's folder is left alone.
TEST_F(TfSVPTest, ListsFollowASettingsFileOutsideTheProgramFolder)
{
    QTemporaryDir profile;
    ASSERT_TRUE(profile.isValid());
    skerra::setSettingsFile(profile.filePath("demo.INI"));
    {
        auto& w = make();
        w.show();
        w.mSVPColumn->setPlainText("1510.00");
        w.bSaveClose->setEnabled(true);
        w.bSaveClose->click();
    }
    EXPECT_EQ(readFile(profile.filePath("mSVPColumn.ini")), "1510.00\r\n");
    EXPECT_EQ(readFile(beside("mSVPColumn.ini")), "<missing>");
    QFile::remove(dated("mSVPColumn.ini"));
    EXPECT_EQ(make().mSVPColumn->toPlainText(), "1510.00");
    skerra::setSettingsFile({});
}

TEST_F(TfSVPTest, RefusedWriteNamesTheFileAndKeepsTheWindowOpen)
{
    auto& w = make();
    w.show();
    QDir(QString::fromStdString(SvpFolder)).removeRecursively();
    w.bSaveClose->setEnabled(true);
    w.bSaveClose->click();
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].kind, skerra::MessageKind::Error);
    EXPECT_TRUE(shown_[0].text.contains(dated("mRawSVData.ini"))) << shown_[0].text.toStdString();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(readFile(beside("mRawSVData.ini")), "<missing>");
}

TEST_F(TfSVPTest, SaveCommandWritesDatedListsOnlyWhileAProfileIsInUse)
{
    auto& w = make();
    w.mSVPColumn->setPlainText("1500.00");
    EXPECT_TRUE(SaveDatedSoundVelocityLists());
    EXPECT_EQ(readFile(dated("mSVPColumn.ini")), "<missing>");
    w.cUseSVP->setChecked(true);
    EXPECT_TRUE(SaveDatedSoundVelocityLists());
    EXPECT_EQ(readFile(dated("mSVPColumn.ini")), "1500.00\r\n");
}

TEST_F(TfSVPTest, ClosingStoresTheSettings)
{
    auto& w = make();
    w.show();
    w.eSearchString->setText("%lf\t%lf");
    w.eMaxDepth->setText("50");
    w.rDFirst->setChecked(true);
    w.mSVPColumn->setPlainText("1500.00");
    w.cUseSVP->setChecked(true);
    w.close();
    auto settings = ini();
    EXPECT_EQ(settings.ReadString("SVP", "cUseSVP", ""), "1");
    EXPECT_EQ(settings.ReadString("SVP", "rSVFirst", ""), "0");
    EXPECT_EQ(settings.ReadString("SVP", "rDFirst", ""), "1");
    EXPECT_EQ(settings.ReadString("SVP", "eSearchString", ""), "%lf\t%lf");
    EXPECT_EQ(settings.ReadString("SVP", "eMaxDepth", ""), "50");
}

TEST_F(TfSVPTest, LoadingACastEmptiesTheListsAndKeepsTheSwitch)
{
    auto& w = make();
    w.mSVPColumn->setPlainText("1500.00");
    w.cUseSVP->setChecked(true);
    w.mRawSVExtracted->setPlainText("x");
    w.ChooseCastFile = [] { return QString(); };
    w.BitBtn1->click();
    EXPECT_EQ(text(w.mRawSVExtracted), "x");
    writeFile(beside("cast.txt"), "Depth,SV\r\n0,1500\r\n");
    w.ChooseCastFile = [this] { return beside("cast.txt"); };
    w.BitBtn1->click();
    EXPECT_EQ(text(w.mRawSVData), "Depth,SV\n0,1500");
    EXPECT_EQ(text(w.mSVPColumn), "");
    EXPECT_TRUE(w.cUseSVP->isChecked());
    // The survey keeps correcting with the column it had until a new one is built.
    ASSERT_NE(w.SoundVelocityColumnInUse(), nullptr);
    EXPECT_EQ(*w.SoundVelocityColumnInUse(), std::vector<std::string>{"1500.00"});
}

// While a cast is worked again with the profile switched on, every step that empties
// the column list leaves the last column in force, also while a step waits for an
// answer; only a column that step 3 builds takes its place.
TEST_F(TfSVPTest, TheColumnInForceStaysUntilStep3BuildsANewOne)
{
    const std::vector<std::string> good{"1500.00", "1501.00", "1502.00"};
    graph_ = std::make_unique<TfSVPGraph>();
    const auto step3On = [](const char* averaged) {
        return [averaged](TfSVP& w) {
            w.mSortedAveragedSV->setPlainText(averaged);
            w.bAveragedSVtoSVP->click();
        };
    };
    const struct {
        const char* step;
        std::function<void(TfSVP&)> run;
    } steps[] = {
        {"load a cast", [this](TfSVP& w) {
             writeFile(beside("cast.txt"), "Depth,SV\r\n0,1500\r\n");
             w.ChooseCastFile = [this] { return beside("cast.txt"); };
             w.BitBtn1->click();
         }},
        {"step 1, asking about a reading", [](TfSVP& w) {
             w.eSearchString->setText("%lf,%lf");
             w.mRawSVData->setPlainText("0,1500\n1,0");
             w.bRawToSVV->click();
         }},
        {"step 2", [](TfSVP& w) {
             w.mRawSVExtracted->setPlainText("0,1490.000");
             w.bSVVtoAveragedSV->click();
         }},
        {"graph write-back", [](TfSVP& w) {
             w.mSortedAveragedSV->setPlainText("0,1500,1\n1,1510,1\n2,1520,1");
             w.ShowGraphModal = [] {
                 fSVPGraph->Modified = true;
                 return int(QDialog::Accepted);
             };
             w.bGraph->click();
         }},
        {"step 3 without a surface value", step3On("\n1,1500")},
        {"step 3 out of range", step3On("0,1500\n1,1700")},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        auto& w = make();
        w.eMaxDepth->setText("2");
        w.mSVPColumn->setPlainText("1500.00\n1501.00\n1502.00");
        w.cUseSVP->setChecked(true);
        shown_.clear();
        std::vector<std::vector<std::string>> inForceWhileAsking;
        skerra::setMessageHandler([&](const skerra::MessageRequest&) {
            if (const auto* column = w.SoundVelocityColumnInUse()) inForceWhileAsking.push_back(*column);
            return int(skerra::MbOk);
        });
        s.run(w);
        skerra::setMessageHandler(previous_);
        ASSERT_NE(w.SoundVelocityColumnInUse(), nullptr);
        EXPECT_EQ(*w.SoundVelocityColumnInUse(), good);
        for (const auto& column : inForceWhileAsking) EXPECT_EQ(column, good);
    }

    // A successful step 3 puts its column in force.
    auto& w = make();
    w.eMaxDepth->setText("1");
    w.mSVPColumn->setPlainText("1500.00\n1501.00");
    w.cUseSVP->setChecked(true);
    w.mSortedAveragedSV->setPlainText("0,1500\n1,1520");
    w.bAveragedSVtoSVP->click();
    ASSERT_NE(w.SoundVelocityColumnInUse(), nullptr);
    EXPECT_EQ(*w.SoundVelocityColumnInUse(), (std::vector<std::string>{"1500.00", "1510.00"}));
}

TEST_F(TfSVPTest, AutoDetectAndDefaults)
{
    auto& w = make();
    w.AutoDedetct1->trigger();
    EXPECT_EQ(texts().last(), "No data loaded. Please load a file first.");
    w.mRawSVData->setPlainText("meta\nSV DEPTH\n1,2");
    w.AutoDedetct1->trigger();
    EXPECT_EQ(texts().last(),
              "Could not find header line with SV and Pressure/Depth columns.\nPlease set search string manually.");
    EXPECT_EQ(w.eSearchString->text(), "%*23s %lf,%lf");
    w.mRawSVData->setPlainText("meta\nPressure;Temperature;Sound Velocity\n1;2;1500");
    w.AutoDedetct1->trigger();
    EXPECT_EQ(w.eSearchString->text(), "%lf;%*[^;];%lf");
    EXPECT_TRUE(w.rDFirst->isChecked());
    EXPECT_FALSE(w.rSVFirst->isChecked());
    EXPECT_TRUE(texts().last().startsWith("Auto-detected format:\n- Header at line: 2\n- Delimiter: ;"));
    w.bRawToSVV->click();
    EXPECT_EQ(text(w.mRawSVExtracted), "1,1500.000");

    w.eMaxDepth->setText("7");
    w.Defaults1->trigger();
    EXPECT_EQ(w.eSearchString->text(), "%*23s %lf,%lf");
    EXPECT_EQ(w.eMaxDepth->text(), "200");
    EXPECT_TRUE(w.rSVFirst->isChecked());
}

TEST_F(TfSVPTest, GraphWriteBackEmptiesTheColumn)
{
    auto& w = make();
    graph_ = std::make_unique<TfSVPGraph>();
    w.bGraph->click();
    EXPECT_EQ(texts().last(), "No data to graph. Please process SVP data first.");

    w.mSortedAveragedSV->setPlainText("0,1500.123,1\n\n2,1510,2\n3,1510.00,0");
    w.mSVPColumn->setPlainText("1500.00\n1500.00\n1503.37\n1505.03");
    w.bSaveClose->setEnabled(true);
    w.ShowGraphModal = [&] {
        EXPECT_EQ(fSVPGraph->Points.size(), 3u);
        fSVPGraph->Points[1].Selected = true;
        fSVPGraph->bDeleteSelected->setEnabled(true);
        fSVPGraph->bDeleteSelected->click();
        fSVPGraph->bSaveAndClose->click();
        return fSVPGraph->ModalResult();
    };
    w.bGraph->click();
    EXPECT_EQ(text(w.mSortedAveragedSV), "0,1500.12,1\n3,1510.00,0");
    EXPECT_EQ(text(w.mSVPColumn), "");
    EXPECT_FALSE(w.bSaveClose->isEnabled());
    EXPECT_EQ(texts().last(), "Data updated. Please regenerate SVP Column.");

    // The column after the write-back still has a line per metre.
    w.eMaxDepth->setText("3");
    w.bAveragedSVtoSVP->click();
    EXPECT_EQ(text(w.mSVPColumn), "1500.12\n1500.12\n1500.12\n1502.59");

    w.ShowGraphModal = [] { return int(QDialog::Rejected); };
    w.bGraph->click();
    EXPECT_EQ(text(w.mSVPColumn), "1500.12\n1500.12\n1500.12\n1502.59");
}

}  // namespace
