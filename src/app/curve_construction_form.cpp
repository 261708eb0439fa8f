#include "app/curve_construction_form.h"

#include "app/dialog_hooks.h"
#include "app/error_text.h"
#include "app/las_text.h"
#include "app/multi_lang.h"
#include "calc/formula_parser.h"
#include "calc/function_help.h"
#include "calc/function_registry.h"
#include "container/error.h"
#include "view/las_core.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The window's own texts per interface language (0 English, 1 Russian):
// the notes on an entry that is not a curve of its own and the refusals.
struct REntryTexts {
    const char* fileCurve;        // %1: the curve's name
    const char* notApplied;       // %1: why, the parser's sentence
    const char* noName;
    const char* nameRepeated;     // %1: the name
    const char* nameInFile;       // %1: the name
    const char* settingsDamaged;  // %1: the settings file
};
const REntryTexts kEntryTexts[2] = {
    {"The file has its own curve %1: this formula replaces its values only when you change it; deleting the row "
     "forgets the formula and keeps the curve.",
     "Not computed for this file. %1 The formula stays stored; change it to compute the curve here.",
     "The curve has no name.",
     "The name \"%1\" is already taken by another curve of the calculator.",
     "The file already has a curve \"%1\".",
     "The settings file %1 is damaged: the formulas will be stored in it when the curve views are saved again"},
    {"В файле есть своя кривая %1: эта формула заменит её значения, только если вы её измените; удаление строки "
     "забудет формулу, а кривая останется.",
     "Для этого файла не вычисляется. %1 Формула остаётся сохранённой; измените её, чтобы вычислить кривую здесь.",
     "Не задано имя кривой.",
     "Имя кривой \"%1\" уже занято другой кривой калькулятора.",
     "В файле уже есть кривая \"%1\".",
     "Файл настроек %1 повреждён: формулы будут сохранены в нём, когда виды кривых будут сохранены заново"},
};

const REntryTexts& TextsOf(int language) { return kEntryTexts[language == 1 ? 1 : 0]; }

// Between a function's call form and what it gives.
constexpr const char* kHelpSeparator = "  - ";

// The QString position of byte offset `byteOffset` of `bytes`, text of `data`.
int DisplayOffset(const std::string& bytes, int byteOffset, const RLasData& data)
{
    byteOffset = std::clamp(byteOffset, 0, static_cast<int>(bytes.size()));
    return static_cast<int>(LasText::ToDisplay(std::string_view(bytes).substr(0, byteOffset), data).size());
}

}  // namespace

TfrmCurveConstruction::TfrmCurveConstruction(QWidget* parent, RLasCore& core, const RMultiLang& lang,
                                             std::function<void()> onCurvesChanged, QString settingsPath)
    : QDialog(parent),
      core_(core),
      language_(lang.Language()),
      onCurvesChanged_(std::move(onCurvesChanged)),
      settingsPath_(std::move(settingsPath))
{
    setObjectName("frmCurveConstruction");
    setWindowTitle(FromUtf8(lang.MapCalculator()));

    sBtnNew_ = new QToolButton(this);
    sBtnNew_->setObjectName("sBtnNew");
    sBtnNew_->setText("+");
    sBtnDel_ = new QToolButton(this);
    sBtnDel_->setObjectName("sBtnDel");
    sBtnDel_->setText(QString::fromUtf8("\u2212"));
    for (QToolButton* button : {sBtnNew_, sBtnDel_}) {
        button->setAutoRaise(true);
        button->setFixedSize(28, 28);
        QFont font = button->font();
        font.setPointSizeF(font.pointSizeF() * 1.4);
        font.setBold(true);
        button->setFont(font);
    }

    lbCalculatedCurves_ = new QListWidget(this);
    lbCalculatedCurves_->setObjectName("lbCalculatedCurves");
    lbCurve1_ = new QListWidget(this);
    lbCurve1_->setObjectName("lbCurve1");

    lblName_ = new QLabel(FromUtf8(lang.CurveName()), this);
    lblName_->setObjectName("lblName");
    EditName_ = new QLineEdit(this);
    EditName_->setObjectName("EditName");
    lblFormula_ = new QLabel(FromUtf8(lang.Formula()), this);
    lblFormula_->setObjectName("lblFormula");
    EditFormla_ = new QLineEdit(this);
    EditFormla_->setObjectName("EditFormla");
    lblName_->setBuddy(EditName_);
    lblFormula_->setBuddy(EditFormla_);
    lblEntryState_ = new QLabel(this);
    lblEntryState_->setObjectName("lblEntryState");
    lblEntryState_->setWordWrap(true);
    lblEntryState_->hide();

    btnOK_ = new QPushButton("OK", this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setDefault(true);
    btnCancel_ = new QPushButton(FromUtf8(lang.Cancel()), this);
    btnCancel_->setObjectName("btnCancel");

    auto* entryButtons = new QHBoxLayout;
    entryButtons->setSpacing(2);
    entryButtons->addWidget(sBtnNew_);
    entryButtons->addWidget(sBtnDel_);
    entryButtons->addStretch();
    auto* entriesColumn = new QVBoxLayout;
    entriesColumn->addLayout(entryButtons);
    entriesColumn->addWidget(lbCalculatedCurves_);

    auto* edits = new QGridLayout;
    edits->addWidget(lblName_, 0, 0);
    edits->addWidget(EditName_, 0, 1);
    edits->addWidget(lblFormula_, 1, 0);
    edits->addWidget(EditFormla_, 1, 1);
    auto* editColumn = new QVBoxLayout;
    editColumn->addLayout(edits);
    editColumn->addWidget(lblEntryState_);
    editColumn->addWidget(lbCurve1_);

    auto* columns = new QHBoxLayout;
    columns->addLayout(entriesColumn, 2);
    columns->addLayout(editColumn, 5);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(btnOK_);
    bottom->addWidget(btnCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(bottom);
    resize(780, 440);

    // The curves of the data set, then the functions a formula may call.
    // Each row keeps what a double-click inserts: the curve's name, the
    // function's name without brackets.
    for (const auto& curve : core_.Data->Curves()) {
        const QString name = LasText::ToDisplay(curve->Mnemonic, *core_.Data);
        auto* item = new QListWidgetItem(name, lbCurve1_);
        item->setData(Qt::UserRole, name);
    }
    // Functions in italics: the call form and what it gives.
    QFont functionFont = lbCurve1_->font();
    functionFont.setItalic(true);
    for (const RCurveFunctionClass& function : FunctionRegistry()) {
        const RFunctionHelp* help = FindFunctionHelp(function.className);
        const QString text = help ? FromUtf8(help->Syntax(language_)) + kHelpSeparator
                                        + FromUtf8(help->Description(language_))
                                  : QString::fromStdString(function.SyntaxText());
        auto* item = new QListWidgetItem(text, lbCurve1_);
        item->setData(Qt::UserRole, QString::fromStdString(function.FunctionName()));
        item->setToolTip(text);
        item->setFont(functionFont);
    }

    working_ = core_.CalculatorEntries().Entries();
    for (std::size_t row = 0; row < working_.size(); ++row) {
        lbCalculatedCurves_->addItem(LasText::ToDisplay(working_[row].Name, *core_.Data));
        StyleRow(static_cast<int>(row));
    }
    sBtnDel_->setEnabled(false);

    // Handlers answer the user only: filling and selecting from code runs
    // none of them.
    connect(sBtnNew_, &QToolButton::clicked, this, &TfrmCurveConstruction::sBtnNewClick);
    connect(sBtnDel_, &QToolButton::clicked, this, &TfrmCurveConstruction::sBtnDelClick);
    connect(lbCalculatedCurves_, &QListWidget::currentRowChanged, this,
            &TfrmCurveConstruction::lbCalculatedCurvesClick);
    connect(EditName_, &QLineEdit::textEdited, this, &TfrmCurveConstruction::EditNameChange);
    connect(EditFormla_, &QLineEdit::textEdited, this, &TfrmCurveConstruction::EditFormlaChange);
    connect(lbCurve1_, &QListWidget::itemDoubleClicked, this, &TfrmCurveConstruction::lbCurve1DblClick);
    connect(btnOK_, &QPushButton::clicked, this, &TfrmCurveConstruction::btnOKClick);
    connect(btnCancel_, &QPushButton::clicked, this, &TfrmCurveConstruction::btnCancelClick);
}

QString TfrmCurveConstruction::EntryNote(const Entry& entry) const
{
    const REntryTexts& texts = TextsOf(language_);
    switch (entry.Source) {
    case RCalcEntrySource::Calculator: return {};
    case RCalcEntrySource::FileCurve:
        return QString::fromUtf8(texts.fileCurve).arg(LasText::ToDisplay(entry.Name, *core_.Data));
    case RCalcEntrySource::NotApplied:
        return QString::fromUtf8(texts.notApplied)
            .arg(FromUtf8(entry.Problem[static_cast<std::size_t>(LanguageOfIndex(language_))]))
            .simplified();
    }
    return {};
}

void TfrmCurveConstruction::StyleRow(int row)
{
    QListWidgetItem* item = lbCalculatedCurves_->item(row);
    const Entry& entry = working_[static_cast<std::size_t>(row)];
    item->setToolTip(EntryNote(entry));
    if (entry.Source == RCalcEntrySource::NotApplied)
        item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
}

void TfrmCurveConstruction::SelectRow(int row)
{
    const QSignalBlocker blocker(lbCalculatedCurves_);
    lbCalculatedCurves_->setCurrentRow(row);
    if (row < 0)
        lbCalculatedCurves_->clearSelection();
}

void TfrmCurveConstruction::sBtnNewClick()
{
    currentRow_ = -1;
    // The smallest free number, so a name never repeats one in use.
    std::set<std::string> taken;
    for (const Entry& entry : working_)
        taken.insert(entry.Name);
    for (const auto& curve : core_.Data->Curves())
        taken.insert(curve->Mnemonic);
    std::string name;
    for (int number = 0;; ++number) {
        name = "NewCurve" + std::to_string(number);
        if (!taken.count(name))
            break;
    }
    EditName_->setText(QString::fromStdString(name));
    lbCalculatedCurves_->addItem(QString::fromStdString(name));
    const int row = lbCalculatedCurves_->count() - 1;
    SelectRow(row);
    sBtnDel_->setEnabled(true);
    EditFormla_->clear();
    Entry entry;
    entry.Name = name;
    entry.Edited = true;
    working_.push_back(std::move(entry));
    currentRow_ = row;
    EditName_->setFocus();
    EditName_->selectAll();
}

void TfrmCurveConstruction::lbCalculatedCurvesClick()
{
    currentRow_ = lbCalculatedCurves_->currentRow();
    if (currentRow_ < 0 || currentRow_ >= static_cast<int>(working_.size())) {
        currentRow_ = -1;
        EditName_->clear();
        EditFormla_->clear();
        lblEntryState_->hide();
        sBtnDel_->setEnabled(false);
        return;
    }
    const Entry& entry = working_[static_cast<std::size_t>(currentRow_)];
    EditName_->setText(LasText::ToDisplay(entry.Name, *core_.Data));
    EditFormla_->setText(LasText::ToDisplay(entry.Formula, *core_.Data));
    const QString note = EntryNote(entry);
    lblEntryState_->setText(note);
    lblEntryState_->setVisible(!note.isEmpty());
    sBtnDel_->setEnabled(true);
}

void TfrmCurveConstruction::EditNameChange()
{
    if (currentRow_ < 0)
        return;
    Entry& entry = working_[static_cast<std::size_t>(currentRow_)];
    entry.Name = LasText::FromTyped(EditName_->text(), *core_.Data);
    entry.Edited = true;
    lbCalculatedCurves_->item(currentRow_)->setText(EditName_->text());
}

void TfrmCurveConstruction::EditFormlaChange()
{
    if (currentRow_ < 0)
        return;
    Entry& entry = working_[static_cast<std::size_t>(currentRow_)];
    entry.Formula = LasText::FromTyped(EditFormla_->text(), *core_.Data);
    entry.Edited = true;
}

void TfrmCurveConstruction::lbCurve1DblClick(QListWidgetItem* item)
{
    if (!item)
        return;
    const QString text = EditFormla_->text();
    const int caret = EditFormla_->cursorPosition();
    const QString inserted = item->data(Qt::UserRole).toString();
    EditFormla_->setText(text.left(caret) + (inserted.isEmpty() ? item->text() : inserted) + text.mid(caret));
    EditFormla_->setFocus();
    EditFormla_->deselect();
    EditFormla_->end(false);
    EditFormlaChange();
}

void TfrmCurveConstruction::sBtnDelClick()
{
    if (currentRow_ < 0)
        return;
    // The entry goes with its curve (a curve of the file stays, see
    // RCalculatorEntries); the others keep theirs.
    const int row = currentRow_;
    working_.erase(working_.begin() + row);
    {
        const QSignalBlocker blocker(lbCalculatedCurves_);
        delete lbCalculatedCurves_->takeItem(row);
    }
    SelectRow(std::min(row, lbCalculatedCurves_->count() - 1));
    lbCalculatedCurvesClick();
}

bool TfrmCurveConstruction::CheckNames()
{
    const RCalcNameProblem problem = core_.CalculatorEntries().CheckNames(*core_.Data, working_);
    if (problem.kind == RCalcNameProblem::Kind::None || problem.row < 0)
        return true;
    const QString shown = LasText::ToDisplay(working_[static_cast<std::size_t>(problem.row)].Name, *core_.Data);
    QString message;
    switch (problem.kind) {
    case RCalcNameProblem::Kind::None: return true;
    case RCalcNameProblem::Kind::Missing: message = QString::fromUtf8(TextsOf(language_).noName); break;
    case RCalcNameProblem::Kind::Repeated: message = QString::fromUtf8(TextsOf(language_).nameRepeated).arg(shown); break;
    case RCalcNameProblem::Kind::TakenByFile: message = QString::fromUtf8(TextsOf(language_).nameInFile).arg(shown); break;
    }
    SelectRow(problem.row);
    lbCalculatedCurvesClick();
    RDialogHooks::ShowError(this, message);
    EditName_->setFocus();
    EditName_->selectAll();
    return false;
}

void TfrmCurveConstruction::ShowCommitError(const std::exception& error, int row)
{
    const bool located = row >= 0 && row < static_cast<int>(working_.size());
    if (located) {
        SelectRow(row);
        lbCalculatedCurvesClick();
    }
    RDialogHooks::ShowError(this, ErrorText(error, LanguageOfIndex(language_)));
    if (!located)
        return;
    const auto* formulaError = dynamic_cast<const RFormulaError*>(&error);
    if (!formulaError) {  // the name is at fault
        EditName_->setFocus();
        EditName_->selectAll();
        return;
    }
    const std::string& formula = working_[static_cast<std::size_t>(row)].Formula;
    const int start = DisplayOffset(formula, formulaError->Position() - 1, *core_.Data);
    const int end = DisplayOffset(formula, formulaError->Position() - 1 + formulaError->Length(), *core_.Data);
    EditFormla_->setFocus();
    if (end > start)
        EditFormla_->setSelection(start, end - start);
    else
        EditFormla_->setCursorPosition(start);
}

void TfrmCurveConstruction::btnOKClick()
{
    if (!CheckNames())
        return;
    int failedRow = -1;
    try {
        core_.CalculatorEntries().Commit(*core_.Data, *core_.Settings, working_, &failedRow);
    } catch (const std::exception& error) {
        ShowCommitError(error, failedRow);
        return;
    }
    working_ = core_.CalculatorEntries().Entries();

    core_.Prepare(RPrepareMode::Changed);
    if (onCurvesChanged_)
        onCurvesChanged_();
    // The methods are kept with the views, through the one atomic save; a
    // failed write says why, and the curves stay in the document.
    if (!settingsPath_.isEmpty() && core_.Settings->Damaged()) {
        // A damaged file is replaced only by a deliberate save of the views.
        RDialogHooks::ShowError(this, QString::fromUtf8(TextsOf(language_).settingsDamaged).arg(settingsPath_));
    } else if (!settingsPath_.isEmpty()) {
        try {
            core_.Settings->SaveToFile(QFile::encodeName(settingsPath_).toStdString());
        } catch (const std::exception& error) {
            RDialogHooks::ShowError(this, ErrorText(error, LanguageOfIndex(language_)));
        }
    }
    accept();
}

void TfrmCurveConstruction::btnCancelClick() { reject(); }
