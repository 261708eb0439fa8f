#include "app/curve_construction_form.h"

#include "app/dialog_hooks.h"
#include "app/las_text.h"
#include "app/multi_lang.h"
#include "calc/formula_parser.h"
#include "calc/function_registry.h"
#include "container/error.h"
#include "view/calculated_curves.h"
#include "view/las_core.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace {

std::vector<TfrmCurveConstruction::Entry>& Committed()
{
    static std::vector<TfrmCurveConstruction::Entry> committed;
    return committed;
}

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// The QString position of byte offset `byteOffset` of `bytes`, text of `data`.
int DisplayOffset(const std::string& bytes, int byteOffset, const RLasData& data)
{
    byteOffset = std::clamp(byteOffset, 0, static_cast<int>(bytes.size()));
    return static_cast<int>(LasText::ToDisplay(std::string_view(bytes).substr(0, byteOffset), data).size());
}

}  // namespace

const std::vector<TfrmCurveConstruction::Entry>& TfrmCurveConstruction::AddedCurves() { return Committed(); }

void TfrmCurveConstruction::ClearAddedCurves() { Committed().clear(); }

TfrmCurveConstruction::TfrmCurveConstruction(QWidget* parent, RLasCore& core, const RMultiLang& lang,
                                             std::function<void()> onCurvesChanged, QString settingsPath)
    : QDialog(parent), core_(core), onCurvesChanged_(std::move(onCurvesChanged)), settingsPath_(std::move(settingsPath))
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
    resize(640, 420);

    // The curves of the data set, then the functions a formula may call.
    for (const auto& curve : core_.Data->Curves())
        lbCurve1_->addItem(LasText::ToDisplay(curve->Mnemonic, *core_.Data));
    // Functions in italics, with their call form as the tip.
    QFont functionFont = lbCurve1_->font();
    functionFont.setItalic(true);
    for (const RCurveFunctionClass& function : FunctionRegistry()) {
        auto* item = new QListWidgetItem(QString::fromStdString(function.FunctionName()), lbCurve1_);
        item->setToolTip(QString::fromStdString(function.SyntaxText()));
        item->setFont(functionFont);
    }

    working_ = Committed();
    for (const Entry& entry : working_)
        lbCalculatedCurves_->addItem(LasText::ToDisplay(entry.Name, *core_.Data));
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
    working_.push_back({name, std::string(), -1});
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
        sBtnDel_->setEnabled(false);
        return;
    }
    const Entry& entry = working_[static_cast<std::size_t>(currentRow_)];
    EditName_->setText(LasText::ToDisplay(entry.Name, *core_.Data));
    EditFormla_->setText(LasText::ToDisplay(entry.Formula, *core_.Data));
    sBtnDel_->setEnabled(true);
}

void TfrmCurveConstruction::EditNameChange()
{
    if (currentRow_ < 0)
        return;
    working_[static_cast<std::size_t>(currentRow_)].Name = LasText::FromTyped(EditName_->text(), *core_.Data);
    lbCalculatedCurves_->item(currentRow_)->setText(EditName_->text());
}

void TfrmCurveConstruction::EditFormlaChange()
{
    if (currentRow_ < 0)
        return;
    working_[static_cast<std::size_t>(currentRow_)].Formula = LasText::FromTyped(EditFormla_->text(), *core_.Data);
}

void TfrmCurveConstruction::lbCurve1DblClick(QListWidgetItem* item)
{
    if (!item)
        return;
    const QString text = EditFormla_->text();
    const int caret = EditFormla_->cursorPosition();
    EditFormla_->setText(text.left(caret) + item->text() + text.mid(caret));
    EditFormla_->setFocus();
    EditFormla_->deselect();
    EditFormla_->end(false);
    EditFormlaChange();
}

void TfrmCurveConstruction::sBtnDelClick()
{
    if (currentRow_ < 0)
        return;
    // Every position keeps its curve index: the rows below move up by
    // name and formula, and the last position goes. At OK the curves of the
    // remaining positions are replaced in place and the last one deleted.
    for (std::size_t i = static_cast<std::size_t>(currentRow_); i + 1 < working_.size(); ++i) {
        working_[i].Name = working_[i + 1].Name;
        working_[i].Formula = working_[i + 1].Formula;
        lbCalculatedCurves_->item(static_cast<int>(i))->setText(lbCalculatedCurves_->item(static_cast<int>(i) + 1)->text());
    }
    working_.pop_back();
    delete lbCalculatedCurves_->takeItem(lbCalculatedCurves_->count() - 1);
    SelectRow(std::min(currentRow_, lbCalculatedCurves_->count() - 1));
    lbCalculatedCurvesClick();
}

bool TfrmCurveConstruction::CheckNames()
{
    const auto refuse = [this](std::size_t row, const QString& message) {
        SelectRow(static_cast<int>(row));
        lbCalculatedCurvesClick();
        RDialogHooks::ShowError(this, message);
        EditName_->setFocus();
        EditName_->selectAll();
        return false;
    };
    // The curves the calculator made carry their entries' names; every other
    // curve belongs to the file.
    std::set<int> ownCurves;
    for (const Entry& entry : Committed())
        ownCurves.insert(entry.CurveIndex);
    const auto& curves = core_.Data->Curves();
    for (std::size_t row = 0; row < working_.size(); ++row) {
        const std::string& name = working_[row].Name;
        const QString shown = LasText::ToDisplay(name, *core_.Data);
        if (name.empty())
            return refuse(row, QString::fromUtf8("Не задано имя кривой."));
        for (std::size_t other = 0; other < row; ++other)
            if (working_[other].Name == name)
                return refuse(row, QString::fromUtf8("Имя кривой \"%1\" уже занято другой кривой калькулятора.")
                                       .arg(shown));
        for (std::size_t i = 0; i < curves.size(); ++i)
            if (!ownCurves.count(static_cast<int>(i)) && curves[i]->Mnemonic == name)
                return refuse(row, QString::fromUtf8("В файле уже есть кривая \"%1\".").arg(shown));
    }
    return true;
}

void TfrmCurveConstruction::ShowFormulaError(const RFormulaError& error)
{
    // The commit does not say which entry failed: the first whose formula
    // fails alone with the same text is the one (a formula that refers to
    // an earlier new entry fails alone with another text).
    int failed = -1;
    for (std::size_t row = 0; row < working_.size() && failed < 0; ++row) {
        RCurveCalcMethod method(working_[row].Formula);
        try {
            method.Parse(*core_.Data);
        } catch (const RError& alone) {
            if (std::string_view(alone.what()) == error.what())
                failed = static_cast<int>(row);
        }
    }
    if (failed >= 0) {
        SelectRow(failed);
        lbCalculatedCurvesClick();
    }
    RDialogHooks::ShowError(this, QString::fromStdString(error.what()));
    if (failed < 0)
        return;
    const std::string& formula = working_[static_cast<std::size_t>(failed)].Formula;
    const int start = DisplayOffset(formula, error.Position() - 1, *core_.Data);
    const int end = DisplayOffset(formula, error.Position() - 1 + error.Length(), *core_.Data);
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

    std::vector<RCalcEntry> entries;
    std::set<int> kept;
    for (const Entry& entry : working_) {
        entries.push_back(RCalcEntry{entry.Name, RCurveCalcMethod(entry.Formula), entry.CurveIndex});
        kept.insert(entry.CurveIndex);
    }
    std::vector<int> deleted;
    for (const Entry& entry : Committed())
        if (entry.CurveIndex >= 0 && !kept.count(entry.CurveIndex))
            deleted.push_back(entry.CurveIndex);

    try {
        CommitCalcEntries(*core_.Data, *core_.Settings, entries, deleted);
    } catch (const RFormulaError& error) {
        ShowFormulaError(error);
        return;
    } catch (const std::exception& error) {
        RDialogHooks::ShowError(this, QString::fromStdString(error.what()));
        return;
    }
    for (std::size_t i = 0; i < working_.size(); ++i)
        working_[i].CurveIndex = entries[i].CurveIndex;
    // The document's methods follow the entries: deleted and renamed ones
    // go, the others are stored under their names.
    for (const Entry& entry : Committed())
        core_.Settings->SetCalcMethod(entry.Name, nullptr);
    for (const Entry& entry : working_)
        core_.Settings->SetCalcMethod(entry.Name, std::make_unique<RCurveCalcMethod>(entry.Formula));
    Committed() = working_;

    core_.Prepare(0);
    if (onCurvesChanged_)
        onCurvesChanged_();
    // The methods are kept with the views, through the one atomic save; a
    // failed write says why, and the curves stay in the document.
    if (!settingsPath_.isEmpty() && core_.Settings->Damaged()) {
        // A damaged file is replaced only by a deliberate save of the views.
        RDialogHooks::ShowError(this, QString::fromUtf8("Файл настроек %1 повреждён: формулы будут сохранены в нём, "
                                                        "когда виды кривых будут сохранены заново")
                                          .arg(settingsPath_));
    } else if (!settingsPath_.isEmpty()) {
        try {
            core_.Settings->SaveToFile(QFile::encodeName(settingsPath_).toStdString());
        } catch (const std::exception& error) {
            RDialogHooks::ShowError(this, QString::fromStdString(error.what()));
        }
    }
    accept();
}

void TfrmCurveConstruction::btnCancelClick() { reject(); }
