#pragma once
// The "Offsets Essential for Post Processing / Recovery" window.
//
// The surveyor confirms here the pole offsets, the sound velocity, the tide and the
// names of the location, boat and surveyor. The survey loop reads the four values of
// the last confirmation (ConfirmedOffsets()), never the edits: Cancel and every other
// close put the stored values back into the edits, and what is typed in them, by hand
// or through a keypad, reaches the survey only with the next confirmation.

#include "SurveySettingsValues.h"
#include "platform/Form.h"

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
struct OffsetsEntries;
enum class OffsetsField;

class TOffsets : public skerra::FormOf<TOffsets> {
    Q_OBJECT
public:
    explicit TOffsets(QWidget* parent = nullptr);

    // The four values the survey loop reads: those of the last confirmation, or the
    // stored ones the window last showed.
    SurveyOffsetsTexts ConfirmedOffsets() const { return confirmedOffsets_; }

    // The main window's part in the confirmation: whether the survey runs, its start,
    // and the layout save that every confirmation runs first. Null hooks are skipped.
    void SetSurveyHooks(std::function<bool()> surveyRunning, std::function<void()> startSurvey,
                        std::function<void()> saveLayout);

    // The sound-velocity window: shown by bSVP; while its profile is in use the report
    // names the profile instead of the SV value. The NTRIP dialog: shown modally by
    // bNTRIPShow. Null hooks are skipped (no profile in use).
    void SetWindowHooks(std::function<void()> showSoundVelocity, std::function<void()> showNtripDialog,
                        std::function<bool()> soundVelocityProfileUsed);

    // The main window's on-screen keypad and keyboard: a click on a numeric edit shows
    // the keypad for it, a click on a text edit the keyboard. Null hooks are skipped.
    void SetKeyboardHooks(std::function<void(QWidget*)> showKeypad, std::function<void(QWidget*)> showKeyboard);

    // Controls (component names as objectName).
    QFrame* pSketch = nullptr;
    QWidget* Image1 = nullptr;
    QLineEdit* OffsetA = nullptr;
    QLineEdit* OffsetB = nullptr;
    QLineEdit* OffsetC = nullptr;
    QLineEdit* SV = nullptr;
    QLineEdit* TideHt = nullptr;
    QLineEdit* Location = nullptr;
    QLineEdit* SurveyBoat = nullptr;
    QLineEdit* Surveyor = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* time = nullptr;
    QPushButton* bSVP = nullptr;
    QPushButton* BitBtn1 = nullptr;  // "Realtime": the confirmation
    QPushButton* BitBtn3 = nullptr;  // "Cancel", also the Escape button
    QPushButton* bNTRIPShow = nullptr;
    QTimer* Timer1 = nullptr;

    // Handlers.
    void FormShow();
    void BitBtn1Click();
    void BitBtn3Click();
    void FormCloseQuery();
    void FormDblClick();
    void Timer1Timer();
    void bSVPClick();
    void bNTRIPShowClick();
    void NumericEditClick(QObject* sender);
    void TextEditClick(QObject* sender);

    // The caption of Label7. The time is local, so the caption says so; the Turkish
    // text belongs in the language file.
    static constexpr const char* kTimeCaption = "Date and Time (local)";
    static constexpr const char* kTimeCaptionTurkish = "Tarih ve Saat (yerel)";

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void CreateControls();
    void ConnectHandlers();
    OffsetsEntries Entries() const;
    void ShowEntries(const OffsetsEntries& entries);
    void RestoreStoredEntries();
    QLineEdit* EditFor(OffsetsField field) const;
    void Confirm();
    void CheckNumberOnExit(QLineEdit* edit);

    std::function<bool()> surveyRunning_;
    std::function<void()> startSurvey_;
    std::function<void()> saveLayout_;
    std::function<void()> showSoundVelocity_;
    std::function<void()> showNtripDialog_;
    std::function<bool()> profileUsed_;
    std::function<void(QWidget*)> showKeypad_;
    std::function<void(QWidget*)> showKeyboard_;
    bool busy_ = false;        // a confirmation or an exit check is under way
    bool confirmed_ = false;   // the close that follows a successful confirmation
    SurveyOffsetsTexts confirmedOffsets_;
};

extern TOffsets* Offsets;
