#include "view/las_store_settings.h"

#include "container/data_container.h"
#include "las/las_problem.h"
#include "las/logging.h"
#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<RCurveView> ViewWithColor(int color)
{
    auto view = std::make_unique<RCurveView>();
    view->Color = RPlatformColor(color);
    return view;
}

TEST(LasStoreSettingsTest, NamesAreExactAndCaseSensitive)
{
    RLasStoreSettings settings;
    settings.SetView("gr", ViewWithColor(1));
    EXPECT_EQ(settings.GetView("GR"), nullptr);
    ASSERT_NE(settings.GetView("gr"), nullptr);
    EXPECT_EQ(settings.GetView("gr")->Color.Value(), 1);
}

TEST(LasStoreSettingsTest, SetViewReplacesRemovesAndKeepsItsOwnView)
{
    RLasStoreSettings settings;
    settings.SetView("GR", ViewWithColor(1));
    settings.SetView("GR", ViewWithColor(2));
    EXPECT_EQ(settings.GetView("GR")->Color.Value(), 2);
    EXPECT_EQ(settings.Views().size(), 1u);

    // The very view already stored stays stored and alive.
    RCurveView* stored = settings.GetView("GR");
    settings.SetView("GR", std::unique_ptr<RCurveView>(stored));
    EXPECT_EQ(settings.GetView("GR"), stored);
    EXPECT_EQ(stored->Color.Value(), 2);

    settings.SetView("GR", nullptr);
    EXPECT_EQ(settings.GetView("GR"), nullptr);
    settings.SetView("NONE", nullptr);
    EXPECT_TRUE(settings.Views().empty());

    settings.SetCalcMethod("VSH", std::make_unique<RCurveCalcMethod>("GR/100"));
    RCurveCalcMethod* method = settings.GetCalcMethod("VSH");
    settings.SetCalcMethod("VSH", std::unique_ptr<RCurveCalcMethod>(method));
    EXPECT_EQ(settings.GetCalcMethod("VSH")->Formula, "GR/100");
}

TEST(LasStoreSettingsTest, LoadingAddsToWhatIsStored)
{
    RLasStoreSettings source;
    source.SetView("GR", ViewWithColor(5));
    source.SetCalcMethod("VSH", std::make_unique<RCurveCalcMethod>("GR/100"));
    RDataContainer container;
    source.SaveToNode(container);

    RLasStoreSettings settings;
    settings.SetView("GR", ViewWithColor(1));
    settings.SetView("RHOB", ViewWithColor(2));
    settings.LoadFromNode(container);
    EXPECT_EQ(settings.GetView("GR")->Color.Value(), 5);
    EXPECT_EQ(settings.GetView("RHOB")->Color.Value(), 2);
    EXPECT_EQ(settings.GetCalcMethod("VSH")->Formula, "GR/100");

    settings.Clear();
    EXPECT_TRUE(settings.Views().empty());
    EXPECT_TRUE(settings.CalcMethods().empty());
}

TEST(LasStoreSettingsTest, AnyCurveNameRoundTrips)
{
    // A backslash in a mnemonic is part of the name, not a path.
    RLasStoreSettings source;
    for (const char* name : {"A\\B", "", "GR 1", "\xcf\xd1"})
        source.SetView(name, ViewWithColor(7));
    RDataContainer container;
    source.SaveToNode(container);
    RLasStoreSettings loaded;
    loaded.LoadFromNode(container);
    ASSERT_EQ(loaded.Views().size(), 4u);
    for (const char* name : {"A\\B", "", "GR 1", "\xcf\xd1"})
        ASSERT_NE(loaded.GetView(name), nullptr) << name;
}

TEST(LasStoreSettingsTest, SavingAgainWritesOverTheNodesOfTheSameNames)
{
    RLasStoreSettings first;
    for (int c = 0; c < 3000; ++c)
        first.SetView("C" + std::to_string(c), ViewWithColor(c));
    RDataContainer container;
    first.SaveToNode(container);

    RLasStoreSettings second;
    second.SetView("C7", ViewWithColor(-1));
    second.SetView("NEW", ViewWithColor(9));
    second.SaveToNode(container);
    const RDCNode* views = container.NodeByPath("LasSettings\\View");
    ASSERT_NE(views, nullptr);
    EXPECT_EQ(views->ChildCount(), 3001);

    RLasStoreSettings loaded;
    loaded.LoadFromNode(container);
    ASSERT_EQ(loaded.Views().size(), 3001u);
    EXPECT_EQ(loaded.GetView("C7")->Color.Value(), -1);
    EXPECT_EQ(loaded.GetView("C2999")->Color.Value(), 2999);
    EXPECT_EQ(loaded.GetView("NEW")->Color.Value(), 9);
}

TEST(LasStoreSettingsTest, MissingOrDamagedFileLoadsNothing)
{
    const TempDir dir;
    RLasStoreSettings settings;
    settings.SetView("GR", ViewWithColor(1));
    EXPECT_FALSE(settings.LoadFromFile(dir.File("missing.dat")));

    // A settings file cut short is reported, not raised.
    RLasStoreSettings source;
    source.SetView("RHOB", ViewWithColor(3));
    source.SaveToFile(dir.File("settings.dat"));
    const std::string bytes = ReadWholeFile(dir.File("settings.dat"));
    WriteWholeFile(dir.File("settings.dat"), bytes.substr(0, bytes.size() - 5));
    RLogCollector log;
    EXPECT_FALSE(settings.LoadFromFile(dir.File("settings.dat")));
    ASSERT_EQ(log.Messages.size(), 1u);
    EXPECT_EQ(log.Messages[0].rfind("Файл настроек " + dir.File("settings.dat") + " повреждён", 0), 0u) << log.Messages[0];
    EXPECT_EQ(settings.GetView("RHOB"), nullptr);
    EXPECT_EQ(settings.GetView("GR")->Color.Value(), 1);
    // Garbage is reported the same way, not dropped in silence.
    WriteWholeFile(dir.File("garbage.dat"), "not a settings file at all");
    log.Messages.clear();
    EXPECT_FALSE(settings.LoadFromFile(dir.File("garbage.dat")));
    ASSERT_EQ(log.Messages.size(), 1u);
    EXPECT_EQ(log.Messages[0], "Файл настроек " + dir.File("garbage.dat")
                                   + " повреждён, виды кривых и формулы из него не загружены: это не файл настроек");
    EXPECT_TRUE(settings.Damaged());
    log.Messages.clear();
    EXPECT_FALSE(settings.LoadFromFile(dir.File("missing.dat")));
    EXPECT_TRUE(log.Messages.empty());
    EXPECT_FALSE(settings.Damaged());
    EXPECT_FALSE(settings.LoadFromFile(dir.File("garbage.dat")));
    settings.SaveToFile(dir.File("garbage.dat"));  // a deliberate save makes it whole
    EXPECT_FALSE(settings.Damaged());

    WriteWholeFile(dir.File("settings.dat"), bytes);
    EXPECT_TRUE(settings.LoadFromFile(dir.File("settings.dat")));
    EXPECT_EQ(settings.GetView("RHOB")->Color.Value(), 3);
}

TEST(LasStoreSettingsTest, ADamagedFileIsReportedAsAProblemTheWindowCanWord)
{
    // A sink that keeps the problems as they come.
    struct Problems : RLogSink {
        void Message(const std::string& text) override { texts.push_back(text); }
        void Problem(const RLasProblem& problem) override { problems.push_back(problem); }
        std::vector<std::string> texts;
        std::vector<RLasProblem> problems;
    } sink;
    const TempDir dir;
    RLasStoreSettings source;
    source.SetView("RHOB", ViewWithColor(3));
    source.SaveToFile(dir.File("settings.dat"));
    const std::string bytes = ReadWholeFile(dir.File("settings.dat"));
    WriteWholeFile(dir.File("settings.dat"), bytes.substr(0, bytes.size() - 5));
    WriteWholeFile(dir.File("garbage.dat"), "not a settings file at all");

    RLasStoreSettings settings;
    {
        RLogScope scope(&sink);
        EXPECT_FALSE(settings.LoadFromFile(dir.File("settings.dat")));
        EXPECT_FALSE(settings.LoadFromFile(dir.File("garbage.dat")));
    }
    EXPECT_TRUE(sink.texts.empty());
    ASSERT_EQ(sink.problems.size(), 2u);
    const RLasProblem& cut = sink.problems[0];
    EXPECT_EQ(cut.Kind, RLasProblemKind::SettingsUnreadable);
    EXPECT_EQ(cut.Path, dir.File("settings.dat"));
    ASSERT_TRUE(cut.Cause.has_value());
    EXPECT_EQ(cut.Cause->Kind, RFileErrorKind::UnexpectedEnd);
    EXPECT_EQ(ProblemText(cut, RLasLanguage::English).rfind("Settings file " + dir.File("settings.dat")
                                                                + " is damaged; the curve views and formulas in it "
                                                                  "were not loaded: Error reading file: unexpected "
                                                                  "end of file (",
                                                            0),
              0u)
        << ProblemText(cut, RLasLanguage::English);
    EXPECT_EQ(sink.problems[1].Kind, RLasProblemKind::NotASettingsFile);
    EXPECT_EQ(sink.problems[1].Path, dir.File("garbage.dat"));
}

}  // namespace
