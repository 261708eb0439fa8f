#include "app/curve_construction_form.h"

#include "app/multi_lang.h"
#include "dialog_test_support.h"
#include "las/logging.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <fstream>
#include <iterator>

namespace {

// GR 10, 20, 30 and RHOB 2.1, 2.2, 2.3 at three depths.
const std::vector<TestCurve> kCurves = {{"GR", {10, 20, 30}}, {"RHOB", {2.1, 2.2, 2.3}}};

template <class T>
T* Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(name);
    if (!child)
        qFatal("no child %s", name);
    return child;
}

std::vector<std::string> CurveNames(const RLasCore& core)
{
    std::vector<std::string> names;
    for (const auto& curve : core.Data->Curves())
        names.push_back(curve->Mnemonic);
    return names;
}

}  // namespace

class CurveConstructionFormTest : public QObject {
    Q_OBJECT

    TempDir dir;
    std::unique_ptr<RLasCore> core;
    RMultiLang lang;
    int rebuilds = 0;

    std::unique_ptr<TfrmCurveConstruction> Open()
    {
        auto form = std::make_unique<TfrmCurveConstruction>(nullptr, *core, lang, [this] { ++rebuilds; });
        form->show();
        return form;
    }
    static void Type(QWidget& form, const char* edit, const QString& text)
    {
        auto* line = Child<QLineEdit>(form, edit);
        line->selectAll();
        bool ascii = true;
        for (const QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            QTest::keyClicks(line, text);
        } else {  // key events carry ASCII only
            line->setText(text);
            emit line->textEdited(text);
        }
    }
    // New entry with a name and formula, then OK.
    void AddCurve(const QString& name, const QString& formula)
    {
        auto form = Open();
        Child<QToolButton>(*form, "sBtnNew")->click();
        Type(*form, "EditName", name);
        Type(*form, "EditFormla", formula);
        Child<QPushButton>(*form, "btnOK")->click();
        QCOMPARE(form->result(), int(QDialog::Accepted));
    }

private slots:
    void init()
    {
        TfrmCurveConstruction::ClearAddedCurves();
        core = OpenDocument(dir, kCurves);
        lang.SetLanguage(0);
        rebuilds = 0;
    }

    void OkStoresTheMethodsAndAFailedWriteKeepsTheCurves()
    {
        HookRecorder hooks;
        const QString stored = QString::fromStdString(dir.File("settings.dat"));
        for (const QString& path : {stored, QString::fromStdString(dir.File("no/such/folder/settings.dat"))}) {
            auto form = std::make_unique<TfrmCurveConstruction>(nullptr, *core, lang, [] {}, path);
            form->show();
            Child<QToolButton>(*form, "sBtnNew")->click();
            Type(*form, "EditName", path == stored ? "VSH" : "TWICE");
            Type(*form, "EditFormla", "GR*2");
            Child<QPushButton>(*form, "btnOK")->click();
            QCOMPARE(form->result(), int(QDialog::Accepted));
        }
        RLasSettings settings;
        QVERIFY(settings.LoadFromFile(stored.toStdString()));
        QVERIFY(settings.GetCalcMethod("VSH"));
        QCOMPARE(settings.GetCalcMethod("VSH")->Formula, std::string("GR*2"));
        // The second folder is missing: the write says so, the curve stays.
        QCOMPARE(hooks.errors.size(), 1);
        QCOMPARE(CurveNames(*core).back(), std::string("TWICE"));
    }

    void ADamagedSettingsFileIsNotOverwrittenByTheCalculator()
    {
        HookRecorder hooks;
        const std::string path = dir.File("damaged.dat");
        {
            std::ofstream out(path, std::ios::binary);
            out << "not a settings file";
        }
        RLogCollector quiet;
        QVERIFY(!core->Settings->LoadFromFile(path));
        auto form = std::make_unique<TfrmCurveConstruction>(nullptr, *core, lang, [] {}, QString::fromStdString(path));
        form->show();
        Child<QToolButton>(*form, "sBtnNew")->click();
        Type(*form, "EditName", "VSH");
        Type(*form, "EditFormla", "GR*2");
        Child<QPushButton>(*form, "btnOK")->click();
        QCOMPARE(form->result(), int(QDialog::Accepted));
        QCOMPARE(hooks.errors.size(), 1);
        QVERIFY(hooks.errors[0].contains(QString::fromStdString(path)));
        std::ifstream in(path, std::ios::binary);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(in), {}), std::string("not a settings file"));
        QCOMPARE(CurveNames(*core).back(), std::string("VSH"));
    }

    void ListsCurvesThenFunctionsAndTranslates()
    {
        lang.SetLanguage(1);
        auto form = Open();
        QCOMPARE(form->windowTitle(), QString("Калькулятор карт"));
        QCOMPARE(Child<QLabel>(*form, "lblName")->text(), QString("Название кривой:"));
        QCOMPARE(Child<QLabel>(*form, "lblFormula")->text(), QString("Формула:"));
        QCOMPARE(Child<QPushButton>(*form, "btnCancel")->text(), QString("Отмена"));
        QCOMPARE(Child<QPushButton>(*form, "btnOK")->text(), QString("OK"));
        auto* functions = Child<QListWidget>(*form, "lbCurve1");
        QCOMPARE(functions->count(), 2 + 34);
        QCOMPARE(functions->item(0)->text(), QString("GR"));
        QCOMPARE(functions->item(1)->text(), QString("RHOB"));
        QVERIFY(!Child<QToolButton>(*form, "sBtnDel")->isEnabled());
    }

    void NewEntriesTakeTheSmallestFreeNumberAndEditsNeedARow()
    {
        auto form = Open();
        // No row yet: typing changes no entry.
        Type(*form, "EditName", "X");
        Type(*form, "EditFormla", "GR");
        QVERIFY(form->WorkingEntries().empty());

        auto* add = Child<QToolButton>(*form, "sBtnNew");
        add->click();
        add->click();
        auto* rows = Child<QListWidget>(*form, "lbCalculatedCurves");
        QCOMPARE(rows->count(), 2);
        QCOMPARE(rows->item(0)->text(), QString("NewCurve0"));
        QCOMPARE(rows->item(1)->text(), QString("NewCurve1"));
        QCOMPARE(form->CurrentRow(), 1);
        QVERIFY(Child<QToolButton>(*form, "sBtnDel")->isEnabled());

        // Renaming the first frees its number for the next new entry.
        rows->setCurrentRow(0);
        Type(*form, "EditName", "VSH");
        QCOMPARE(rows->item(0)->text(), QString("VSH"));
        add->click();
        QCOMPARE(rows->item(2)->text(), QString("NewCurve0"));
        QCOMPARE(form->WorkingEntries()[0].Name, std::string("VSH"));
    }

    void DoubleClickInsertsAtTheCaret()
    {
        auto form = Open();
        Child<QToolButton>(*form, "sBtnNew")->click();
        auto* formula = Child<QLineEdit>(*form, "EditFormla");
        Type(*form, "EditFormla", "GR*(1)");
        formula->setCursorPosition(3);
        auto* list = Child<QListWidget>(*form, "lbCurve1");
        const auto found = list->findItems("Sin", Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        emit list->itemDoubleClicked(found.front());
        QCOMPARE(formula->text(), QString("GR*Sin(1)"));
        QCOMPARE(formula->cursorPosition(), formula->text().size());
        QCOMPARE(form->WorkingEntries()[0].Formula, std::string("GR*Sin(1)"));
    }

    void OkCommitsAndRebuilds()
    {
        HookRecorder hooks;
        AddCurve("SUM", "GR+RHOB");
        QVERIFY(hooks.errors.isEmpty());
        QCOMPARE(rebuilds, 1);
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB", "SUM"}));
        QCOMPARE(double(core->Data->Curves()[2]->Data.Samples[1].Value), 22.2);
        QCOMPARE(TfrmCurveConstruction::AddedCurves().size(), std::size_t(1));
        QCOMPARE(TfrmCurveConstruction::AddedCurves()[0].CurveIndex, 2);
        // Prepared again: the new curve has its track.
        QCOMPARE(core->Settings->Tracks.size(), std::size_t(3));

        // The next showing lists it; OK unchanged recomputes it in place.
        auto form = Open();
        QCOMPARE(Child<QListWidget>(*form, "lbCalculatedCurves")->item(0)->text(), QString("SUM"));
        Child<QPushButton>(*form, "btnOK")->click();
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB", "SUM"}));
        QCOMPARE(rebuilds, 2);
    }

    void CancelKeepsTheCommittedFormulas()
    {
        HookRecorder hooks;
        AddCurve("DOUBLE", "GR*2");
        {
            auto form = Open();
            Child<QListWidget>(*form, "lbCalculatedCurves")->setCurrentRow(0);
            QCOMPARE(Child<QLineEdit>(*form, "EditFormla")->text(), QString("GR*2"));
            Type(*form, "EditFormla", "GR*3");
            Child<QToolButton>(*form, "sBtnNew")->click();
            Child<QPushButton>(*form, "btnCancel")->click();
            QCOMPARE(form->result(), int(QDialog::Rejected));
        }
        QCOMPARE(TfrmCurveConstruction::AddedCurves().size(), std::size_t(1));
        QCOMPARE(TfrmCurveConstruction::AddedCurves()[0].Formula, std::string("GR*2"));
        auto form = Open();
        Child<QPushButton>(*form, "btnOK")->click();
        QCOMPARE(double(core->Data->Curves()[2]->Data.Samples[0].Value), 20.0);
        QCOMPARE(rebuilds, 2);
    }

    void EmptyFormulaIsRefusedAndTheWindowStays()
    {
        HookRecorder hooks;
        auto form = Open();
        Child<QToolButton>(*form, "sBtnNew")->click();
        Child<QPushButton>(*form, "btnOK")->click();
        QCOMPARE(hooks.errors.size(), 1);
        QCOMPARE(hooks.errors[0],
                 QString("Ошибка разбора строки: подстрока задана некорректно.\r\nОшибка на символе 1:  __  __ "));
        QVERIFY(form->isVisible());
        QCOMPARE(form->result(), 0);
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB"}));
        QVERIFY(TfrmCurveConstruction::AddedCurves().empty());
        QCOMPARE(rebuilds, 0);
    }

    void ParseErrorSelectsTheFaultyTextOfItsEntry()
    {
        HookRecorder hooks;
        auto form = Open();
        auto* add = Child<QToolButton>(*form, "sBtnNew");
        add->click();
        Type(*form, "EditFormla", "GR");
        add->click();
        Type(*form, "EditFormla", "NewCurve0 + XX");
        add->click();
        Type(*form, "EditFormla", "RHOB");
        Child<QPushButton>(*form, "btnOK")->click();
        QCOMPARE(hooks.errors.size(), 1);
        QCOMPARE(hooks.errors[0], QString("Ошибка разбора формулы: кривая XX не найдена.\r\n"
                                          "Ошибка на символе 13: NewCurve0 +  __ XX __ "));
        // The second entry failed, although the third is current.
        QCOMPARE(form->CurrentRow(), 1);
        auto* formula = Child<QLineEdit>(*form, "EditFormla");
        QCOMPARE(formula->text(), QString("NewCurve0 + XX"));
        QCOMPARE(formula->selectedText(), QString("XX"));
        // All or nothing: the first entry was not added.
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB"}));
    }

    void NamesMustBeGivenUniqueAndFree()
    {
        HookRecorder hooks;
        auto form = Open();
        auto* add = Child<QToolButton>(*form, "sBtnNew");
        auto* ok = Child<QPushButton>(*form, "btnOK");
        add->click();
        Type(*form, "EditFormla", "GR");
        Child<QLineEdit>(*form, "EditName")->clear();
        emit Child<QLineEdit>(*form, "EditName")->textEdited(QString());
        ok->click();
        add->click();
        Type(*form, "EditName", "A");
        Type(*form, "EditFormla", "GR");
        Child<QListWidget>(*form, "lbCalculatedCurves")->setCurrentRow(0);
        Type(*form, "EditName", "A");
        ok->click();
        Type(*form, "EditName", "RHOB");
        ok->click();
        QCOMPARE(hooks.errors, (QStringList{"Не задано имя кривой.",
                                            "Имя кривой \"A\" уже занято другой кривой калькулятора.",
                                            "В файле уже есть кривая \"RHOB\"."}));
        QVERIFY(form->isVisible());
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB"}));
    }

    void DeletingKeepsCurveIndexesByPosition()
    {
        HookRecorder hooks;
        AddCurve("A", "GR+1");
        AddCurve("B", "GR+2");
        AddCurve("C", "GR+3");
        auto form = Open();
        auto* rows = Child<QListWidget>(*form, "lbCalculatedCurves");
        rows->setCurrentRow(0);
        Child<QToolButton>(*form, "sBtnDel")->click();
        QCOMPARE(rows->count(), 2);
        QCOMPARE(rows->currentRow(), 0);
        QCOMPARE(Child<QLineEdit>(*form, "EditName")->text(), QString("B"));
        const auto& entries = form->WorkingEntries();
        QCOMPARE(entries[0].Name, std::string("B"));
        QCOMPARE(entries[0].CurveIndex, 2);
        QCOMPARE(entries[1].Name, std::string("C"));
        QCOMPARE(entries[1].CurveIndex, 3);
        Child<QPushButton>(*form, "btnOK")->click();
        QVERIFY(hooks.errors.isEmpty());
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB", "B", "C"}));
        QCOMPARE(double(core->Data->Curves()[3]->Data.Samples[0].Value), 13.0);
        QCOMPARE(core->Data->CheckInvariant(), std::string());

        // Deleting the last row selects the new last row; the list emptied
        // leaves no current row.
        auto again = Open();
        auto* list = Child<QListWidget>(*again, "lbCalculatedCurves");
        auto* del = Child<QToolButton>(*again, "sBtnDel");
        list->setCurrentRow(1);
        del->click();
        QCOMPARE(again->CurrentRow(), 0);
        del->click();
        QCOMPARE(again->CurrentRow(), -1);
        QVERIFY(!del->isEnabled());
        Child<QPushButton>(*again, "btnOK")->click();
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB"}));
        QVERIFY(TfrmCurveConstruction::AddedCurves().empty());
    }
    void Windows1251NamesRoundTrip()
    {
        // A file whose curve names are Windows-1251: "ГК" and "ПС".
        core = OpenDocument(dir, {{"\xC3\xCA", {1, 2, 3}}, {"\xCF\xD1", {4, 5, 6}}});
        HookRecorder hooks;
        auto form = Open();
        auto* list = Child<QListWidget>(*form, "lbCurve1");
        QCOMPARE(list->item(0)->text(), QString("ГК"));
        Child<QToolButton>(*form, "sBtnNew")->click();
        Type(*form, "EditName", "СУММА");
        emit list->itemDoubleClicked(list->item(0));
        Type(*form, "EditFormla", Child<QLineEdit>(*form, "EditFormla")->text() + "+ПС");
        Child<QPushButton>(*form, "btnOK")->click();
        QVERIFY2(hooks.errors.isEmpty(), qPrintable(hooks.errors.join('\n')));
        QCOMPARE(core->Data->Curves()[2]->Mnemonic, std::string("\xD1\xD3\xCC\xCC\xC0"));
        QCOMPARE(double(core->Data->Curves()[2]->Data.Samples[0].Value), 5.0);
    }

    void NamesOfCp866AndKoi8rFilesAreShownAndTypedInTheirCodePage()
    {
        // "Сумма" in each page; the formula names the file's curves by
        // their displayed names and must find their bytes.
        const std::pair<TextCodec::Encoding, std::string> pages[] = {
            {TextCodec::Encoding::Cp866, "\x91\xE3\xAC\xAC\xA0"},
            {TextCodec::Encoding::Koi8R, "\xF3\xD5\xCD\xCD\xC1"},
        };
        for (const auto& [page, sum] : pages) {
            TfrmCurveConstruction::ClearAddedCurves();
            core = OpenLasFile(WriteRussianLas(dir, "ru.las", page));
            QCOMPARE(core->Data->TextEncoding, page);
            HookRecorder hooks;
            {
                auto form = Open();
                auto* list = Child<QListWidget>(*form, "lbCurve1");
                QCOMPARE(list->item(0)->text(), QString("ГК"));
                QCOMPARE(list->item(1)->text(), QString("ПС"));
                Child<QToolButton>(*form, "sBtnNew")->click();
                Type(*form, "EditName", "Сумма");
                emit list->itemDoubleClicked(list->item(0));
                Type(*form, "EditFormla", Child<QLineEdit>(*form, "EditFormla")->text() + "+ПС");
                Child<QPushButton>(*form, "btnOK")->click();
                QVERIFY2(hooks.errors.isEmpty(), qPrintable(hooks.errors.join('\n')));
            }
            QCOMPARE(core->Data->Curves()[2]->Mnemonic, sum);
            QCOMPARE(double(core->Data->Curves()[2]->Data.Samples[0].Value), 42.3);
            // Shown again as typed when the calculator opens next.
            auto again = Open();
            QCOMPARE(Child<QListWidget>(*again, "lbCalculatedCurves")->item(0)->text(), QString("Сумма"));
            QCOMPARE(Child<QListWidget>(*again, "lbCurve1")->item(2)->text(), QString("Сумма"));
        }
    }

    void EntriesKeepCurveIndexesPastASecondDepthColumn()
    {
        // ~C: DEPT, GR, DEPTH, RHOB: the second depth column is a curve like
        // the others, so the entries come after three file curves.
        core = OpenDocument(dir, {{"GR", {10, 20, 30}}, {"DEPTH", {1000, 1000.5, 1001}}, {"RHOB", {2.1, 2.2, 2.3}}});
        HookRecorder hooks;
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "DEPTH", "RHOB"}));
        AddCurve("A", "GR+1");
        AddCurve("B", "RHOB*2");
        QCOMPARE(TfrmCurveConstruction::AddedCurves()[0].CurveIndex, 3);
        QCOMPARE(TfrmCurveConstruction::AddedCurves()[1].CurveIndex, 4);
        auto form = Open();
        Child<QListWidget>(*form, "lbCalculatedCurves")->setCurrentRow(1);
        Child<QToolButton>(*form, "sBtnDel")->click();
        Child<QPushButton>(*form, "btnOK")->click();
        QVERIFY(hooks.errors.isEmpty());
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "DEPTH", "RHOB", "A"}));
        QCOMPARE(double(core->Data->Curves()[3]->Data.Samples[2].Value), 31.0);
        QCOMPARE(core->Data->Columns().size(), std::size_t(4));
        QCOMPARE(core->Data->CheckInvariant(), std::string());
    }
};


QTEST_MAIN(CurveConstructionFormTest)
#include "curve_construction_form_test.moc"
