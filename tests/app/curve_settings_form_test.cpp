#include "app/curve_settings_form.h"

#include "app/color_swatch.h"
#include "app/combo_form.h"
#include "app/fill_form.h"
#include "app/multi_lang.h"
#include "dialog_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>

#include <filesystem>

namespace {

template <class T>
T* Child(QWidget& parent, const QString& name)
{
    T* child = parent.findChild<T*>(name);
    if (!child)
        qFatal("no child %s", qPrintable(name));
    return child;
}

std::unique_ptr<RCurveView> View(RFillType type, RFillCondition condition, double constant = 0.0,
                                 std::string curve = {})
{
    auto view = std::make_unique<RCurveView>();
    view->Color = RPlatformColor::FromRgb(0, 0, 255);
    view->Track = 2;
    view->FillType = type;
    view->FillCondition = condition;
    view->FillConst = constant;
    view->FillCurve = std::move(curve);
    view->FillColor = RPlatformColor::FromRgb(0, 255, 0);
    return view;
}

}  // namespace

class CurveSettingsFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<RLasCore> core;
    RMultiLang lang;
    int rebuilds = 0;

    // GR (view: constant fill 0.5, greater), SP (no view), RHOB, NPHI
    // (view: curve fill against SP), DT and KEPT, made by a stored method.
    void OpenFile()
    {
        auto settings = std::make_unique<RLasSettings>();
        settings->SetView("GR", View(RFillType::Constant, RFillCondition::Above, 0.5));
        settings->SetView("NPHI", View(RFillType::Curve, RFillCondition::Below, 0.0, "SP"));
        settings->SetView("OTHER", View(RFillType::None, RFillCondition::Above));
        settings->SetCalcMethod("KEPT", std::make_unique<RCurveCalcMethod>("GR*2"));
        core = OpenDocument(*dir, {{"GR", {1, 2}}, {"SP", {3, 4}}, {"RHOB", {5, 6}}, {"NPHI", {7, 8}}, {"DT", {9, 9}}},
                            std::move(settings));
    }
    std::unique_ptr<TfrmCurveSettings> Open()
    {
        auto dialog = std::make_unique<TfrmCurveSettings>(nullptr, *core, lang,
                                                          QString::fromStdString(dir->File("settings.dat")),
                                                          [this] { ++rebuilds; });
        dialog->show();
        return dialog;
    }
    static RComboForm* Drop(TfrmCurveSettings& dialog, int row)
    {
        return Child<RComboForm>(dialog, "RComboForm" + QString::number(row + 1));
    }
    // Opens row `row`'s drop-down and hands back its form.
    static TfrmFill& DropDown(TfrmCurveSettings& dialog, int row)
    {
        Drop(dialog, row)->showPopup();
        if (!Drop(dialog, row)->IsDroppedDown())
            qFatal("drop-down did not open");
        return dialog.FillForm();
    }

private slots:
    void init()
    {
        dir = std::make_unique<TempDir>();
        lang.SetLanguage(0);
        rebuilds = 0;
        OpenFile();
    }

    void RowsShowTheStoredViews()
    {
        auto dialog = Open();
        QCOMPARE(dialog->windowTitle(), QString("Curves settings"));
        QCOMPARE(dialog->RowCount(), 6);
        QCOMPARE(Child<QCheckBox>(*dialog, "ChBxName6")->text(), QString("KEPT"));
        QCOMPARE(Child<QLabel>(*dialog, "lblCurveName")->text(), QString("Curve"));
        QCOMPARE(Child<QLabel>(*dialog, "lblfill")->text(), QString("Fill"));
        QVERIFY(!Child<QLabel>(*dialog, "LblNote")->isVisible());
        QVERIFY(!Child<QLineEdit>(*dialog, "EditNote1")->isVisible());
        QCOMPARE(Child<QCheckBox>(*dialog, "ChBxName1")->text(), QString("GR"));
        QCOMPARE(Child<QLineEdit>(*dialog, "EditTrack1")->text(), QString("2"));
        QCOMPARE(Child<RColorSwatch>(*dialog, "PbColor1")->Color(), QColor(0, 0, 255));
        QCOMPARE(Drop(*dialog, 0)->Text(), QString("Greater than 0.5"));
        QCOMPARE(Drop(*dialog, 3)->Text(), QString("Less than SP"));
        // No stored view: shown and black, as the chart draws it.
        QVERIFY(Child<QCheckBox>(*dialog, "ChBxName2")->isChecked());
        QCOMPARE(Child<RColorSwatch>(*dialog, "PbColor2")->Color(), QColor(Qt::black));
        QCOMPARE(Child<QLineEdit>(*dialog, "EditTrack2")->text(), QString());
        QCOMPARE(Drop(*dialog, 1)->Text(), QString("No fill"));
        QCOMPARE(Child<QWidget>(*dialog, "RComboForm4")->property("tag").toInt(), 3);
    }

    void NamesOfACp866FileAreShownInItsCodePage()
    {
        const std::string path = WriteRussianLas(*dir, "ru.las", TextCodec::Encoding::Cp866);
        core = OpenLasFile(path);
        const std::string gk = core->Data->Curves()[0]->Mnemonic, ps = core->Data->Curves()[1]->Mnemonic;
        QCOMPARE(gk, std::string("\x83\x8A"));
        core->Settings->SetView(gk, View(RFillType::Curve, RFillCondition::Below, 0.0, ps));
        auto dialog = Open();
        QCOMPARE(Child<QCheckBox>(*dialog, "ChBxName1")->toolTip(), QString("ГК"));
        QCOMPARE(Child<QCheckBox>(*dialog, "ChBxName2")->toolTip(), QString("ПС"));
        QCOMPARE(Drop(*dialog, 0)->Text(), QString("Less than ПС"));
    }

    void DropDownConfirmedUnchangedSpellsTheCondition()
    {
        auto dialog = Open();
        TfrmFill& form = DropDown(*dialog, 0);
        QVERIFY(form.rbConst->isChecked());
        QCOMPARE(form.EditConst->text(), QString("0.5"));
        QVERIFY(form.ChBxMore->isChecked());
        QVERIFY(!form.ChBxLess->isChecked());
        QCOMPARE(form.ImageColor->Color(), QColor(0, 255, 0));
        QCOMPARE(form.rbConst->text(), QString("Fill by constant"));
        QVERIFY(Drop(*dialog, 0)->ConfirmDropDown());
        QCOMPARE(Drop(*dialog, 0)->Text(), QString("Greater than 0.5"));
        QVERIFY(!Drop(*dialog, 0)->IsDroppedDown());
        QCOMPARE(dialog->Fill(0).FillConst, 0.5);
    }

    void CurveWithoutAViewStartsAtFillStateZero()
    {
        auto dialog = Open();
        // Row 1 (SP) has no stored view.
        QCOMPARE(dialog->Fill(1).FillType, RFillType::None);
        QCOMPARE(dialog->Fill(1).Condition, RFillCondition::Below);
        TfrmFill& form = DropDown(*dialog, 1);
        QVERIFY(form.rbNone->isChecked());
        QVERIFY(!form.ChBxMore->isChecked());
        QVERIFY(form.ChBxLess->isChecked());
        Drop(*dialog, 1)->hidePopup();
    }

    void CurveListSkipsTheRowItself()
    {
        auto dialog = Open();
        TfrmFill& form = DropDown(*dialog, 3);
        QCOMPARE(form.CBCurve->count(), 5);
        QCOMPARE(form.CBCurve->itemText(2), QString("RHOB"));
        QCOMPARE(form.CBCurve->itemText(3), QString("DT"));
        QCOMPARE(form.CBCurve->currentIndex(), 1);  // SP, curve 1
        QVERIFY(form.rbCurve->isChecked());
        QVERIFY(form.ChBxLess->isChecked() && !form.ChBxMore->isChecked());
        Drop(*dialog, 3)->hidePopup();

        // No matching curve: the first item.
        TfrmFill& other = DropDown(*dialog, 1);
        QCOMPARE(other.CBCurve->currentIndex(), 0);
        QCOMPARE(other.CBCurve->currentText(), QString("GR"));
        QVERIFY(other.rbNone->isChecked());
        QVERIFY(!other.GBFillSettings->isEnabled());
    }

    void ConditionsGiveTheirTexts()
    {
        auto dialog = Open();
        TfrmFill& form = DropDown(*dialog, 2);
        QTest::keyClicks(form.EditConst, "1");  // the user's edit picks the constant fill
        QVERIFY(form.rbConst->isChecked());
        QVERIFY(form.GBFillSettings->isEnabled());
        form.ChBxMore->setChecked(true);
        form.ChBxLess->setChecked(true);
        QVERIFY(Drop(*dialog, 2)->ConfirmDropDown());
        QCOMPARE(Drop(*dialog, 2)->Text(), QString("Full Fill"));
        QCOMPARE(dialog->Fill(2).FillType, RFillType::Constant);
        QCOMPARE(dialog->Fill(2).FillConst, 1.0);
        QCOMPARE(dialog->Fill(2).Condition, RFillCondition::Between);

        TfrmFill& curve = DropDown(*dialog, 2);
        curve.CBCurve->setCurrentIndex(3);
        emit curve.CBCurve->activated(3);
        QVERIFY(curve.rbCurve->isChecked());
        QVERIFY(Drop(*dialog, 2)->ConfirmDropDown());
        QCOMPARE(Drop(*dialog, 2)->Text(), QString("Fill From DT"));
        QCOMPARE(dialog->Fill(2).FillCurve, std::string("DT"));

        TfrmFill& neither = DropDown(*dialog, 2);
        neither.ChBxMore->setChecked(false);
        neither.ChBxLess->setChecked(false);
        QVERIFY(Drop(*dialog, 2)->ConfirmDropDown());
        QCOMPARE(Drop(*dialog, 2)->Text(), QString("No fill"));
        QCOMPARE(dialog->Fill(2).FillType, RFillType::None);

        lang.SetLanguage(1);
        TfrmFill& russian = DropDown(*dialog, 2);
        QCOMPARE(russian.rbCurve->text(), QString("Относительно кривой"));
        russian.rbConst->setChecked(true);
        russian.ChBxLess->setChecked(true);
        QVERIFY(Drop(*dialog, 2)->ConfirmDropDown());
        QCOMPARE(Drop(*dialog, 2)->Text(), QString("Меньше чем 1"));
    }

    void BadConstantIsRefusedInPlace()
    {
        HookRecorder hooks;
        {
            auto english = Open();
            DropDown(*english, 0).EditConst->setText("0.5x");
            QVERIFY(!Drop(*english, 0)->ConfirmDropDown());
            QCOMPARE(hooks.errors, QStringList{"The fill constant must be a number: \"0.5x\"."});
            hooks.errors.clear();
        }
        lang.SetLanguage(1);
        auto dialog = Open();
        TfrmFill& form = DropDown(*dialog, 0);
        form.EditConst->setText("0.5x");
        QVERIFY(!Drop(*dialog, 0)->ConfirmDropDown());
        QCOMPARE(hooks.errors, QStringList{"Константа заливки должна быть числом: \"0.5x\"."});
        QVERIFY(Drop(*dialog, 0)->IsDroppedDown());
        QCOMPARE(dialog->Fill(0).FillConst, 0.5);
        // A decimal comma reads as a point.
        form.EditConst->setText("0,25");
        QVERIFY(Drop(*dialog, 0)->ConfirmDropDown());
        QCOMPARE(dialog->Fill(0).FillConst, 0.25);
    }

    void EscapeAndColourDialogInsideTheDropDown()
    {
        HookRecorder hooks;
        auto dialog = Open();
        TfrmFill& form = DropDown(*dialog, 0);
        form.rbNone->setChecked(true);
        QTest::keyClick(Drop(*dialog, 0)->PopupWindow(), Qt::Key_Escape);
        QVERIFY(!Drop(*dialog, 0)->IsDroppedDown());
        QCOMPARE(dialog->Fill(0).FillType, RFillType::Constant);
        QCOMPARE(form.parentWidget(), dialog.get());
        // So does a click outside.
        DropDown(*dialog, 0).rbNone->setChecked(true);
        QWidget* outside = Child<QWidget>(*dialog, "EditTrack2");
        QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {}, outside->mapTo(dialog.get(), QPoint(5, 5)));
        QVERIFY(!Drop(*dialog, 0)->IsDroppedDown());
        QCOMPARE(dialog->Fill(0).FillType, RFillType::Constant);

        // The colour dialog closes the pop-up for a moment; the edits stay.
        TfrmFill& again = DropDown(*dialog, 0);
        hooks.colors = {QColor(255, 0, 0)};
        again.EditConst->setText("3");
        emit again.ImageColor->clicked();
        QCOMPARE(hooks.presets.back(), QColor(0, 255, 0));
        QVERIFY(Drop(*dialog, 0)->IsDroppedDown());
        QCOMPARE(again.EditConst->text(), QString("3"));
        QTest::keyClick(Drop(*dialog, 0)->PopupWindow(), Qt::Key_Return);
        QVERIFY(!Drop(*dialog, 0)->IsDroppedDown());
        QCOMPARE(dialog->Fill(0).FillColor, RPlatformColor::FromRgb(255, 0, 0));
        QCOMPARE(dialog->Fill(0).FillConst, 3.0);
    }

    void OkStoresTheListedViewsAndKeepsTheRest()
    {
        HookRecorder hooks;
        auto dialog = Open();
        Child<QCheckBox>(*dialog, "ChBxName3")->setChecked(false);
        Child<QCheckBox>(*dialog, "ChbxLogAxis5")->setChecked(true);
        Child<QLineEdit>(*dialog, "EditTrack1")->clear();
        hooks.colors = {QColor(10, 20, 30)};
        emit Child<RColorSwatch>(*dialog, "PbColor2")->clicked();
        QCOMPARE(hooks.presets.back(), QColor(Qt::black));
        Child<QPushButton>(*dialog, "btnSave")->click();
        QVERIFY(hooks.errors.isEmpty());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(rebuilds, 1);

        const RLasSettings& settings = *core->Settings;
        QCOMPARE(settings.GetView("GR")->Track, 0);  // empty track: its own track
        QCOMPARE(settings.GetView("GR")->FillConst, 0.5);
        QCOMPARE(settings.GetView("SP")->Color, RPlatformColor::FromRgb(10, 20, 30));
        QVERIFY(settings.GetView("SP")->Visible);
        QVERIFY(!settings.GetView("RHOB")->Visible);
        QVERIFY(settings.GetView("DT")->LogAxis);
        QCOMPARE(settings.GetView("NPHI")->FillCurve, std::string("SP"));
        // Another file's view and the stored method stay.
        QVERIFY(settings.GetView("OTHER") != nullptr);
        QVERIFY(settings.GetCalcMethod("KEPT") != nullptr);
        // Prepared again: the hidden curve has no track.
        QCOMPARE(settings.Tracks[2], -1);

        RLasSettings saved;
        QVERIFY(saved.LoadFromFile(dir->File("settings.dat")));
        QVERIFY(saved.GetView("OTHER") != nullptr);
        QVERIFY(saved.GetCalcMethod("KEPT") != nullptr);
        QVERIFY(!saved.GetView("RHOB")->Visible);
    }

    void BadTrackChangesNothing()
    {
        HookRecorder hooks;
        {
            // Text put in from code passes the edit's check; OK still refuses it.
            auto english = Open();
            Child<QLineEdit>(*english, "EditTrack4")->setText("two");
            Child<QPushButton>(*english, "btnSave")->click();
            QCOMPARE(hooks.errors, QStringList{"The track of curve NPHI must be a whole number: \"two\"."});
            hooks.errors.clear();
        }
        lang.SetLanguage(1);
        auto dialog = Open();
        Child<QCheckBox>(*dialog, "ChBxName1")->setChecked(false);
        Child<QLineEdit>(*dialog, "EditTrack4")->setText("two");
        Child<QPushButton>(*dialog, "btnSave")->click();
        QCOMPARE(hooks.errors, QStringList{"Трек кривой NPHI должен быть целым числом: \"two\"."});
        QVERIFY(dialog->isVisible());
        QVERIFY(core->Settings->GetView("GR")->Visible);
        QVERIFY(core->Settings->GetView("SP") == nullptr);
        QVERIFY(!std::filesystem::exists(dir->File("settings.dat")));
        QCOMPARE(rebuilds, 0);
    }

    void TrackTakesWholeNumbersUpToTheCurveCountAsItIsTyped()
    {
        HookRecorder hooks;
        auto dialog = Open();
        auto* track = Child<QLineEdit>(*dialog, "EditTrack2");
        QLabel& hint = dialog->TrackHint();
        const auto acceptable = [&] { return track->property("acceptable").toBool(); };
        QVERIFY(acceptable() && !hint.isVisible());
        // Letters, signs, points and numbers longer than the count never get in.
        QTest::keyClicks(track, "x-.,3");
        QCOMPARE(track->text(), QString("3"));
        QVERIFY(acceptable() && !hint.isVisible());
        QTest::keyClicks(track, "0");
        QCOMPARE(track->text(), QString("3"));
        // A digit beyond the six curves can be typed, and says so.
        track->clear();
        QTest::keyClicks(track, "9");
        QCOMPARE(track->text(), QString("9"));
        QVERIFY(!acceptable());
        QVERIFY(!track->styleSheet().isEmpty());
        QVERIFY(hint.isVisible());
        QCOMPARE(hint.text(), QString("Track: a whole number from 0 to 6 (0 or empty: a track of its own)"));
        QCOMPARE(track->toolTip(), hint.text());
        Child<QPushButton>(*dialog, "btnSave")->click();
        QCOMPARE(hooks.errors, QStringList{"The track of curve SP must be from 0 to 6: \"9\"."});
        QVERIFY(core->Settings->GetView("SP") == nullptr);
        QCOMPARE(rebuilds, 0);
        // The largest track and an empty edit are fine again.
        QTest::keyClick(track, Qt::Key_Backspace);
        QTest::keyClicks(track, "6");
        QVERIFY(acceptable() && track->styleSheet().isEmpty() && !hint.isVisible());
        Child<QPushButton>(*dialog, "btnSave")->click();
        QCOMPARE(hooks.errors.size(), 1);
        QCOMPARE(core->Settings->GetView("SP")->Track, 6);
    }

    void StoredTrackBeyondTheCurvesShowsRedInRussian()
    {
        HookRecorder hooks;
        lang.SetLanguage(1);
        core->Settings->GetView("NPHI")->Track = 9;
        auto dialog = Open();
        QVERIFY(!Child<QLineEdit>(*dialog, "EditTrack4")->property("acceptable").toBool());
        QVERIFY(Child<QLineEdit>(*dialog, "EditTrack1")->property("acceptable").toBool());
        QVERIFY(dialog->TrackHint().isVisible());
        QCOMPARE(dialog->TrackHint().text(), QString("Трек: целое число от 0 до 6 (0 или пусто: отдельный трек)"));
        Child<QPushButton>(*dialog, "btnSave")->click();
        QCOMPARE(hooks.errors, QStringList{"Трек кривой NPHI должен быть от 0 до 6: \"9\"."});
        QCOMPARE(core->Settings->GetView("NPHI")->Track, 9);
        QVERIFY(dialog->isVisible());
    }

    void CancelTouchesNothing()
    {
        auto dialog = Open();
        TfrmFill& form = DropDown(*dialog, 0);
        form.rbNone->setChecked(true);
        QVERIFY(Drop(*dialog, 0)->ConfirmDropDown());
        Child<QCheckBox>(*dialog, "ChBxName1")->setChecked(false);
        Child<QPushButton>(*dialog, "btnCancel")->click();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        const RCurveView* gr = core->Settings->GetView("GR");
        QVERIFY(gr->Visible);
        QCOMPARE(gr->FillType, RFillType::Constant);
        QVERIFY(core->Settings->GetView("SP") == nullptr);
        QCOMPARE(rebuilds, 0);
        QVERIFY(!std::filesystem::exists(dir->File("settings.dat")));
    }

    void ColoursAreStoredAsRgb()
    {
        // A system colour (button face) and a zero fill colour.
        auto view = std::make_unique<RCurveView>();
        view->Color = RPlatformColor(-2147483633);  // 0x8000000F
        view->FillType = RFillType::Constant;
        view->FillColor = RPlatformColor(0);
        core->Settings->SetView("SP", std::move(view));
        auto dialog = Open();
        TfrmFill& form = DropDown(*dialog, 1);
        QCOMPARE(form.ImageColor->Color(), QColor(Qt::black));
        Drop(*dialog, 1)->hidePopup();
        Child<QPushButton>(*dialog, "btnSave")->click();
        const RCurveView* saved = core->Settings->GetView("SP");
        QVERIFY(!saved->Color.IsSystem());
        QCOMPARE(saved->Color, ToPlatformColor(ToQColor(RPlatformColor(-2147483633))));
        QCOMPARE(saved->FillColor, RPlatformColor(0));
    }

    void FailedWriteKeepsTheViewsApplied()
    {
        HookRecorder hooks;
        auto dialog = std::make_unique<TfrmCurveSettings>(
            nullptr, *core, lang, QString::fromStdString(dir->File("missing/settings.dat")), [this] { ++rebuilds; });
        Child<QCheckBox>(*dialog, "ChBxName1")->setChecked(false);
        Child<QPushButton>(*dialog, "btnSave")->click();
        QCOMPARE(hooks.errors.size(), 1);
        QVERIFY(!core->Settings->GetView("GR")->Visible);
        QCOMPARE(rebuilds, 1);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }

    void RussianTexts()
    {
        lang.SetLanguage(1);
        auto dialog = Open();
        QCOMPARE(dialog->windowTitle(), QString("Настройки кривых"));
        QCOMPARE(Child<QPushButton>(*dialog, "btnCancel")->text(), QString("Отмена"));
        QCOMPARE(Child<QLabel>(*dialog, "lblCurveName")->text(), QString("Кривая"));
        QCOMPARE(Child<QLabel>(*dialog, "lblTrack")->text(), QString("Трек"));
        QCOMPARE(Drop(*dialog, 0)->Text(), QString("Больше чем 0.5"));
        QCOMPARE(Drop(*dialog, 1)->Text(), QString("Без заливки"));
    }
};

QTEST_MAIN(CurveSettingsFormTest)
#include "curve_settings_form_test.moc"
