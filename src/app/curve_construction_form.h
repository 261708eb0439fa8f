#pragma once
// TfrmCurveConstruction: the calculator window, where the user defines new
// curves of the open data set by name and formula.
//
//     TfrmCurveConstruction calc(mainWindow, core, lang, [&] { RebuildCharts(); }, settingsPath);
//     calc.exec();
//
// The window edits a working copy of the curves the calculator added
// earlier (kept for the whole run, see AddedCurves). OK writes the list into
// the data set all or nothing; a formula that does not parse is shown with
// the parser's message and the caret on the fault, and the window stays
// open. After a successful OK the document is prepared again and
// `onCurvesChanged` rebuilds the charts. Cancel drops the edits.

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;
class RLasCore;
class RMultiLang;
class RFormulaError;

class TfrmCurveConstruction : public QDialog {
    Q_OBJECT
public:
    // One curve of the calculator. Name and formula are bytes in the data
    // set's encoding; CurveIndex is the curve's index in the data set once
    // committed, -1 before.
    struct Entry {
        std::string Name;
        std::string Formula;
        int CurveIndex = -1;
    };

    // `settingsPath`: where OK stores the methods (settings.dat), so that
    // formulas survive a restart; empty to store nothing.
    TfrmCurveConstruction(QWidget* parent, RLasCore& core, const RMultiLang& lang,
                          std::function<void()> onCurvesChanged = {}, QString settingsPath = {});

    // The entries committed by earlier OKs, alive for the whole run: the
    // only record of which curves of the open file the calculator made.
    static const std::vector<Entry>& AddedCurves();
    // Called by the main window when another file is opened.
    static void ClearAddedCurves();

    const std::vector<Entry>& WorkingEntries() const { return working_; }
    int CurrentRow() const { return currentRow_; }

public slots:
    void sBtnNewClick();
    void sBtnDelClick();
    void lbCalculatedCurvesClick();
    void EditNameChange();
    void EditFormlaChange();
    void lbCurve1DblClick(QListWidgetItem* item);
    void btnOKClick();
    void btnCancelClick();

private:
    // Selects `row` (or nothing for -1) without running the list's handler.
    void SelectRow(int row);
    // Refuses a missing, repeated or taken name; false after the message.
    bool CheckNames();
    void ShowFormulaError(const RFormulaError& error);

    RLasCore& core_;
    std::function<void()> onCurvesChanged_;
    QString settingsPath_;
    std::vector<Entry> working_;
    int currentRow_ = -1;

    QToolButton* sBtnNew_;
    QToolButton* sBtnDel_;
    QListWidget* lbCalculatedCurves_;
    QListWidget* lbCurve1_;
    QLabel* lblName_;
    QLineEdit* EditName_;
    QLabel* lblFormula_;
    QLineEdit* EditFormla_;
    QPushButton* btnOK_;
    QPushButton* btnCancel_;
};
