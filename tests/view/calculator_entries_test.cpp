#include "view/calculator_entries.h"

#include "container/error.h"
#include "las/las_data.h"
#include "support/file_curves.h"
#include "view/las_core.h"

#include <gtest/gtest.h>

namespace {

using Source = RCalcEntrySource;
using Kind = RCalcNameProblem::Kind;

// depth_columns.las: GR (20, 70, null, 120, 45), DEPTH and RHOB (2.1 ..
// 2.5), opened with four stored methods: DOUBLE applies, RHOB meets the
// file's own RHOB, MISSING names a curve the file lacks and "A.B" cannot be
// a column. The entries list them in name order: A.B, DOUBLE, MISSING, RHOB.
class CalculatorEntriesTest : public ::testing::Test {
protected:
    CalculatorEntriesTest()
    {
        auto data = std::make_unique<RLasData>();
        EXPECT_TRUE(data->LoadFromLas(std::string(LOGGARD_TEST_DATA_DIR) + "/view/depth_columns.las"));
        auto settings = std::make_unique<RLasSettings>();
        for (const auto& [name, formula] : {std::pair{"DOUBLE", "GR*2"}, std::pair{"RHOB", "GR/100"},
                                            std::pair{"MISSING", "PS*2"}, std::pair{"A.B", "GR"}})
            settings->SetCalcMethod(name, std::make_unique<RCurveCalcMethod>(formula));
        core.SetData(std::move(data), std::move(settings));
        core.Prepare(RPrepareMode::Opened);
    }

    RCalculatorEntries& Entries() { return core.CalculatorEntries(); }
    std::vector<RCalculatorEntry> Working() { return Entries().Entries(); }
    // Commits, prepares as the window does, and checks the data set.
    void Commit(std::vector<RCalculatorEntry> working)
    {
        Entries().Commit(*core.Data, *core.Settings, std::move(working));
        core.Prepare(RPrepareMode::Changed);
        EXPECT_EQ(core.Data->CheckInvariant(), "");
    }
    std::vector<std::string> CurveNames() const
    {
        std::vector<std::string> names;
        for (const auto& curve : core.Data->Curves())
            names.push_back(curve->Mnemonic);
        return names;
    }
    double Value(std::size_t curve, std::size_t sample) const
    {
        return core.Data->Curves()[curve]->Data.Samples[sample].Value;
    }
    std::string StoredFormula(const std::string& name) const
    {
        const RCurveCalcMethod* method = core.Settings->GetCalcMethod(name);
        return method ? method->Formula : "(none)";
    }
    static RCalculatorEntry& Edit(RCalculatorEntry& entry, const std::string& name, const std::string& formula)
    {
        entry.Name = name;
        entry.Formula = formula;
        entry.Edited = true;
        return entry;
    }

    RLasCore core;
};

TEST_F(CalculatorEntriesTest, StoredMethodsAreListedAsTheyMetTheFile)
{
    const auto& entries = Entries().Entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].Name, "A.B");
    EXPECT_EQ(entries[0].Source, Source::NotApplied);
    EXPECT_EQ(entries[0].Problem[1], "Недопустимое имя кривой \"A.B\".");
    EXPECT_FALSE(entries[0].Problem[0].empty());
    EXPECT_NE(entries[0].Problem[0], entries[0].Problem[1]);
    EXPECT_EQ(entries[1].Name, "DOUBLE");
    EXPECT_EQ(entries[1].Formula, "GR*2");
    EXPECT_EQ(entries[1].Source, Source::Calculator);
    EXPECT_EQ(entries[1].CurveIndex, 3);
    EXPECT_EQ(entries[2].Source, Source::NotApplied);
    EXPECT_EQ(entries[2].CurveIndex, -1);
    EXPECT_EQ(entries[2].Problem[1], "Ошибка разбора формулы: кривая PS не найдена.");
    EXPECT_EQ(entries[2].Problem[0], "Formula error: curve PS not found.");
    EXPECT_EQ(entries[3].Source, Source::FileCurve);
    EXPECT_EQ(entries[3].CurveIndex, 2);
    EXPECT_EQ(CurveNames(), (std::vector<std::string>{"GR", "DEPTH", "RHOB", "DOUBLE"}));

    // Another document starts from its own settings, not from these.
    core.SetData(nullptr);
    EXPECT_TRUE(Entries().Entries().empty());
}

TEST_F(CalculatorEntriesTest, AnAppliedMethodIsRecomputedOrDeletedWithItsCurve)
{
    auto working = Working();
    Edit(working[1], "DOUBLE", "GR*3");
    Commit(working);
    EXPECT_EQ(CurveNames(), (std::vector<std::string>{"GR", "DEPTH", "RHOB", "DOUBLE"}));
    EXPECT_DOUBLE_EQ(Value(3, 1), 210.0);
    EXPECT_EQ(StoredFormula("DOUBLE"), "GR*3");
    EXPECT_EQ(Entries().Entries()[1].CurveIndex, 3);
    EXPECT_FALSE(Entries().Entries()[1].Edited);

    // Renamed: the curve takes the new name, the method moves to it.
    working = Working();
    Edit(working[1], "TRIPLE", "GR*3");
    Commit(working);
    EXPECT_EQ(CurveNames().back(), "TRIPLE");
    EXPECT_EQ(StoredFormula("DOUBLE"), "(none)");
    EXPECT_EQ(StoredFormula("TRIPLE"), "GR*3");

    working = Working();
    working.erase(working.begin() + 1);
    Commit(working);
    EXPECT_EQ(CurveNames(), (std::vector<std::string>{"GR", "DEPTH", "RHOB"}));
    EXPECT_EQ(StoredFormula("TRIPLE"), "(none)");
    EXPECT_EQ(core.Settings->GetView("TRIPLE"), nullptr);
    // The methods that met the file otherwise are kept as they were.
    EXPECT_EQ(StoredFormula("MISSING"), "PS*2");
    EXPECT_EQ(StoredFormula("RHOB"), "GR/100");
    EXPECT_EQ(StoredFormula("A.B"), "GR");
}

TEST_F(CalculatorEntriesTest, AFileCurveKeepsItsValuesUntilItsEntryIsEdited)
{
    // Untouched: OK leaves the file's RHOB alone, and the method stays.
    Commit(Working());
    EXPECT_DOUBLE_EQ(Value(2, 0), 2.1);
    EXPECT_EQ(Entries().Entries()[3].Source, Source::FileCurve);
    EXPECT_EQ(StoredFormula("RHOB"), "GR/100");

    // Deleting the entry forgets the method and keeps the file's curve.
    auto working = Working();
    working.pop_back();
    Commit(working);
    EXPECT_EQ(CurveNames(), (std::vector<std::string>{"GR", "DEPTH", "RHOB", "DOUBLE"}));
    EXPECT_DOUBLE_EQ(Value(2, 0), 2.1);
    EXPECT_EQ(StoredFormula("RHOB"), "(none)");
}

TEST_F(CalculatorEntriesTest, AnEditedFileCurveEntryRecomputesThatCurveOrMakesANewOne)
{
    // Under another name the formula makes a curve of its own beside the
    // file's, which stays unbound.
    auto working = Working();
    Edit(working[3], "VSH", "GR/100");
    Commit(working);
    EXPECT_EQ(CurveNames(), (std::vector<std::string>{"GR", "DEPTH", "RHOB", "DOUBLE", "VSH"}));
    EXPECT_DOUBLE_EQ(Value(2, 0), 2.1);
    EXPECT_DOUBLE_EQ(Value(4, 0), 0.2);
    EXPECT_EQ(Entries().Entries()[3].Source, Source::Calculator);
    EXPECT_EQ(Entries().Entries()[3].CurveIndex, 4);
    EXPECT_EQ(StoredFormula("RHOB"), "(none)");
    EXPECT_EQ(StoredFormula("VSH"), "GR/100");
}

TEST_F(CalculatorEntriesTest, AnEditedFormulaUnderTheFileCurvesNameReplacesItsValues)
{
    auto working = Working();
    Edit(working[3], "RHOB", "GR/10");
    Commit(working);
    EXPECT_EQ(CurveNames(), (std::vector<std::string>{"GR", "DEPTH", "RHOB", "DOUBLE"}));
    EXPECT_DOUBLE_EQ(Value(2, 0), 2.0);
    EXPECT_EQ(Entries().Entries()[3].Source, Source::Calculator);
    EXPECT_EQ(StoredFormula("RHOB"), "GR/10");
}

TEST_F(CalculatorEntriesTest, AMethodNotAppliedIsKeptUntilEditedAndThenMustRead)
{
    auto working = Working();
    Edit(working[2], "MISSING", "RHOB*2");
    Commit(working);
    EXPECT_EQ(CurveNames(), (std::vector<std::string>{"GR", "DEPTH", "RHOB", "DOUBLE", "MISSING"}));
    EXPECT_DOUBLE_EQ(Value(4, 0), 4.2);
    EXPECT_EQ(Entries().Entries()[2].Source, Source::Calculator);
    EXPECT_TRUE(Entries().Entries()[2].Problem[0].empty());
    // The untouched "A.B" was carried, not refused.
    EXPECT_EQ(Entries().Entries()[0].Source, Source::NotApplied);
    EXPECT_EQ(StoredFormula("A.B"), "GR");
}

TEST_F(CalculatorEntriesTest, AFailingEntryChangesNothingAndIsNamed)
{
    auto working = Working();
    Edit(working[1], "DOUBLE", "GR*4");
    working.erase(working.begin() + 3);                  // forget RHOB's method
    Edit(working[2], "MISSING", "PS*3");                 // still names PS
    working.push_back({"NEW", "GR+1", -1, Source::Calculator, {}, true});
    const auto before = Entries().Entries();
    int failedRow = -2;
    EXPECT_THROW(Entries().Commit(*core.Data, *core.Settings, working, &failedRow), RError);
    EXPECT_EQ(failedRow, 2);
    EXPECT_EQ(core.Data->CheckInvariant(), "");
    EXPECT_EQ(CurveNames(), (std::vector<std::string>{"GR", "DEPTH", "RHOB", "DOUBLE"}));
    EXPECT_DOUBLE_EQ(Value(3, 1), 140.0);
    EXPECT_EQ(StoredFormula("DOUBLE"), "GR*2");
    EXPECT_EQ(StoredFormula("RHOB"), "GR/100");
    EXPECT_EQ(Entries().Entries().size(), before.size());
    EXPECT_EQ(Entries().Entries()[2].Formula, "PS*2");

    // An edited name that cannot be a column is named too.
    working = Working();
    Edit(working[0], "A.B", "GR");
    EXPECT_THROW(Entries().Commit(*core.Data, *core.Settings, working, &failedRow), RError);
    EXPECT_EQ(failedRow, 0);
}

TEST_F(CalculatorEntriesTest, NamesAreCheckedAgainstTheCurvesTheCommitKeeps)
{
    const auto check = [this](const std::vector<RCalculatorEntry>& working) {
        const RCalcNameProblem problem = Entries().CheckNames(*core.Data, working);
        return std::pair{problem.kind, problem.row};
    };
    auto working = Working();
    EXPECT_EQ(check(working), std::pair(Kind::None, -1));

    // A new curve may take the name of a calculator curve that goes...
    auto deleted = working;
    deleted.erase(deleted.begin() + 1);
    deleted.push_back({"DOUBLE", "GR", -1, Source::Calculator, {}, true});
    EXPECT_EQ(check(deleted), std::pair(Kind::None, -1));
    // ... not that of a file curve, whether its entry stays, goes or is renamed.
    auto taken = working;
    taken.push_back({"GR", "RHOB", -1, Source::Calculator, {}, true});
    EXPECT_EQ(check(taken), std::pair(Kind::TakenByFile, 4));
    taken = working;
    taken.pop_back();
    taken.push_back({"RHOB", "GR", -1, Source::Calculator, {}, true});
    EXPECT_EQ(check(taken), std::pair(Kind::TakenByFile, 3));
    taken = working;
    Edit(taken[3], "VSH", "GR/100");
    taken.push_back({"RHOB", "GR", -1, Source::Calculator, {}, true});
    EXPECT_EQ(check(taken), std::pair(Kind::TakenByFile, 4));

    auto repeated = working;
    repeated.push_back({"MISSING", "GR", -1, Source::Calculator, {}, true});
    EXPECT_EQ(check(repeated), std::pair(Kind::Repeated, 4));
    auto missing = working;
    Edit(missing[1], "", "GR");
    EXPECT_EQ(check(missing), std::pair(Kind::Missing, 1));
}

// Methods are listed before the curves are named apart: a method meets the
// first file curve of its name, whichever others share it.
TEST(CalculatorEntriesOfRepeatedNames, AStoredMethodMeetsTheFirstFileCurveOfItsName)
{
    RLasCore core;
    for (const char* name : {"GR", "RHOB", "GR", "RHOB"})
        AddFileCurve(*core.Data, name, 1000.0, 0.5, {1, 2}, -999.25);
    core.Settings->SetCalcMethod("RHOB", std::make_unique<RCurveCalcMethod>("GR/100"));
    core.Settings->SetCalcMethod("TWICE", std::make_unique<RCurveCalcMethod>("GR*2"));
    core.Prepare(RPrepareMode::Opened);

    const auto& entries = core.CalculatorEntries().Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Name, "RHOB");
    EXPECT_EQ(entries[0].Source, Source::FileCurve);
    EXPECT_EQ(entries[0].CurveIndex, 1);
    EXPECT_EQ(entries[1].Name, "TWICE");
    EXPECT_EQ(entries[1].Source, Source::Calculator);
    EXPECT_EQ(entries[1].CurveIndex, 4);
    EXPECT_EQ(core.Data->Curves()[3]->Mnemonic, "RHOB (2)");

    // RHOB (2) is a curve of the file: a new entry may not take its name,
    // nor repeat an earlier row's.
    auto working = entries;
    working.push_back({"RHOB (2)", "GR", -1, Source::Calculator, {}, true});
    EXPECT_EQ(core.CalculatorEntries().CheckNames(*core.Data, working).kind, Kind::TakenByFile);
    working.back().Name = "TWICE";
    const RCalcNameProblem repeated = core.CalculatorEntries().CheckNames(*core.Data, working);
    EXPECT_EQ(repeated.kind, Kind::Repeated);
    EXPECT_EQ(repeated.row, 2);
}

}  // namespace
