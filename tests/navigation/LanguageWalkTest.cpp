// The language on the real windows: the walk, the status bar's toggle, the captions
// that come back exactly, the translation editor, and the shipped Turkish file.

#include "MainWindowTestSupport.h"

#include "navigation/TFNav.h"
#include "navigation/TfRealtime.h"
#include "navigation/TfWaterfal.h"
#include "platform/IniFile.h"
#include "shell/ControlCaptions.h"
#include "app/LanguageCoverage.h"
#include "shell/TFGPS.h"
#include "shell/THalvekTranslation.h"
#include "shell/TOffsets.h"
#include "shell/TfTheme.h"
#include "shell/TfTranslationEditor.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString ShippedTurkish = QStringLiteral(SKERRA_LANGUAGES "/tr.json");

// Every caption the windows show: titles, labels, buttons, group boxes, tabs, menu
// items and tool-bar commands with their hints, by window and object.
QMap<QString, QString> captionsOf(const std::vector<QWidget*>& windows)
{
    QMap<QString, QString> captions;
    for (QWidget* window : windows) {
        const QString w = window->objectName() + "/";
        captions[w + "title"] = window->windowTitle();
        int i = 0;
        for (QObject* o : window->findChildren<QObject*>()) {
            const QString name = w + o->objectName() + "#" + QString::number(i++) + ":";
            if (auto* label = qobject_cast<QLabel*>(o)) captions[name + "label"] = label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(o)) captions[name + "button"] = button->text();
            if (auto* group = qobject_cast<QGroupBox*>(o)) captions[name + "group"] = group->title();
            if (auto* action = qobject_cast<QAction*>(o)) {
                captions[name + "action"] = action->text();
                captions[name + "hint"] = action->toolTip();
            }
            if (auto* menu = qobject_cast<QMenu*>(o)) captions[name + "menu"] = menu->title();
            if (auto* tabs = qobject_cast<QTabWidget*>(o))
                for (int t = 0; t < tabs->count(); ++t) captions[name + "tab" + QString::number(t)] = tabs->tabText(t);
        }
    }
    return captions;
}

class LanguageWalkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        delete Translation;  // a fresh object for this test's program folder
        Translation = nullptr;
    }
    void TearDown() override
    {
        program_.Close();
        delete fTranslationEditor;
        delete Translation;
        Translation = nullptr;
    }
    QString languages() const { return skerra::programFolder() + "Languages/"; }
    void writeTurkish(const QByteArray& bytes) const
    {
        QDir().mkpath(languages());
        QFile f(languages() + "tr.json");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void installShippedTurkish() const
    {
        QDir().mkpath(languages());
        ASSERT_TRUE(QFile::copy(ShippedTurkish, languages() + "tr.json"));
    }
    QByteArray missingLog() const
    {
        QFile f(languages() + "missing.log");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString menuTitle(const char* name) const
    {
        return FNav->findChild<QMenu*>(QString::fromLatin1(name))->menuAction()->text();
    }
    QString languageSetting() const
    {
        return skerra::IniFile(skerra::settingsFilePath()).ReadString("SETTINGS", "Language", "<none>");
    }
    void doubleClickStatusBar() const
    {
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonDblClick, at, FNav->sStatusBar->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(FNav->sStatusBar, &press);
    }

    mainwindowtest::TemporaryProgram program_;
};

TEST_F(LanguageWalkTest, ToTurkishAndBackRestoresEveryCaptionExactly)
{
    installShippedTurkish();
    program_.Open();
    const QMap<QString, QString> english = captionsOf(program_.windows);

    doubleClickStatusBar();
    EXPECT_EQ(Translation->CurrentLanguage, "tr");
    EXPECT_EQ(FNav->StatusPanel(4)->text(), "TR");
    EXPECT_EQ(languageSetting(), "tr");
    const QMap<QString, QString> turkish = captionsOf(program_.windows);
    EXPECT_EQ(menuTitle("File1"), "Dosya");
    EXPECT_EQ(FNav->findChild<QAction*>("bDelSelected")->toolTip(), "Seçilenleri Sil");
    EXPECT_EQ(FGPS->windowTitle(), "Ayarlar");

    // A second walk in Turkish changes nothing.
    ApplyTranslation(*FNav);
    EXPECT_EQ(captionsOf(program_.windows), turkish);

    doubleClickStatusBar();
    EXPECT_EQ(Translation->CurrentLanguage, "en");
    EXPECT_EQ(FNav->StatusPanel(4)->text(), "EN");
    EXPECT_EQ(languageSetting(), "en");
    const QMap<QString, QString> back = captionsOf(program_.windows);
    for (auto it = english.begin(); it != english.end(); ++it)
        EXPECT_EQ(back.value(it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(back, english);
    // The walk changed most captions; the English ones the Turkish file shares (names,
    // abbreviations) are few.
    int changed = 0;
    for (auto it = english.begin(); it != english.end(); ++it) changed += turkish.value(it.key()) != it.value();
    EXPECT_GT(changed, english.size() / 3);
}

TEST_F(LanguageWalkTest, ATranslationThatIsAlsoAnEnglishKeyKeepsItsOwnKey)
{
    // "Tools" is translated by the English word "Zoom", itself a key: the menu that
    // shows "Zoom" after the walk is still "Tools", however often the walk runs.
    writeTurkish(R"({"Tools": "Zoom", "Zoom": "Yakınlaştırma", "File": "Dosya"})");
    program_.Open();
    EXPECT_EQ(menuTitle("Tools1"), "Tools");
    EXPECT_EQ(menuTitle("Zoom1"), "Zoom");
    doubleClickStatusBar();
    EXPECT_EQ(menuTitle("Tools1"), "Zoom");
    EXPECT_EQ(menuTitle("Zoom1"), "Yakınlaştırma");
    ApplyTranslation(*FNav);
    ApplyTranslation(*FNav);
    EXPECT_EQ(menuTitle("Tools1"), "Zoom");
    EXPECT_EQ(menuTitle("Zoom1"), "Yakınlaştırma");
    doubleClickStatusBar();
    EXPECT_EQ(menuTitle("Tools1"), "Tools");
    EXPECT_EQ(menuTitle("Zoom1"), "Zoom");
}

TEST_F(LanguageWalkTest, ACaptionChangedByCodeIsTranslatedFromItsNewText)
{
    writeTurkish(R"({"Close": "Kapat", "Hide": "Gizle", "Zoom": "Yakınlaştırma"})");
    program_.Open();
    auto* button = FGPS->findChild<QPushButton*>("BitBtn2");
    ASSERT_TRUE(button);
    doubleClickStatusBar();
    EXPECT_EQ(button->text(), "Kapat");
    button->setText("Hide");  // the window's own code changes the caption
    ApplyTranslation(*FNav);
    EXPECT_EQ(button->text(), "Gizle");
    // Even to a text that is some other key's translation.
    button->setText("Yakınlaştırma");
    ApplyTranslation(*FNav);
    EXPECT_EQ(button->text(), "Yakınlaştırma");
    doubleClickStatusBar();
    EXPECT_EQ(button->text(), "Zoom");
}

TEST_F(LanguageWalkTest, SeparatorsEmptyTextsNumbersAndStatusPanelsAreLeftAlone)
{
    writeTurkish(R"({"File": "Dosya"})");
    program_.Open();
    auto* label = new QLabel("12.50", FGPS);
    auto* empty = new QPushButton(QString(), FGPS);
    auto* dash = new QLabel("-", FGPS);
    FNav->StatusPanel(0)->setText("Lat 41.0");
    doubleClickStatusBar();
    EXPECT_EQ(label->text(), "12.50");
    EXPECT_EQ(empty->text(), "");
    EXPECT_EQ(dash->text(), "-");
    EXPECT_EQ(FNav->StatusPanel(0)->text(), "Lat 41.0");
    const QList<QByteArray> logged = missingLog().split('\n');
    for (const QByteArray& line : logged) {
        EXPECT_NE(line.trimmed(), "12.50");
        EXPECT_NE(line.trimmed(), "-");
        EXPECT_NE(line.trimmed(), "Lat 41.0");
        EXPECT_NE(line, "\r");  // no empty key
    }
    EXPECT_TRUE(missingLog().contains("Exit\r\n"));  // a real caption without a text is logged
}

TEST_F(LanguageWalkTest, AmpersandsShowOnceOnLabelsAndButtons)
{
    writeTurkish(R"({"Save && Exit": "Kaydet && Çık"})");
    program_.Open();
    auto* label = new QLabel("Save & Exit", FGPS);
    auto* button = new QPushButton("Save && Exit", FGPS);
    doubleClickStatusBar();
    EXPECT_EQ(label->text(), "Kaydet & Çık");
    EXPECT_EQ(button->text(), "Kaydet && Çık");  // a button shows "&&" as one "&"
    doubleClickStatusBar();
    EXPECT_EQ(label->text(), "Save & Exit");
    EXPECT_EQ(button->text(), "Save && Exit");
}

TEST_F(LanguageWalkTest, FixedToolCaptionsAndTheRealtimeButtonFollowTheirKeys)
{
    writeTurkish(R"({"Start": "Başlat", "Stop": "Durdur", "Realtime": "Gerçek Zamanlı", "Delete Selected": "Seçilenleri Sil", "Save && Exit": "Kaydet && Çık", "Cancel": "İptal", "Theme Selection": "Tema Seçimi", "Acoustics Waterfall": "Akustik Şelale"})");
    program_.Open();
    QAction* deleteSelected = FNav->findChild<QAction*>("bDelSelected");
    deleteSelected->setText("something else");
    ApplyTranslation(*FNav);
    EXPECT_EQ(deleteSelected->text(), "Delete Selected");  // English too replaces the caption
    EXPECT_EQ(FNav->Realtime->text(), "Realtime");
    FNav->Realtime->setChecked(true);
    doubleClickStatusBar();
    EXPECT_EQ(FNav->Realtime->text(), "Durdur");
    EXPECT_EQ(deleteSelected->text(), "Seçilenleri Sil");
    EXPECT_EQ(deleteSelected->toolTip(), "Seçilenleri Sil");
    EXPECT_EQ(fWaterfal->windowTitle(), "Akustik Şelale");
    EXPECT_EQ(fTheme->windowTitle(), "Tema Seçimi");
    FNav->Realtime->setChecked(false);
    FNav->ShowRealtimeRunning(false);
    EXPECT_EQ(FNav->Realtime->text(), "Başlat");  // the main window's own captions follow the language too
    FNav->ShowRealtimeRunning(true);
    EXPECT_EQ(FNav->Realtime->text(), "Durdur");
}

TEST_F(LanguageWalkTest, AnOddLanguageFromTheSettingsFileStaysEnglishAndTogglesToEnglish)
{
    {
        skerra::IniFile ini(skerra::settingsFilePath());
        ini.WriteString("SETTINGS", "Language", "../../tr");
    }
    installShippedTurkish();
    program_.Open();
    EXPECT_EQ(Translation->CurrentLanguage, "../../tr");
    EXPECT_TRUE(Translation->Texts.empty());
    EXPECT_EQ(menuTitle("File1"), "File");
    doubleClickStatusBar();
    EXPECT_EQ(Translation->CurrentLanguage, "en");
    EXPECT_EQ(FNav->StatusPanel(4)->text(), "EN");
    doubleClickStatusBar();
    EXPECT_EQ(menuTitle("File1"), "Dosya");
}

TEST_F(LanguageWalkTest, TheStartUpLanguageIsOnTheWindowsAtFirstShow)
{
    {
        skerra::IniFile ini(skerra::settingsFilePath());
        ini.WriteString("SETTINGS", "Language", "tr");
    }
    installShippedTurkish();
    program_.Open();
    EXPECT_EQ(menuTitle("File1"), "Dosya");
    EXPECT_EQ(FNav->StatusPanel(4)->text(), "TR");
    EXPECT_EQ(FNav->Realtime->text(), "Gerçek Zamanlı");
    // The whole caption shows: the button is as wide as the text needs.
    EXPECT_GE(FNav->Realtime->width(), FNav->Realtime->fontMetrics().horizontalAdvance("Gerçek Zamanlı"));
}

TEST_F(LanguageWalkTest, TheShippedTurkishFileTranslatesEveryCaptionTheWalkMeets)
{
    QCoreApplication::processEvents();
    const skerra::LanguageCoverage coverage = skerra::checkLanguageCoverage(ShippedTurkish);
    EXPECT_TRUE(coverage.problem.isEmpty()) << coverage.problem.toStdString();
    EXPECT_EQ(coverage.missingKeys.join("\n").toStdString(), "") << "keys missing from Languages/tr.json";
}

TEST_F(LanguageWalkTest, TheShippedTurkishFileIsInTheProgramsOwnFormat)
{
    QFile f(ShippedTurkish);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const skerra::LanguageFileContent content = skerra::parseLanguageFile(std::string_view(bytes.data(), size_t(bytes.size())));
    ASSERT_TRUE(content.ok) << content.problem;
    EXPECT_EQ(QByteArray::fromStdString(skerra::formatLanguageFile(content.texts)), bytes)
        << "write it as the program does: sorted keys, two blanks, CR LF";
    for (const auto& [key, text] : content.texts) {
        EXPECT_FALSE(text.empty()) << key;
        // "&&" stands for one "&" on every control; a translation keeps the key's count.
        EXPECT_EQ(QString::fromStdString(key).count("&&"), QString::fromStdString(text).count("&&")) << key;
    }
}

// ---- The translation editor on the real main window ----

class TranslationEditorWindowTest : public LanguageWalkTest {
protected:
    void openEditor()
    {
        FNav->TranslationEditor1->trigger();
        ASSERT_TRUE(fTranslationEditor);
        QCoreApplication::processEvents();
    }
    QTableWidget* grid() const { return fTranslationEditor->sgTranslations; }
    int rowOf(const QString& key) const
    {
        for (int r = 0; r < grid()->rowCount(); ++r)
            if (grid()->item(r, 0)->text() == key) return r;
        return -1;
    }
    QStringList answers;  // what the next questions answer: "yes", "no", "cancel"
    QStringList questions;
    void answerQuestions()
    {
        skerra::setMessageHandler([this](const skerra::MessageRequest& r) {
            questions << r.text;
            const QString a = answers.isEmpty() ? "no" : answers.takeFirst();
            return int(a == "yes" ? skerra::MbYes : a == "cancel" ? skerra::MbCancel : skerra::MbNo);
        });
    }
};

TEST_F(TranslationEditorWindowTest, ShowsTheLanguageInForceAndSavesItsEdits)
{
    writeTurkish(R"({"Cancel": "İptal", "Depth": "", "Open": "Aç"})");
    program_.Open();
    doubleClickStatusBar();
    openEditor();
    TfTranslationEditor* e = fTranslationEditor;
    EXPECT_EQ(e->windowTitle(), "Translation Editor");  // no Turkish for it in this file
    EXPECT_EQ(e->cbLanguage->currentText(), "tr");
    EXPECT_EQ(grid()->rowCount(), 3);
    EXPECT_EQ(grid()->horizontalHeaderItem(2)->text(), "tr");
    const int depth = rowOf("Depth");
    EXPECT_EQ(grid()->item(depth, 2)->text(), "");  // untranslated: empty, not its English
    EXPECT_FALSE(grid()->item(depth, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid()->item(depth, 2)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(e->btSave->isEnabled());

    grid()->item(depth, 2)->setText("Derinlik");
    EXPECT_EQ(e->LabelStatus->text(), "Modified");
    e->edNewKey->setText("  Speed ");
    e->btAddKey->click();
    EXPECT_EQ(e->LabelStatus->text(), "Key added - don't forget to save");
    grid()->item(rowOf("Speed"), 2)->setText("Hız");
    e->btSave->click();
    EXPECT_EQ(e->LabelStatus->text(), "Saved!");
    EXPECT_FALSE(e->Modified());
    ApplyTranslation(*FNav);  // the saved texts reach the captions at the next walk

    THalvekTranslation restarted;  // a restart reads the file
    restarted.SetLanguage("tr");
    EXPECT_EQ(restarted.Translate(std::string("Depth")), "Derinlik");
    EXPECT_EQ(restarted.Translate(std::string("Speed")), "Hız");
}

TEST_F(TranslationEditorWindowTest, EnglishAndOtherLanguagesCannotBeSaved)
{
    writeTurkish(R"({"Open": "Aç"})");
    program_.Open();
    openEditor();  // English in force
    TfTranslationEditor* e = fTranslationEditor;
    EXPECT_EQ(e->cbLanguage->currentText(), "en");
    EXPECT_FALSE(e->btSave->isEnabled());
    EXPECT_FALSE(e->btAddKey->isEnabled());
    e->cbLanguage->setCurrentText("tr");
    EXPECT_EQ(grid()->horizontalHeaderItem(2)->text(), "tr");
    EXPECT_EQ(grid()->item(0, 2)->text(), "Aç");
    EXPECT_FALSE(grid()->item(0, 2)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(e->btSave->isEnabled());
    EXPECT_FALSE(QFile::exists(languages() + "en.json"));
}

TEST_F(TranslationEditorWindowTest, UnsavedEditsAskBeforeClosingOrSwitching)
{
    writeTurkish(R"({"Open": "Aç", "Save": "Kaydet"})");
    QDir().mkpath(languages());
    QFile de(languages() + "de.json");
    ASSERT_TRUE(de.open(QIODevice::WriteOnly));
    de.write(R"({"Open": "Öffnen"})");
    de.close();
    program_.Open();
    doubleClickStatusBar();
    answerQuestions();
    openEditor();
    TfTranslationEditor* e = fTranslationEditor;
    grid()->item(rowOf("Open"), 2)->setText("Aç!");

    // Cancel on a language change: the list goes back to the language the grid shows.
    answers << "cancel";
    e->cbLanguage->setCurrentText("de");
    EXPECT_EQ(questions, QStringList{"Do you want to save changes?"});
    EXPECT_EQ(e->cbLanguage->currentText(), "tr");
    EXPECT_EQ(grid()->horizontalHeaderItem(2)->text(), "tr");
    EXPECT_TRUE(e->Modified());

    // Cancel on closing keeps the window open with its edits.
    answers << "cancel";
    EXPECT_FALSE(e->close());
    EXPECT_TRUE(e->isVisible());
    EXPECT_TRUE(e->Modified());

    // Yes on a language change stores the language shown before, then shows the other.
    answers << "yes";
    e->cbLanguage->setCurrentText("de");
    EXPECT_EQ(grid()->horizontalHeaderItem(2)->text(), "de");
    EXPECT_EQ(grid()->item(rowOf("Open"), 2)->text(), "Öffnen");
    THalvekTranslation::Table stored;
    ASSERT_TRUE(Translation->LoadLanguageFile("tr", stored));
    EXPECT_EQ(stored.at("Open"), "Aç!");
    ASSERT_TRUE(Translation->LoadLanguageFile("de", stored));
    EXPECT_EQ(stored, (THalvekTranslation::Table{{"Open", "Öffnen"}}));

    // No on closing drops the edits.
    e->cbLanguage->setCurrentText("tr");
    grid()->item(rowOf("Save"), 2)->setText("Sakla");
    answers << "no";
    EXPECT_TRUE(e->close());
    ASSERT_TRUE(Translation->LoadLanguageFile("tr", stored));
    EXPECT_EQ(stored.at("Save"), "Kaydet");
    e->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(grid()->item(rowOf("Save"), 2)->text(), "Kaydet");
    EXPECT_EQ(questions.size(), 4);
}

}  // namespace
