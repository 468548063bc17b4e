#include "TfTranslationEditor.h"

#include "ControlCaptions.h"
#include "THalvekTranslation.h"
#include "platform/HandlerGuard.h"
#include "platform/MessageBox.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

TfTranslationEditor* fTranslationEditor = nullptr;

namespace {

constexpr int PanelHeight = 41;
constexpr int ColumnWidths[] = {200, 250, 250};

QString text(const std::string& s) { return QString::fromStdString(s); }

template <class T>
T* named(T* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QTableWidgetItem* cell(const std::string& value, bool editable)
{
    auto* item = new QTableWidgetItem(text(value));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    return item;
}

}  // namespace

TfTranslationEditor::TfTranslationEditor(QWidget* parent)
    : FormOf(fTranslationEditor, QStringLiteral("fTranslationEditor"), QStringLiteral("Translation Editor"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::CentredOnMain);
    setFont(QFont(QStringLiteral("Segoe UI")));
    resize(750, 450);
    BuildForm();
}

TfTranslationEditor::~TfTranslationEditor() = default;

void TfTranslationEditor::BuildForm()
{
    PanelTop = named(new QWidget(this), "PanelTop");
    PanelTop->setFixedHeight(PanelHeight);
    LabelLanguage = named(new QLabel(QStringLiteral("Edit Language:"), PanelTop), "LabelLanguage");
    cbLanguage = named(new QComboBox(PanelTop), "cbLanguage");
    cbLanguage->setFixedWidth(80);
    btReload = named(new QPushButton(QStringLiteral("Reload"), PanelTop), "btReload");
    btSave = named(new QPushButton(QStringLiteral("Save Changes"), PanelTop), "btSave");
    auto* top = new QHBoxLayout(PanelTop);
    top->addWidget(LabelLanguage);
    top->addWidget(cbLanguage);
    top->addWidget(btReload);
    top->addWidget(btSave);
    top->addStretch();

    PanelGrid = named(new QWidget(this), "PanelGrid");
    sgTranslations = named(new QTableWidget(PanelGrid), "sgTranslations");
    sgTranslations->setColumnCount(3);
    sgTranslations->setEditTriggers(QAbstractItemView::AllEditTriggers);
    sgTranslations->setShowGrid(true);
    sgTranslations->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sgTranslations->verticalHeader()->setVisible(false);
    auto* grid = new QVBoxLayout(PanelGrid);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(sgTranslations);

    PanelBottom = named(new QWidget(this), "PanelBottom");
    PanelBottom->setFixedHeight(PanelHeight);
    edNewKey = named(new QLineEdit(PanelBottom), "edNewKey");
    edNewKey->setFixedWidth(178);
    btAddKey = named(new QPushButton(QStringLiteral("Add Key"), PanelBottom), "btAddKey");
    LabelStatus = named(new QLabel(PanelBottom), "LabelStatus");
    auto* bottom = new QHBoxLayout(PanelBottom);
    bottom->addWidget(edNewKey);
    bottom->addWidget(btAddKey);
    bottom->addWidget(LabelStatus, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PanelTop);
    layout->addWidget(PanelGrid, 1);
    layout->addWidget(PanelBottom);

    connect(cbLanguage, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) skerra::guarded(this, [this] { cbLanguageChange(); });
    });
    connect(btReload, &QPushButton::clicked, this, [this] { skerra::guarded(this, [this] { btReloadClick(); }); });
    connect(btSave, &QPushButton::clicked, this, [this] { skerra::guarded(this, [this] { btSaveClick(); }); });
    connect(btAddKey, &QPushButton::clicked, this, [this] { skerra::guarded(this, [this] { btAddKeyClick(); }); });
    connect(edNewKey, &QLineEdit::returnPressed, this, [this] { skerra::guarded(this, [this] { btAddKeyClick(); }); });
    connect(sgTranslations, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_) return;
        skerra::guarded(this, [&] { sgTranslationsSetEditText(item->row() + 1, item->column(), item->text()); });
    });
}

bool TfTranslationEditor::Modified() const { return model_ && model_->Modified(); }

void TfTranslationEditor::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (event->spontaneous()) return;  // a window brought back from the task bar keeps its grid
    skerra::guarded(this, [this] { FormShow(); });
}

void TfTranslationEditor::FormShow()
{
    if (Translation) {
        SetCaptionFromKey(this, QStringLiteral("Translation Editor"));
        SetCaptionFromKey(LabelLanguage, QStringLiteral("Edit Language:"));
        SetCaptionFromKey(btReload, QStringLiteral("Reload"));
        SetCaptionFromKey(btSave, QStringLiteral("Save Changes"));
        SetCaptionFromKey(btAddKey, QStringLiteral("Add Key"));
        model_ = std::make_unique<TranslationEditorModel>(*Translation);
    }
    FillLanguageList();
    FillGrid();
}

void TfTranslationEditor::FillLanguageList()
{
    const QSignalBlocker blocker(cbLanguage);
    cbLanguage->clear();
    if (!model_) return;
    for (const std::string& code : model_->Languages()) cbLanguage->addItem(text(code));
    SelectLanguage(text(model_->PreferredLanguage()));
}

void TfTranslationEditor::SelectLanguage(const QString& code)
{
    const QSignalBlocker blocker(cbLanguage);
    const int index = cbLanguage->findText(code);
    cbLanguage->setCurrentIndex(index >= 0 ? index : (cbLanguage->count() > 0 ? 0 : -1));
}

void TfTranslationEditor::FillGrid()
{
    if (!model_) return;
    model_->Fill(cbLanguage->currentText().toStdString());
    filling_ = true;
    const bool editable = model_->CanSave();
    const auto& rows = model_->Rows();
    sgTranslations->clearContents();
    sgTranslations->setRowCount(int(rows.size()));
    sgTranslations->setHorizontalHeaderLabels(
        {QStringLiteral("Key"), QStringLiteral("English"), text(model_->Language())});
    for (int c = 0; c < 3; ++c) sgTranslations->setColumnWidth(c, ColumnWidths[c]);
    for (int r = 0; r < int(rows.size()); ++r) {
        sgTranslations->setItem(r, 0, cell(rows[size_t(r)].key, false));
        sgTranslations->setItem(r, 1, cell(rows[size_t(r)].english, false));
        sgTranslations->setItem(r, 2, cell(rows[size_t(r)].text, editable));
    }
    filling_ = false;
    ShowStatus();
}

void TfTranslationEditor::ShowStatus()
{
    btSave->setEnabled(model_ && model_->CanSave());
    btAddKey->setEnabled(model_ && model_->CanSave());
    LabelStatus->setText(model_ ? text(model_->Status()) : QString());
}

bool TfTranslationEditor::SettleUnsavedEdits()
{
    if (!Modified()) return true;
    const int answer = skerra::askQuestion(QStringLiteral("Do you want to save changes?"),
                                           skerra::MbYes | skerra::MbNo | skerra::MbCancel, skerra::MbYes, this);
    if (answer == skerra::MbCancel) return false;
    if (answer == skerra::MbYes) {
        const bool saved = model_->Save();
        ShowStatus();
        return saved;
    }
    return true;
}

void TfTranslationEditor::cbLanguageChange()
{
    if (!model_) return;
    // A save stores the language the grid shows, never the one just chosen.
    if (!SettleUnsavedEdits()) {
        SelectLanguage(text(model_->Language()));
        return;
    }
    FillGrid();
}

void TfTranslationEditor::btReloadClick()
{
    if (!model_) return;
    model_->Reload();
    const QString shown = text(model_->Language());
    const std::string status = model_->Status();
    FillLanguageList();
    SelectLanguage(shown);
    FillGrid();
    LabelStatus->setText(text(status));
}

void TfTranslationEditor::btSaveClick()
{
    if (!model_) return;
    model_->Save();
    ShowStatus();
}

void TfTranslationEditor::btAddKeyClick()
{
    if (!model_) return;
    if (model_->AddKey(edNewKey->text().toStdString()) == TranslationEditorModel::AddResult::Added) {
        const TranslationEditorModel::Row& row = model_->Rows().back();
        filling_ = true;
        const int r = sgTranslations->rowCount();
        sgTranslations->setRowCount(r + 1);
        sgTranslations->setItem(r, 0, cell(row.key, false));
        sgTranslations->setItem(r, 1, cell(row.english, false));
        sgTranslations->setItem(r, 2, cell(row.text, model_->CanSave()));
        filling_ = false;
        edNewKey->clear();
    }
    ShowStatus();
}

void TfTranslationEditor::sgTranslationsSetEditText(int row, int column, const QString& value)
{
    if (!model_ || row < 1 || column != 2) return;
    model_->SetText(size_t(row - 1), value.toStdString());
    ShowStatus();
}

bool TfTranslationEditor::FormCloseQuery() { return SettleUnsavedEdits(); }

void TfTranslationEditor::closeEvent(QCloseEvent* event)
{
    bool close = true;
    skerra::guarded(this, [&] { close = FormCloseQuery(); });
    if (close)
        event->accept();
    else
        event->ignore();
}
