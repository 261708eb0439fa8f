#include "app/fill_form.h"

#include "app/color_swatch.h"
#include "app/combo_form.h"
#include "app/dialog_hooks.h"
#include "app/multi_lang.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmFill::TfrmFill(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmFill");
    const auto named = [](auto* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    rbNone = named(new QRadioButton(this), "rbNone");
    rbConst = named(new QRadioButton(this), "rbConst");
    rbCurve = named(new QRadioButton(this), "rbCurve");
    lblConst = named(new QLabel(this), "lblConst");
    EditConst = named(new QLineEdit(this), "EditConst");
    lblcurve = named(new QLabel(this), "lblcurve");
    CBCurve = named(new QComboBox(this), "CBCurve");
    GBFillSettings = named(new QGroupBox(this), "GBFillSettings");
    lblFillColor = named(new QLabel(GBFillSettings), "lblFillColor");
    ImageColor = named(new RColorSwatch(GBFillSettings), "ImageColor");
    lblfillsettings = named(new QLabel(GBFillSettings), "lblfillsettings");
    ChBxMore = named(new QCheckBox(GBFillSettings), "ChBxMore");
    ChBxLess = named(new QCheckBox(GBFillSettings), "ChBxLess");

    ImageColor->setFixedSize(67, 21);
    EditConst->setMinimumWidth(120);
    CBCurve->setMinimumWidth(120);
    CBCurve->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    auto* choice = new QGridLayout;
    choice->addWidget(rbNone, 0, 0);
    choice->addWidget(rbConst, 1, 0);
    choice->addWidget(lblConst, 1, 1);
    choice->addWidget(EditConst, 1, 2);
    choice->addWidget(rbCurve, 2, 0);
    choice->addWidget(lblcurve, 2, 1);
    choice->addWidget(CBCurve, 2, 2);
    choice->setColumnStretch(2, 1);

    auto* settings = new QGridLayout(GBFillSettings);
    settings->addWidget(lblFillColor, 0, 0);
    settings->addWidget(ImageColor, 0, 1, Qt::AlignLeft);
    settings->addWidget(lblfillsettings, 1, 0, 1, 2);
    settings->addWidget(ChBxMore, 2, 0, 1, 2);
    settings->addWidget(ChBxLess, 3, 0, 1, 2);
    settings->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(choice);
    layout->addWidget(GBFillSettings);

    // User actions only: filling the form from code runs none of these.
    connect(ImageColor, &RColorSwatch::clicked, this, &TfrmFill::ImageColorClick);
    connect(CBCurve, &QComboBox::activated, this, &TfrmFill::CBCurveChange);
    connect(EditConst, &QLineEdit::textEdited, this, &TfrmFill::EditConstChange);
    for (QRadioButton* button : {rbNone, rbConst, rbCurve})
        connect(button, &QRadioButton::clicked, this, &TfrmFill::UpdateSettingsEnabled);
}

void TfrmFill::SetTexts(const RMultiLang& lang)
{
    const auto text = [](const std::string& utf8) { return QString::fromStdString(utf8); };
    rbNone->setText(text(lang.NoFill()));
    rbConst->setText(text(lang.FillByConstant()));
    rbCurve->setText(text(lang.FillByCurve()));
    lblConst->setText(text(lang.Constant()));
    lblcurve->setText(text(lang.Curve()));
    GBFillSettings->setTitle(text(lang.FillSettings()));
    lblFillColor->setText(text(lang.FillColor()));
    lblfillsettings->setText(text(lang.FillCondition()));
    ChBxMore->setText(text(lang.MoreOrEqual()));
    ChBxLess->setText(text(lang.LessOrEqual()));
}

void TfrmFill::ImageColorClick()
{
    RComboForm::KeepDroppedDown(this, [this] {
        const QColor color = RDialogHooks::PickColor(this, ImageColor->Color());
        if (color.isValid())
            ImageColor->SetColor(color);
    });
}

void TfrmFill::CBCurveChange()
{
    rbCurve->setChecked(true);
    UpdateSettingsEnabled();
}

void TfrmFill::EditConstChange()
{
    rbConst->setChecked(true);
    UpdateSettingsEnabled();
}

void TfrmFill::UpdateSettingsEnabled() { GBFillSettings->setEnabled(!rbNone->isChecked()); }
