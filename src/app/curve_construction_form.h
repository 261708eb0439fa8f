#pragma once
// TfrmCurveConstruction: the calculator window, where the user defines new
// curves of the open data set by name and formula.
//
//     TfrmCurveConstruction calc(mainWindow, core, lang, [&] { RebuildCharts(); }, settingsPath);
//     calc.exec();
//
// The window edits a working copy of the document's calculator entries
// (RLasCore::CalculatorEntries): the stored methods of settings.dat as they
// met the file, then the curves added since (see RCalculatorEntries for what
// OK does with each kind). OK writes the list into the data set all or
// nothing; a formula that does not parse is shown with the parser's message
// and the caret on the fault, and the window stays open. After a successful
// OK the document is prepared again and `onCurvesChanged` rebuilds the
// charts. Cancel drops the edits.
//
// The function list shows each function's call form and what it gives in
// the interface language; a double-click inserts the function's name.

#include "view/calculator_entries.h"

#include <QDialog>

#include <exception>
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

class TfrmCurveConstruction : public QDialog {
    Q_OBJECT
public:
    // One curve of the calculator; name and formula are bytes in the data
    // set's encoding.
    using Entry = RCalculatorEntry;

    // `settingsPath`: where OK stores the methods (settings.dat), so that
    // formulas survive a restart; empty to store nothing.
    TfrmCurveConstruction(QWidget* parent, RLasCore& core, const RMultiLang& lang,
                          std::function<void()> onCurvesChanged = {}, QString settingsPath = {});

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
    // Shows a failed commit's message with `row` (when not -1) selected.
    void ShowCommitError(const std::exception& error, int row);
    // Greys a row whose method gives no curve here and gives a row that is
    // not a curve of its own its note as the tip.
    void StyleRow(int row);
    // How `entry` meets the file, in the interface language; empty for a
    // curve the calculator computes.
    QString EntryNote(const Entry& entry) const;

    RLasCore& core_;
    int language_ = 0;  // RMultiLang's: 0 English, 1 Russian
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
    QLabel* lblEntryState_;  // how the current entry meets the file, when it is not a curve of its own
    QPushButton* btnOK_;
    QPushButton* btnCancel_;
};
