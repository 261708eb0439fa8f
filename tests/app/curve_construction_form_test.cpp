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

// The function row of `lbCurve1` whose double-click inserts `name`.
QListWidgetItem* FunctionRow(QListWidget& list, const QString& name)
{
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->data(Qt::UserRole).toString() == name && list.item(row)->font().italic())
            return list.item(row);
    qFatal("no function row %s", qPrintable(name));
    return nullptr;
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

    std::unique_ptr<TfrmCurveConstruction> Open(const QString& settingsPath = {})
    {
        auto form = std::make_unique<TfrmCurveConstruction>(nullptr, *core, lang, [this] { ++rebuilds; }, settingsPath);
        form->show();
        return form;
    }
    const std::vector<RCalculatorEntry>& Entries() const { return core->CalculatorEntries().Entries(); }
    QString SettingsPath() const { return QString::fromStdString(dir.File("settings.dat")); }
    // The program started again on the same file: a new document with the
    // settings.dat that OK wrote.
    void Restart()
    {
        auto settings = std::make_unique<RLasSettings>();
        settings->LoadFromFile(SettingsPath().toStdString());
        core = OpenDocument(dir, kCurves, std::move(settings));
    }
    std::string StoredFormula(const std::string& name) const
    {
        RLasSettings stored;
        stored.LoadFromFile(SettingsPath().toStdString());
        const RCurveCalcMethod* method = stored.GetCalcMethod(name);
        return method ? method->Formula : "(none)";
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
    void AddCurve(const QString& name, const QString& formula, const QString& settingsPath = {})
    {
        auto form = Open(settingsPath);
        Child<QToolButton>(*form, "sBtnNew")->click();
        Type(*form, "EditName", name);
        Type(*form, "EditFormla", formula);
        Child<QPushButton>(*form, "btnOK")->click();
        QCOMPARE(form->result(), int(QDialog::Accepted));
    }

private slots:
    void init()
    {
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
        emit list->itemDoubleClicked(FunctionRow(*list, "Sin"));
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
        QCOMPARE(Entries().size(), std::size_t(1));
        QCOMPARE(Entries()[0].CurveIndex, 2);
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
        QCOMPARE(Entries().size(), std::size_t(1));
        QCOMPARE(Entries()[0].Formula, std::string("GR*2"));
        auto form = Open();
        Child<QPushButton>(*form, "btnOK")->click();
        QCOMPARE(double(core->Data->Curves()[2]->Data.Samples[0].Value), 20.0);
        QCOMPARE(rebuilds, 2);
    }

    void EmptyFormulaIsRefusedAndTheWindowStays()
    {
        HookRecorder hooks;
        lang.SetLanguage(1);
        auto form = Open();
        Child<QToolButton>(*form, "sBtnNew")->click();
        Child<QPushButton>(*form, "btnOK")->click();
        QCOMPARE(hooks.errors.size(), 1);
        QCOMPARE(hooks.errors[0],
                 QString("Ошибка разбора строки: подстрока задана некорректно.\r\nОшибка на символе 1:  __  __ "));
        QVERIFY(form->isVisible());
        QCOMPARE(form->result(), 0);
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB"}));
        QVERIFY(Entries().empty());
        QCOMPARE(rebuilds, 0);
    }

    void ParseErrorSelectsTheFaultyTextOfItsEntry()
    {
        HookRecorder hooks;
        lang.SetLanguage(1);
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
        const std::pair<int, QStringList> languages[] = {
            {1, {"Не задано имя кривой.", "Имя кривой \"A\" уже занято другой кривой калькулятора.",
                 "В файле уже есть кривая \"RHOB\"."}},
            {0, {"The curve has no name.", "The name \"A\" is already taken by another curve of the calculator.",
                 "The file already has a curve \"RHOB\"."}},
        };
        for (const auto& [language, expected] : languages) {
            HookRecorder hooks;
            lang.SetLanguage(static_cast<std::uint8_t>(language));
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
            QCOMPARE(hooks.errors, expected);
            QVERIFY(form->isVisible());
            QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB"}));
        }
    }

    void DeletingAnEntryDeletesItsCurveAlone()
    {
        HookRecorder hooks;
        AddCurve("A", "GR+1");
        AddCurve("B", "GR+2");
        AddCurve("C", "GR+3");
        core->Settings->GetView("C")->Color = RPlatformColor(0x0000FF);
        auto form = Open();
        auto* rows = Child<QListWidget>(*form, "lbCalculatedCurves");
        rows->setCurrentRow(0);
        Child<QToolButton>(*form, "sBtnDel")->click();
        QCOMPARE(rows->count(), 2);
        QCOMPARE(rows->currentRow(), 0);
        QCOMPARE(Child<QLineEdit>(*form, "EditName")->text(), QString("B"));
        const auto& entries = form->WorkingEntries();
        QCOMPARE(entries[0].Name, std::string("B"));
        QCOMPARE(entries[0].CurveIndex, 3);
        QCOMPARE(entries[1].Name, std::string("C"));
        QCOMPARE(entries[1].CurveIndex, 4);
        Child<QPushButton>(*form, "btnOK")->click();
        QVERIFY(hooks.errors.isEmpty());
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB", "B", "C"}));
        QCOMPARE(double(core->Data->Curves()[3]->Data.Samples[0].Value), 13.0);
        QCOMPARE(core->Data->CheckInvariant(), std::string());
        // The curves that stay keep their views; A's went with it.
        QVERIFY(core->Settings->GetView("C"));
        QCOMPARE(core->Settings->GetView("C")->Color.Value(), 0x0000FF);
        QVERIFY(!core->Settings->GetView("A"));
        QCOMPARE(Entries()[0].CurveIndex, 2);
        QCOMPARE(Entries()[1].CurveIndex, 3);

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
        QVERIFY(Entries().empty());
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
        QCOMPARE(Entries()[0].CurveIndex, 3);
        QCOMPARE(Entries()[1].CurveIndex, 4);
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

    void FunctionRowsShowTheCallFormAndWhatItGivesInTheInterfaceLanguage()
    {
        const std::pair<int, QString> languages[] = {
            {0, "IF(condition, a, b)  - a where condition is non-zero, else b"},
            {1, "IF(условие, a, b)  - a там, где условие не равно нулю, иначе b"},
        };
        for (const auto& [language, ifRow] : languages) {
            lang.SetLanguage(static_cast<std::uint8_t>(language));
            auto form = Open();
            auto* list = Child<QListWidget>(*form, "lbCurve1");
            QCOMPARE(FunctionRow(*list, "If")->text(), ifRow);
            QCOMPARE(FunctionRow(*list, "If")->toolTip(), ifRow);
            QCOMPARE(FunctionRow(*list, "Average")->text().section("  - ", 0, 0), QString("AVG | AVERAGE(a, b, ...)"));
            // Every function row reads "call form  - what it gives".
            for (int row = 2; row < list->count(); ++row) {
                const QStringList parts = list->item(row)->text().split("  - ");
                QVERIFY2(parts.size() == 2 && !parts[0].isEmpty() && !parts[1].isEmpty(),
                         qPrintable(list->item(row)->text()));
            }
            QCOMPARE(FunctionRow(*list, "Log")->text().startsWith(language == 0 ? "LOG(a, base)" : "LOG(a, основание)"),
                     true);
        }
    }

    void StoredMethodsAreListedAfterARestartAndEditedThroughOk()
    {
        HookRecorder hooks;
        AddCurve("SUM", "GR+RHOB", SettingsPath());
        Restart();
        // The stored method made the curve at load; the calculator lists it.
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB", "SUM"}));
        {
            auto form = Open(SettingsPath());
            auto* rows = Child<QListWidget>(*form, "lbCalculatedCurves");
            QCOMPARE(rows->count(), 1);
            QCOMPARE(rows->item(0)->text(), QString("SUM"));
            rows->setCurrentRow(0);
            QCOMPARE(Child<QLineEdit>(*form, "EditFormla")->text(), QString("GR+RHOB"));
            QVERIFY(Child<QLabel>(*form, "lblEntryState")->isHidden());
            Type(*form, "EditFormla", "GR*10");
            Child<QPushButton>(*form, "btnOK")->click();
            QCOMPARE(form->result(), int(QDialog::Accepted));
        }
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB", "SUM"}));
        QCOMPARE(double(core->Data->Curves()[2]->Data.Samples[1].Value), 200.0);
        QCOMPARE(StoredFormula("SUM"), std::string("GR*10"));

        // After another restart the edited formula is the one listed; deleting
        // it takes the curve and the stored method.
        Restart();
        QCOMPARE(double(core->Data->Curves()[2]->Data.Samples[1].Value), 200.0);
        {
            auto form = Open(SettingsPath());
            Child<QListWidget>(*form, "lbCalculatedCurves")->setCurrentRow(0);
            QCOMPARE(Child<QLineEdit>(*form, "EditFormla")->text(), QString("GR*10"));
            Child<QToolButton>(*form, "sBtnDel")->click();
            Child<QPushButton>(*form, "btnOK")->click();
            QCOMPARE(form->result(), int(QDialog::Accepted));
        }
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB"}));
        QCOMPARE(StoredFormula("SUM"), std::string("(none)"));
        Restart();
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB"}));
        QVERIFY(Entries().empty());
        QVERIFY2(hooks.errors.isEmpty(), qPrintable(hooks.errors.join('\n')));
    }

    void ABadFormulaAfterARestartChangesNothing()
    {
        HookRecorder hooks;
        AddCurve("SUM", "GR+RHOB", SettingsPath());
        Restart();
        lang.SetLanguage(1);
        auto form = Open(SettingsPath());
        auto* rows = Child<QListWidget>(*form, "lbCalculatedCurves");
        rows->setCurrentRow(0);
        Type(*form, "EditFormla", "GR+XX");
        Child<QToolButton>(*form, "sBtnNew")->click();
        Type(*form, "EditFormla", "GR");
        Child<QPushButton>(*form, "btnOK")->click();
        QCOMPARE(hooks.errors.size(), 1);
        QVERIFY(hooks.errors[0].startsWith("Ошибка разбора формулы: кривая XX не найдена."));
        QVERIFY(form->isVisible());
        // The stored entry is the one at fault, its bad text selected.
        QCOMPARE(form->CurrentRow(), 0);
        QCOMPARE(Child<QLineEdit>(*form, "EditFormla")->selectedText(), QString("XX"));
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB", "SUM"}));
        QCOMPARE(double(core->Data->Curves()[2]->Data.Samples[1].Value), 22.2);
        QCOMPARE(core->Settings->GetCalcMethod("SUM")->Formula, std::string("GR+RHOB"));
        QCOMPARE(StoredFormula("SUM"), std::string("GR+RHOB"));
        QCOMPARE(Entries().size(), std::size_t(1));
    }

    void MethodsThatMetTheFileOtherwiseAreListedAndLoseNothing()
    {
        // RHOB is a curve of the file itself; MISSING names a curve it lacks.
        HookRecorder hooks;
        auto settings = std::make_unique<RLasSettings>();
        settings->SetCalcMethod("RHOB", std::make_unique<RCurveCalcMethod>("GR/100"));
        settings->SetCalcMethod("MISSING", std::make_unique<RCurveCalcMethod>("PS*2"));
        settings->SaveToFile(SettingsPath().toStdString());
        Restart();
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB"}));
        for (const int language : {1, 0}) {
            lang.SetLanguage(static_cast<std::uint8_t>(language));
            auto form = Open(SettingsPath());
            auto* rows = Child<QListWidget>(*form, "lbCalculatedCurves");
            QCOMPARE(rows->count(), 2);
            QCOMPARE(rows->item(0)->text(), QString("MISSING"));
            QCOMPARE(rows->item(1)->text(), QString("RHOB"));
            auto* state = Child<QLabel>(*form, "lblEntryState");
            rows->setCurrentRow(0);
            QVERIFY(!state->isHidden());
            QVERIFY(state->text().contains(language == 0 ? "curve PS not found" : "кривая PS не найдена"));
            QVERIFY(state->text().startsWith(language == 0 ? "Not computed for this file." : "Для этого файла не вычисляется."));
            QCOMPARE(rows->item(0)->toolTip(), state->text());
            rows->setCurrentRow(1);
            QVERIFY(state->text().startsWith(language == 0 ? "The file has its own curve RHOB" : "В файле есть своя кривая RHOB"));
            QCOMPARE(Child<QLineEdit>(*form, "EditFormla")->text(), QString("GR/100"));
            // OK as they are: nothing is computed and nothing is forgotten.
            Child<QPushButton>(*form, "btnOK")->click();
            QCOMPARE(form->result(), int(QDialog::Accepted));
            QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB"}));
            QCOMPARE(double(core->Data->Curves()[1]->Data.Samples[0].Value), 2.1);
            QCOMPARE(StoredFormula("RHOB"), std::string("GR/100"));
            QCOMPARE(StoredFormula("MISSING"), std::string("PS*2"));
        }

        // Deleting both forgets the formulas; the file's RHOB stays.
        auto form = Open(SettingsPath());
        auto* rows = Child<QListWidget>(*form, "lbCalculatedCurves");
        rows->setCurrentRow(1);
        Child<QToolButton>(*form, "sBtnDel")->click();
        Child<QToolButton>(*form, "sBtnDel")->click();
        QCOMPARE(rows->count(), 0);
        Child<QPushButton>(*form, "btnOK")->click();
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB"}));
        QCOMPARE(double(core->Data->Curves()[1]->Data.Samples[0].Value), 2.1);
        QCOMPARE(StoredFormula("RHOB"), std::string("(none)"));
        QCOMPARE(StoredFormula("MISSING"), std::string("(none)"));
        QVERIFY2(hooks.errors.isEmpty(), qPrintable(hooks.errors.join('\n')));
    }

    void AnEditedFileCurveFormulaReplacesItsValues()
    {
        HookRecorder hooks;
        auto settings = std::make_unique<RLasSettings>();
        settings->SetCalcMethod("RHOB", std::make_unique<RCurveCalcMethod>("GR/100"));
        settings->SaveToFile(SettingsPath().toStdString());
        Restart();
        auto form = Open(SettingsPath());
        Child<QListWidget>(*form, "lbCalculatedCurves")->setCurrentRow(0);
        Type(*form, "EditFormla", "GR/10");
        Child<QPushButton>(*form, "btnOK")->click();
        QVERIFY2(hooks.errors.isEmpty(), qPrintable(hooks.errors.join('\n')));
        QCOMPARE(CurveNames(*core), (std::vector<std::string>{"GR", "RHOB"}));
        QCOMPARE(double(core->Data->Curves()[1]->Data.Samples[0].Value), 1.0);
        QCOMPARE(StoredFormula("RHOB"), std::string("GR/10"));
    }
};


QTEST_MAIN(CurveConstructionFormTest)
#include "curve_construction_form_test.moc"
