#pragma once
// The "Translation Editor" window: the keys of the Turkish language file with their
// English text and their text in a chosen language; the texts of the language in
// force can be edited, keys added, and the language file saved.

#include "platform/Form.h"
#include "shell/TranslationEditorModel.h"

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

class TfTranslationEditor : public skerra::FormOf<TfTranslationEditor> {
    Q_OBJECT
public:
    explicit TfTranslationEditor(QWidget* parent = nullptr);
    ~TfTranslationEditor() override;

    QWidget* PanelTop = nullptr;
    QLabel* LabelLanguage = nullptr;
    QComboBox* cbLanguage = nullptr;
    QPushButton* btReload = nullptr;
    QPushButton* btSave = nullptr;
    QWidget* PanelGrid = nullptr;
    QTableWidget* sgTranslations = nullptr;
    QWidget* PanelBottom = nullptr;
    QLineEdit* edNewKey = nullptr;
    QPushButton* btAddKey = nullptr;
    QLabel* LabelStatus = nullptr;

    // True while the grid holds edits that were not saved.
    bool Modified() const;

    void FormShow();
    void cbLanguageChange();
    void btReloadClick();
    void btSaveClick();
    void btAddKeyClick();
    void sgTranslationsSetEditText(int row, int column, const QString& text);
    // Asks about unsaved edits; false when the window must stay open.
    bool FormCloseQuery();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildForm();
    void FillLanguageList();
    void FillGrid();
    void ShowStatus();
    void SelectLanguage(const QString& code);
    // Yes saves, No drops the edits, Cancel keeps them: false for Cancel or a failed save.
    bool SettleUnsavedEdits();

    std::unique_ptr<TranslationEditorModel> model_;
    bool placed_ = false;
    bool filling_ = false;
};

extern TfTranslationEditor* fTranslationEditor;
