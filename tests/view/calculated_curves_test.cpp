#include "view/calculated_curves.h"

#include "container/error.h"
#include "las/las_data.h"
#include "support/temp_dir.h"
#include "view/las_settings.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

// ~C is DEPT (the index), GR, DEPTH, RHOB: curves and columns GR, DEPTH
// (a second depth column, an ordinary curve) and RHOB. NULL is -9999 and GR
// is null at 1001.
class CalculatedCurvesTest : public ::testing::Test {
protected:
    CalculatedCurvesTest()
    {
        EXPECT_TRUE(data.LoadFromLas(std::string(LOGGARD_TEST_DATA_DIR) + "/view/depth_columns.las"));
        EXPECT_EQ(data.CheckInvariant(), "");
    }

    // Commits and rebuilds leave the ~C lines, columns and curves in step,
    // whether they succeed or throw.
    struct InvariantCheck {
        const RLasData& data;
        ~InvariantCheck() { EXPECT_EQ(data.CheckInvariant(), ""); }
    };
    void Commit(std::vector<RCalcEntry>& entries, std::vector<int> deletedCurves = {})
    {
        const InvariantCheck check{data};
        CommitCalcEntries(data, settings, entries, std::move(deletedCurves));
    }
    void Rebuild()
    {
        const InvariantCheck check{data};
        RebuildCalculatedCurves(data, settings);
    }

    static RCalcEntry Entry(const std::string& name, const std::string& formula, int curveIndex = -1)
    {
        RCalcEntry entry;
        entry.Name = name;
        entry.Method.Formula = formula;
        entry.CurveIndex = curveIndex;
        return entry;
    }
    std::vector<std::string> LineNames() const
    {
        std::vector<std::string> names;
        for (const RLasSectionLine& line : data.LasHeader()->Curves().Lines)
            names.push_back(line.Mnem);
        return names;
    }

    RLasData data;
    RLasSettings settings;
};

TEST_F(CalculatedCurvesTest, NewEntryBecomesAColumnAfterTheFileCurves)
{
    std::vector<RCalcEntry> entries;
    entries.push_back(Entry("VSH", "(GR-20)/(120-20)"));
    Commit(entries);

    EXPECT_EQ(entries[0].CurveIndex, 3);
    ASSERT_EQ(data.Curves().size(), 4u);
    EXPECT_EQ(data.Curves()[3]->Mnemonic, "VSH");
    EXPECT_FALSE(data.Curves()[3]->IsCalculated());
    EXPECT_EQ(LineNames(), (std::vector<std::string>{"GR", "DEPTH", "RHOB", "VSH"}));
    // Unit and description of the last ~C entry (RHOB's G/C3, BULK DENSITY)
    // would mislabel the new column; the formula describes it instead.
    EXPECT_EQ(data.LasHeader()->Curves().Lines[3].Unit, "");
    EXPECT_EQ(data.LasHeader()->Curves().Lines[3].Data, "");
    EXPECT_EQ(data.LasHeader()->Curves().Lines[3].Description, "(GR-20)/(120-20)");
    EXPECT_EQ(data.Header.CurveCount, 4);
    ASSERT_EQ(data.Columns().size(), 4u);
    // Null rows carry the file's own NULL, so they read back as null.
    EXPECT_EQ(data.Columns()[3], (TDoubleArray{0.0, 0.5, -9999.0, 1.0, 0.25}));
    ASSERT_NE(settings.GetView("VSH"), nullptr);
    EXPECT_EQ(*settings.GetView("VSH"), RCurveView());
    ASSERT_EQ(settings.Tracks.size(), 4u);
    EXPECT_EQ(settings.Tracks[3], 3);

    const TempDir dir;
    ASSERT_TRUE(data.SaveToLas(dir.File("out.las")));
    RLasData reloaded;
    ASSERT_TRUE(reloaded.LoadFromLas(dir.File("out.las")));
    ASSERT_EQ(reloaded.Curves().size(), 4u);
    EXPECT_EQ(reloaded.Curves()[1]->Mnemonic, "DEPTH");
    EXPECT_EQ(reloaded.Curves()[3]->Mnemonic, "VSH");
    EXPECT_TRUE(RLasCurveDataWrapper::IsNull(reloaded.Curves()[3]->Data, 2));
    EXPECT_DOUBLE_EQ(reloaded.Curves()[3]->Data.Samples[3].Value, 1.0);
}

TEST_F(CalculatedCurvesTest, LaterEntryReadsAnEarlierOne)
{
    std::vector<RCalcEntry> entries;
    entries.push_back(Entry("A", "RHOB*10"));
    entries.push_back(Entry("B", "a+1"));
    Commit(entries);
    EXPECT_EQ(entries[1].CurveIndex, 4);
    EXPECT_DOUBLE_EQ(data.Columns()[4][0], 22.0);
}

// The bare name DEPTH is the depth itself; quoted, it is the file's second
// depth column, a curve like any other.
TEST_F(CalculatedCurvesTest, EntryReadsTheSecondDepthColumnByItsQuotedName)
{
    std::vector<RCalcEntry> entries;
    entries.push_back(Entry("SHIFT", "'DEPTH'-DEPTH+1"));
    Commit(entries);
    EXPECT_EQ(data.Columns()[3], TDoubleArray(5, 1.0));
}

TEST_F(CalculatedCurvesTest, CommittedEntryIsReplacedInPlace)
{
    std::vector<RCalcEntry> entries;
    entries.push_back(Entry("VSH", "GR"));
    Commit(entries);
    entries[0].Name = "VSH2";
    entries[0].Method.Formula = "RHOB";
    Commit(entries);

    EXPECT_EQ(entries[0].CurveIndex, 3);
    ASSERT_EQ(data.Curves().size(), 4u);
    EXPECT_EQ(data.Curves()[3]->Mnemonic, "VSH2");
    EXPECT_EQ(LineNames(), (std::vector<std::string>{"GR", "DEPTH", "RHOB", "VSH2"}));
    EXPECT_EQ(data.Columns()[3], (TDoubleArray{2.1, 2.2, 2.3, 2.4, 2.5}));
}

TEST_F(CalculatedCurvesTest, DeletedEntryTakesItsColumnViewAndTrack)
{
    std::vector<RCalcEntry> entries;
    entries.push_back(Entry("A", "1"));
    entries.push_back(Entry("B", "2"));
    entries.push_back(Entry("C", "3"));
    Commit(entries);
    settings.Tracks = {0, 1, 2, 3, 4, 5};

    std::vector<RCalcEntry> kept;
    kept.push_back(std::move(entries[1]));
    Commit(kept, {5, 3});

    EXPECT_EQ(kept[0].CurveIndex, 3);  // moved down past the deleted A
    ASSERT_EQ(data.Curves().size(), 4u);
    EXPECT_EQ(data.Curves()[3]->Mnemonic, "B");
    EXPECT_EQ(LineNames(), (std::vector<std::string>{"GR", "DEPTH", "RHOB", "B"}));
    ASSERT_EQ(data.Columns().size(), 4u);
    EXPECT_EQ(data.Columns()[3], TDoubleArray(5, 2.0));
    EXPECT_EQ(data.Header.CurveCount, 4);
    EXPECT_EQ(settings.GetView("A"), nullptr);
    EXPECT_EQ(settings.GetView("C"), nullptr);
    EXPECT_NE(settings.GetView("B"), nullptr);
    EXPECT_EQ(settings.Tracks, (std::vector<std::int32_t>{0, 1, 2, 4}));
}

TEST_F(CalculatedCurvesTest, FailedEntryUndoesTheWholeCommit)
{
    std::vector<RCalcEntry> entries;
    entries.push_back(Entry("A", "GR"));
    Commit(entries);
    std::vector<RLasCurve*> curvesBefore;
    for (const auto& curve : data.Curves())
        curvesBefore.push_back(curve.get());
    const auto columnsBefore = data.Columns();
    const auto linesBefore = LineNames();

    entries[0].Method.Formula = "RHOB";
    entries.push_back(Entry("B", "5"));
    entries.push_back(Entry("C", "NOPE+1"));
    try {
        Commit(entries, {3});
        FAIL() << "the commit should fail";
    } catch (const RError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Ошибка разбора формулы: кривая NOPE не найдена.\r\nОшибка на символе 1:  __ NOPE __ +1");
    }
    ASSERT_EQ(data.Curves().size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(data.Curves()[i].get(), curvesBefore[i]);
    EXPECT_EQ(data.Columns(), columnsBefore);
    EXPECT_EQ(LineNames(), linesBefore);
    EXPECT_EQ(entries[0].CurveIndex, 3);
    EXPECT_EQ(entries[1].CurveIndex, -1);
    EXPECT_NE(settings.GetView("A"), nullptr);
    EXPECT_EQ(settings.GetView("B"), nullptr);
}

TEST_F(CalculatedCurvesTest, InfinityIsWrittenAsNull)
{
    std::vector<RCalcEntry> entries;
    entries.push_back(Entry("T", "ATANH(RHOB/RHOB)"));
    Commit(entries);
    // A copy: EXPECT_EQ binds references, and the packed sample's Value is misaligned.
    const double stored = data.Curves()[3]->Data.Samples[1].Value;
    EXPECT_EQ(stored, std::numeric_limits<double>::infinity());
    EXPECT_EQ(data.Columns()[3], TDoubleArray(5, -9999.0));
}

// DEPTH in a formula is the depth itself, and a column named like the index
// would pass for it in other programs.
TEST_F(CalculatedCurvesTest, DepthNamesAndEmptyNamesAreRefused)
{
    for (const char* name : {"DEPTH", "DEPT", ""}) {
        std::vector<RCalcEntry> entries;
        entries.push_back(Entry(name, "1"));
        EXPECT_THROW(Commit(entries), RError) << name;
        EXPECT_EQ(data.Curves().size(), 3u);
        EXPECT_EQ(data.Columns().size(), 3u);
    }
}

// A name the ~C line cannot hold would come back from the saved file under
// another name (A.B as A with unit B) or break it (a comment or section line).
TEST_F(CalculatedCurvesTest, NamesALasFileCannotHoldAreRefused)
{
    for (const char* name : {"A.B", "~X", "#Y", "A\nB", " A", "A "}) {
        std::vector<RCalcEntry> entries;
        entries.push_back(Entry(name, "1"));
        EXPECT_THROW(Commit(entries), RError) << name;
        EXPECT_EQ(data.Curves().size(), 3u);
        EXPECT_EQ(data.Columns().size(), 3u);
    }
    std::vector<RCalcEntry> entries;
    entries.push_back(Entry("GR 2:B", "1"));
    EXPECT_NO_THROW(Commit(entries));
}

TEST_F(CalculatedCurvesTest, StoredMethodsAreRebuiltWithoutDuplicates)
{
    settings.SetCalcMethod("VSH", std::make_unique<RCurveCalcMethod>("(GR-20)/100"));
    settings.SetCalcMethod("BAD", std::make_unique<RCurveCalcMethod>("NOPE*2"));
    // Methods are independent: the second cannot read the first's curve.
    settings.SetCalcMethod("X2", std::make_unique<RCurveCalcMethod>("VSH*2"));

    for (int load = 0; load < 2; ++load) {
        Rebuild();
        ASSERT_EQ(data.Curves().size(), 4u) << load;
        const RLasCurve& vsh = *data.Curves()[3];
        EXPECT_EQ(vsh.Mnemonic, "VSH");
        EXPECT_EQ(vsh.Formula, "(GR-20)/100");
        EXPECT_EQ(vsh.MethodName, "VSH");
        EXPECT_TRUE(RLasCurveDataWrapper::IsNull(vsh.Data, 2));
        EXPECT_DOUBLE_EQ(vsh.Data.Samples[1].Value, 0.5);
        ASSERT_EQ(data.Columns().size(), 4u);
        EXPECT_EQ(data.Columns()[3][2], -9999.0);
        // Labelled like a committed column: the formula, not RHOB's unit and
        // description.
        const RLasSectionLine& line = data.LasHeader()->Curves().Lines[3];
        EXPECT_EQ(line.Mnem, "VSH");
        EXPECT_EQ(line.Unit, "");
        EXPECT_EQ(line.Data, "");
        EXPECT_EQ(line.Description, "(GR-20)/100");
    }
    EXPECT_FALSE(settings.GetCalcMethod("VSH")->IsParsed());
}

TEST_F(CalculatedCurvesTest, AFileSavedWithACalculatedCurveGetsNoCopyOfItOnReopening)
{
    settings.SetCalcMethod("VSH", std::make_unique<RCurveCalcMethod>("(GR-20)/100"));
    Rebuild();
    ASSERT_EQ(data.Curves().size(), 4u);
    TempDir dir;
    ASSERT_TRUE(data.SaveToLas(dir.File("saved.las")));
    for (int reopening = 0; reopening < 2; ++reopening) {
        RLasData reopened;
        ASSERT_TRUE(reopened.LoadFromLas(dir.File("saved.las")));
        RebuildCalculatedCurves(reopened, settings);
        ASSERT_EQ(reopened.Curves().size(), 4u);
        EXPECT_EQ(reopened.Curves()[3]->Mnemonic, "VSH");
        EXPECT_FALSE(reopened.Curves()[3]->IsCalculated());  // the file's own column
        EXPECT_EQ(reopened.CheckInvariant(), "");
        ASSERT_TRUE(reopened.SaveToLas(dir.File("saved.las")));
    }
}

// Stored methods obey the same names as the calculator window's entries.
TEST_F(CalculatedCurvesTest, StoredMethodsWithUnfitNamesAreSkipped)
{
    settings.SetCalcMethod("DEPTH", std::make_unique<RCurveCalcMethod>("GR*2"));
    settings.SetCalcMethod("A.B", std::make_unique<RCurveCalcMethod>("GR*3"));
    settings.SetCalcMethod("VSH", std::make_unique<RCurveCalcMethod>("GR/100"));
    Rebuild();
    ASSERT_EQ(data.Curves().size(), 4u);
    EXPECT_EQ(data.Curves()[3]->Mnemonic, "VSH");
    EXPECT_EQ(LineNames(), (std::vector<std::string>{"GR", "DEPTH", "RHOB", "VSH"}));
    EXPECT_EQ(data.ColumnOfCurve(3), 3);
}

}  // namespace
