#include "app/curve_settings_form.h"

#include "app/color_swatch.h"
#include "app/combo_form.h"
#include "app/dialog_hooks.h"
#include "app/error_text.h"
#include "app/fill_form.h"
#include "app/las_text.h"
#include "app/multi_lang.h"
#include "container/error.h"
#include "view/las_core.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <charconv>
#include <cmath>

namespace {

// Column positions of the header and the rows, in pixels.
constexpr int kNameX = 14, kLogAxisX = 142, kLogTitleX = 140, kColorX = 214, kTrackX = 332, kFillX = 455,
              kFillTitleX = 453, kNoteX = 596;
constexpr int kNameWidth = 120, kFillWidth = 150;
constexpr int kRowHeight = 40, kHeaderHeight = 33;
constexpr int kPanelWidth = kFillX + kFillWidth + 15;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// "0.5" and "0,5" alike; false for anything else, infinities included.
bool ReadNumber(const QString& text, double& value)
{
    QString plain = text.trimmed();
    plain.replace(',', '.');
    bool ok = false;
    value = plain.toDouble(&ok);
    return ok && std::isfinite(value);
}

}  // namespace

QString TfrmCurveSettings::NumberText(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

TfrmCurveSettings::TfrmCurveSettings(QWidget* parent, RLasCore& core, const RMultiLang& lang, QString settingsPath,
                                     std::function<void()> onViewChanged)
    : QDialog(parent), core_(core), lang_(lang), settingsPath_(std::move(settingsPath)),
      onViewChanged_(std::move(onViewChanged))
{
    setObjectName("frmCurveSettings");
    setWindowTitle(Utf8(lang.CurvesSettings()));

    // Lives with the dialog; each drop-down borrows it while open.
    fillForm_ = new TfrmFill(this);
    fillForm_->hide();

    NamePanel_ = new QWidget(this);
    NamePanel_->setObjectName("NamePanel");
    NamePanel_->setFixedSize(kPanelWidth, kHeaderHeight);
    const auto title = [this](const char* name, const std::string& text, int x) {
        auto* label = new QLabel(Utf8(text), NamePanel_);
        label->setObjectName(name);
        label->move(x, 9);
        return label;
    };
    lblCurveName_ = title("lblCurveName", lang.Curve(), kNameX);
    lblLogAxis_ = title("lblLogAxis", "Lg", kLogTitleX);
    lblCOlor_ = title("lblCOlor", lang.CurveColor(), kColorX);
    lblTrack_ = title("lblTrack", lang.Track(), kTrackX);
    lblfill_ = title("lblfill", lang.Fill(), kFillTitleX);
    LblNote_ = title("LblNote", lang.Note(), kNoteX + 10);
    LblNote_->hide();

    sbMain_ = new QScrollArea(this);
    sbMain_->setObjectName("sbMain");
    sbMain_->setFrameShape(QFrame::NoFrame);
    sbMain_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rowsHost_ = new QWidget;
    sbMain_->setWidget(rowsHost_);

    btnSave_ = new QPushButton("OK", this);
    btnSave_->setObjectName("btnSave");
    btnSave_->setDefault(true);
    btnCancel_ = new QPushButton(Utf8(lang.Cancel()), this);
    btnCancel_->setObjectName("btnCancel");
    lblTrackHint_ = new QLabel(Utf8(lang.TrackHint()).arg(static_cast<int>(core.Data->Curves().size())), this);
    lblTrackHint_->setObjectName("lblTrackHint");
    lblTrackHint_->setStyleSheet("color: #C00000;");
    lblTrackHint_->setWordWrap(true);
    lblTrackHint_->hide();
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(kNameX, 0, 0, 0);
    bottom->addWidget(lblTrackHint_, 1);
    bottom->addStretch();
    bottom->addWidget(btnSave_);
    bottom->addWidget(btnCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 10, 10);
    layout->addWidget(NamePanel_);
    layout->addWidget(sbMain_, 1);
    layout->addLayout(bottom);

    connect(btnSave_, &QPushButton::clicked, this, &TfrmCurveSettings::btnSaveClick);
    connect(btnCancel_, &QPushButton::clicked, this, &TfrmCurveSettings::btnCancelClick);

    BuildRows();
    setMinimumWidth(652);
    resize(std::max(652, kPanelWidth + 35), 484);
}

TfrmCurveSettings::~TfrmCurveSettings()
{
    // Take the fill form back from an open drop-down before the rows go.
    for (Row& row : rows_)
        row.fillBox->hidePopup();
}

QString TfrmCurveSettings::ConditionText(RFillCondition condition) const
{
    switch (condition) {
    case RFillCondition::Below: return Utf8(lang_.LessThan());
    case RFillCondition::Above: return Utf8(lang_.GreaterThan());
    case RFillCondition::Between: return Utf8(lang_.FillFrom());
    }
    return QString();
}

QString TfrmCurveSettings::FillText(const RowFill& fill) const
{
    switch (fill.FillType) {
    case RFillType::Constant:
        if (fill.Condition == RFillCondition::Between)
            return Utf8(lang_.FullFill());
        return ConditionText(fill.Condition) + " " + NumberText(fill.FillConst);
    case RFillType::Curve: return ConditionText(fill.Condition) + " " + LasText::ToDisplay(fill.FillCurve, *core_.Data);
    default: return Utf8(lang_.NoFill());
    }
}

void TfrmCurveSettings::BuildRows()
{
    const auto& curves = core_.Data->Curves();
    if (curves.empty()) {
        NamePanel_->hide();
        return;
    }
    rowsHost_->setFixedSize(kPanelWidth, kRowHeight * static_cast<int>(curves.size()));
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const QString number = QString::number(i + 1);
        const int tag = static_cast<int>(i);
        Row row{};
        row.panel = new QWidget(rowsHost_);
        row.panel->setObjectName("CurveInfoPanel" + number);
        row.panel->setGeometry(0, kRowHeight * tag, kPanelWidth, kRowHeight);

        const QString mnemonic = LasText::ToDisplay(curves[i]->Mnemonic, *core_.Data);
        row.name = new QCheckBox(row.panel);
        row.name->setObjectName("ChBxName" + number);
        row.name->setText(row.name->fontMetrics().elidedText(mnemonic, Qt::ElideRight, kNameWidth - 24));
        row.name->setToolTip(mnemonic);
        row.name->setGeometry(kNameX, 10, kNameWidth, 20);

        row.logAxis = new QCheckBox(row.panel);
        row.logAxis->setObjectName("ChbxLogAxis" + number);
        row.logAxis->setGeometry(kLogAxisX, 10, 40, 20);

        row.color = new RColorSwatch(row.panel);
        row.color->setObjectName("PbColor" + number);
        row.color->setGeometry(kColorX, 9, 67, 21);

        row.track = new QLineEdit(row.panel);
        row.track->setObjectName("EditTrack" + number);
        row.track->setGeometry(kTrackX, 8, 101, 24);
        // Digits only, whatever the desktop's locale: no sign, no grouping.
        auto* whole = new QIntValidator(0, static_cast<int>(curves.size()), row.track);
        QLocale plain = QLocale::c();
        plain.setNumberOptions(QLocale::RejectGroupSeparator);
        whole->setLocale(plain);
        row.track->setValidator(whole);
        row.track->setToolTip(lblTrackHint_->text());

        row.fillBox = new RComboForm(row.panel);
        row.fillBox->setObjectName("RComboForm" + number);
        row.fillBox->setGeometry(kFillX, 8, kFillWidth, 24);

        row.note = new QLineEdit(row.panel);
        row.note->setObjectName("EditNote" + number);
        row.note->setGeometry(kNoteX, 8, 261, 24);
        row.note->hide();

        for (QWidget* widget : {static_cast<QWidget*>(row.name), static_cast<QWidget*>(row.color),
                                static_cast<QWidget*>(row.fillBox)})
            widget->setProperty("tag", tag);
        row.fillBox->SetTag(tag);

        // A curve without a stored view is drawn shown and black: the row
        // starts so, and OK without changes keeps what the chart shows.
        const RCurveView* view = core_.Settings->GetView(curves[i]->Mnemonic);
        const RCurveView shown;
        const RCurveView& source = view ? *view : shown;
        row.name->setChecked(source.Visible);
        row.logAxis->setChecked(source.LogAxis);
        row.color->SetColor(ToQColor(source.Color));
        row.track->setText(view ? QString::number(view->Track) : QString());
        // Without a view the fill state is zero: no fill, condition 0.
        if (view)
            row.fill = {view->FillType, view->FillColor, view->FillConst, view->FillCurve, view->FillCondition};
        row.fillBox->SetText(FillText(row.fill));

        connect(row.color, &RColorSwatch::clicked, this, [this, tag] { PbColor1Click(tag); });
        row.fillBox->OnPrepareComboForm = [this](RComboForm& control) { return RComboForm1PrepareComboForm(control); };
        row.fillBox->OnApplyComboForm = [this](RComboForm& control, QWidget& form) {
            return RComboForm1ApplyComboForm(control, form);
        };
        connect(row.track, &QLineEdit::textChanged, this, &TfrmCurveSettings::ShowTrackStates);
        rows_.push_back(row);
        row.panel->show();
    }
    ShowTrackStates();
}

TfrmCurveSettings::TrackState TfrmCurveSettings::ReadTrack(const Row& row, std::int32_t& track) const
{
    const QString text = row.track->text().trimmed();
    track = 0;
    if (text.isEmpty())
        return TrackState::Ok;
    bool whole = false;
    const int value = text.toInt(&whole, 10);
    if (!whole)
        return TrackState::NotWhole;
    if (value < 0 || value > static_cast<int>(rows_.size()))
        return TrackState::OutOfRange;
    track = value;
    return TrackState::Ok;
}

void TfrmCurveSettings::ShowTrackStates()
{
    bool anyRefused = false;
    for (const Row& row : rows_) {
        std::int32_t track = 0;
        const bool acceptable = ReadTrack(row, track) == TrackState::Ok;
        anyRefused = anyRefused || !acceptable;
        if (row.track->property("acceptable") == QVariant(acceptable))
            continue;  // a new style sheet repolishes the edit: only on a change
        row.track->setProperty("acceptable", acceptable);
        row.track->setStyleSheet(acceptable ? QString()
                                            : QString("QLineEdit { background-color: #FFE0E0; border: 1px solid #C00000; }"));
    }
    lblTrackHint_->setVisible(anyRefused);
}

void TfrmCurveSettings::PbColor1Click(int row)
{
    RColorSwatch* swatch = rows_.at(static_cast<std::size_t>(row)).color;
    const QColor color = RDialogHooks::PickColor(this, swatch->Color());
    if (color.isValid())
        swatch->SetColor(color);
}

QWidget* TfrmCurveSettings::RComboForm1PrepareComboForm(RComboForm& control)
{
    const int r = control.Tag();
    const RowFill& fill = rows_.at(static_cast<std::size_t>(r)).fill;
    TfrmFill& form = *fillForm_;
    form.setProperty("tag", r);
    form.SetTexts(lang_);

    form.CBCurve->clear();
    form.EditConst->clear();
    // A fill colour of 0 is black, as the fill paints it.
    form.ImageColor->SetColor(ToQColor(fill.FillColor));

    const auto& curves = core_.Data->Curves();
    int selected = 0;
    for (std::size_t i = 0; i < curves.size(); ++i) {
        if (static_cast<int>(i) == r)
            continue;
        if (curves[i]->Mnemonic == fill.FillCurve)
            selected = form.CBCurve->count();
        form.CBCurve->addItem(LasText::ToDisplay(curves[i]->Mnemonic, *core_.Data), static_cast<int>(i));
    }
    form.CBCurve->setCurrentIndex(form.CBCurve->count() > 0 ? selected : -1);
    form.rbCurve->setEnabled(form.CBCurve->count() > 0 || fill.FillType == RFillType::Curve);

    form.EditConst->setText(NumberText(fill.FillConst));
    switch (fill.FillType) {
    case RFillType::Constant: form.rbConst->setChecked(true); break;
    case RFillType::Curve: form.rbCurve->setChecked(true); break;
    default: form.rbNone->setChecked(true); break;
    }
    form.ChBxMore->setChecked(fill.Condition != RFillCondition::Below);
    form.ChBxLess->setChecked(fill.Condition != RFillCondition::Above);
    form.UpdateSettingsEnabled();
    return &form;
}

bool TfrmCurveSettings::RComboForm1ApplyComboForm(RComboForm& control, QWidget&)
{
    const int r = control.Tag();
    RowFill& fill = rows_.at(static_cast<std::size_t>(r)).fill;
    TfrmFill& form = *fillForm_;
    const bool more = form.ChBxMore->isChecked();
    const bool less = form.ChBxLess->isChecked();
    const RFillCondition condition = more && less ? RFillCondition::Between
                                     : more       ? RFillCondition::Above
                                                  : RFillCondition::Below;
    RowFill result = fill;
    if (form.rbConst->isChecked()) {
        double value = 0.0;
        if (!ReadNumber(form.EditConst->text(), value)) {
            Refuse(form.EditConst, Utf8(lang_.FillConstantNotNumber()).arg(form.EditConst->text()));
            return false;
        }
        result.FillType = RFillType::Constant;
        result.FillConst = value;
        result.Condition = condition;
    } else if (form.rbCurve->isChecked()) {
        result.FillType = RFillType::Curve;
        const int item = form.CBCurve->currentIndex();
        // Without another curve to pick, the row's reference stays.
        if (item >= 0)
            result.FillCurve = core_.Data->Curves()[form.CBCurve->itemData(item).toUInt()]->Mnemonic;
        result.Condition = condition;
    } else {
        result.FillType = RFillType::None;
    }
    if (result.FillType != RFillType::None && !more && !less)
        result.FillType = RFillType::None;  // nothing to fill
    result.FillColor = form.ImageColor->PlatformColor();
    fill = result;
    control.SetText(FillText(fill));
    return true;
}

void TfrmCurveSettings::Refuse(QWidget* where, const QString& message)
{
    // A refused fill keeps its drop-down open with the user's edits.
    RComboForm::KeepDroppedDown(where, [&] { RDialogHooks::ShowError(this, message); });
    if (auto* edit = qobject_cast<QLineEdit*>(where)) {
        edit->setFocus();
        edit->selectAll();
    }
}

void TfrmCurveSettings::btnSaveClick()
{
    // Every row is read before anything is stored, so a typo never leaves
    // the settings half replaced.
    std::vector<std::int32_t> tracks;
    for (const Row& row : rows_) {
        std::int32_t track = 0;
        const TrackState state = ReadTrack(row, track);
        if (state != TrackState::Ok) {
            sbMain_->ensureWidgetVisible(row.track);
            const QString curve = row.name->toolTip(), typed = row.track->text();
            Refuse(row.track, state == TrackState::NotWhole
                                  ? Utf8(lang_.TrackNotWhole()).arg(curve, typed)
                                  : Utf8(lang_.TrackOutOfRange()).arg(curve, QString::number(rows_.size()), typed));
            return;
        }
        tracks.push_back(track);
    }

    // Views of curves this file lacks, and the calculation methods, stay:
    // one settings file serves every file.
    const auto& curves = core_.Data->Curves();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        auto view = std::make_unique<RCurveView>();
        view->Visible = row.name->isChecked();
        view->LogAxis = row.logAxis->isChecked();
        view->Color = row.color->PlatformColor();
        view->Track = tracks[i];
        view->FillType = row.fill.FillType;
        view->FillCondition = row.fill.Condition;
        view->FillCurve = row.fill.FillCurve;
        view->FillConst = row.fill.FillConst;
        view->FillColor = row.fill.FillColor.IsSystem() ? ToPlatformColor(ToQColor(row.fill.FillColor))
                                                        : row.fill.FillColor;
        core_.Settings->SetView(curves[i]->Mnemonic, std::move(view));
    }
    core_.Prepare(RPrepareMode::Changed);
    if (onViewChanged_)
        onViewChanged_();

    try {
        core_.Settings->SaveToFile(QFile::encodeName(settingsPath_).toStdString());
    } catch (const std::exception& error) {
        // The new views stay in effect; the file keeps its old content.
        RDialogHooks::ShowError(this, ErrorText(error, LanguageOfIndex(lang_.Language())));
    }
    accept();
}

void TfrmCurveSettings::btnCancelClick() { reject(); }
