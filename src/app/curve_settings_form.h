#pragma once
// TfrmCurveSettings: the curve settings dialog, one row per curve of the
// open data set: shown, logarithmic axis, colour, track and fill (edited in
// the row's drop-down, see TfrmFill).
//
//     TfrmCurveSettings dialog(mainWindow, core, lang, exeDir + "/settings.dat",
//                              [&] { RebuildCharts(); });
//     dialog.exec();
//
// A track is a whole number from 0 to the number of curves (empty reads
// 0); the edit takes nothing else as it is typed, and a text out of range
// (a stored track, a number being typed) turns the edit red with the hint
// shown under the rows.
//
// Nothing reaches the settings before OK. OK checks every row first (a
// track that is not a whole number in range is refused in place), then stores the
// view of every listed curve, keeping the views of curves this file lacks
// and the stored calculation methods; prepares the document, lets
// `onViewChanged` rebuild the charts and writes the settings file. A failed
// write is reported and the new views stay in effect. Cancel changes
// nothing.
//
// Row controls are named with the curve's position + 1: "ChBxName1",
// "ChbxLogAxis1", "PbColor1", "EditTrack1", "RComboForm1", "EditNote1" for
// curve 0; each carries the curve's position as its "tag" property.

#include "view/curve_view.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QWidget;
class RColorSwatch;
class RComboForm;
class RLasCore;
class RMultiLang;
class TfrmFill;

class TfrmCurveSettings : public QDialog {
    Q_OBJECT
public:
    // The fill of one row, as RCurveView holds it.
    struct RowFill {
        RFillType FillType = RFillType::None;
        RPlatformColor FillColor;
        double FillConst = 0.0;
        std::string FillCurve;
        RFillCondition Condition = RFillCondition::Below;
    };

    TfrmCurveSettings(QWidget* parent, RLasCore& core, const RMultiLang& lang, QString settingsPath,
                      std::function<void()> onViewChanged = {});
    ~TfrmCurveSettings() override;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const RowFill& Fill(int row) const { return rows_[static_cast<std::size_t>(row)].fill; }
    TfrmFill& FillForm() { return *fillForm_; }

    // How a number is shown in the fill texts and the constant edit: the
    // shortest text that reads back as the same value.
    static QString NumberText(double value);

public slots:
    void PbColor1Click(int row);
    void btnSaveClick();
    void btnCancelClick();

public:
    QWidget* RComboForm1PrepareComboForm(RComboForm& control);
    bool RComboForm1ApplyComboForm(RComboForm& control, QWidget& form);

    // The hint under the rows; shown while a track edit holds a text OK would refuse.
    QLabel& TrackHint() { return *lblTrackHint_; }

private:
    enum class TrackState { Ok, NotWhole, OutOfRange };
    struct Row {
        QWidget* panel;
        QCheckBox* name;
        QCheckBox* logAxis;
        RColorSwatch* color;
        QLineEdit* track;
        RComboForm* fillBox;
        QLineEdit* note;
        RowFill fill;
    };

    void BuildRows();
    QString ConditionText(RFillCondition condition) const;
    // A row's drop-down text: "No fill", "Greater than 75", "Less than RHOB".
    QString FillText(const RowFill& fill) const;
    void Refuse(QWidget* where, const QString& message);
    // A row's track as OK would read it: empty reads 0.
    TrackState ReadTrack(const Row& row, std::int32_t& track) const;
    // Every track edit red or plain by its text, the hint shown while any is red.
    void ShowTrackStates();

    RLasCore& core_;
    const RMultiLang& lang_;
    QString settingsPath_;
    std::function<void()> onViewChanged_;
    std::vector<Row> rows_;
    TfrmFill* fillForm_;

    QWidget* NamePanel_;
    QLabel* lblCurveName_;
    QLabel* lblLogAxis_;
    QLabel* lblCOlor_;
    QLabel* lblTrack_;
    QLabel* lblfill_;
    QLabel* LblNote_;
    QScrollArea* sbMain_;
    QWidget* rowsHost_;
    QLabel* lblTrackHint_;
    QPushButton* btnSave_;
    QPushButton* btnCancel_;
};
