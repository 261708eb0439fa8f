#pragma once
// TfrmFill: the fill of one curve, edited in the drop-down of its row in the
// curve settings dialog: none, against a constant or against another
// curve, with a colour and the side(s) to fill. The dialog fills it before
// the drop-down opens and reads it back when the drop-down is confirmed.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class RColorSwatch;
class RMultiLang;

class TfrmFill : public QWidget {
    Q_OBJECT
public:
    explicit TfrmFill(QWidget* parent = nullptr);

    // Captions from the current language.
    void SetTexts(const RMultiLang& lang);

    QRadioButton* rbNone;
    QRadioButton* rbConst;
    QRadioButton* rbCurve;
    QLabel* lblConst;
    QLineEdit* EditConst;
    QLabel* lblcurve;
    QComboBox* CBCurve;
    QGroupBox* GBFillSettings;
    QLabel* lblFillColor;
    RColorSwatch* ImageColor;
    QLabel* lblfillsettings;
    QCheckBox* ChBxMore;
    QCheckBox* ChBxLess;

public slots:
    void ImageColorClick();
    void CBCurveChange();
    void EditConstChange();
    // Fill settings apply to a constant or curve fill only.
    void UpdateSettingsEnabled();
};
