#include "app/main_settings.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(MainSettings, MissingFileGivesDefaults)
{
    const TempDir dir;
    const RMainSettings settings = RMainSettings::Load(dir.File("mainSettings.ini"));
    EXPECT_EQ(settings.Language, 0);
    EXPECT_EQ(settings.OffsetX, 0);
    EXPECT_EQ(settings.OffsetY, 0);
    EXPECT_EQ(settings.ViewSizeX, 1);
    EXPECT_EQ(settings.ViewSizeY, 1);
}

TEST(MainSettings, ValuesOutsideTheirRangesTakeTheDefaults)
{
    const TempDir dir;
    const std::string path = dir.File("mainSettings.ini");
    Write(path, "[Language]\nlang=5\n[Scale]\noffsetX=-0.2\noffsetY=1.5\nviewSizeX=0\nviewSizeY=1.5\n");
    RMainSettings settings = RMainSettings::Load(path);
    EXPECT_EQ(settings.Language, 0);
    EXPECT_EQ(settings.OffsetX, 0);
    EXPECT_EQ(settings.OffsetY, 0);
    EXPECT_EQ(settings.ViewSizeX, 1);  // 0 would reach ln(0)
    EXPECT_EQ(settings.ViewSizeY, 1);

    Write(path, "[Language]\nlang=-1\n[Scale]\nviewSizeX=0.0009\nviewSizeY=abc\noffsetX=0.5x\n");
    settings = RMainSettings::Load(path);
    EXPECT_EQ(settings.Language, 0);
    EXPECT_EQ(settings.ViewSizeX, 1);
    EXPECT_EQ(settings.ViewSizeY, 1);
    EXPECT_EQ(settings.OffsetX, 0);
}

TEST(MainSettings, FloatsReadWithPointOrCommaAndNamesWithoutCase)
{
    const TempDir dir;
    const std::string path = dir.File("mainSettings.ini");
    Write(path, "[language]\r\nLANG = 1\r\n[Scale]\r\noffsetX=0,25\r\noffsety=0.5\r\nviewSizeX=0.001\r\nviewSizeY=1\r\n");
    const RMainSettings settings = RMainSettings::Load(path);
    EXPECT_EQ(settings.Language, 1);
    EXPECT_EQ(settings.OffsetX, 0.25);
    EXPECT_EQ(settings.OffsetY, 0.5);
    EXPECT_EQ(settings.ViewSizeX, 0.001);
    EXPECT_EQ(settings.ViewSizeY, 1);
}

TEST(MainSettings, SaveWritesPointsAndKeepsOtherEntries)
{
    const TempDir dir;
    const std::string path = dir.File("mainSettings.ini");
    Write(path, "[Window]\nstate=2\n\n[Scale]\nextra=x\noffsetX=0,7\n");
    RMainSettings settings;
    settings.Language = 1;
    settings.OffsetX = 0.125;
    settings.OffsetY = 0.1;
    settings.ViewSizeX = 0.4;
    settings.ViewSizeY = 0.08;
    ASSERT_TRUE(settings.Save(path));
    EXPECT_EQ(Read(path), "[Window]\nstate=2\n\n[Scale]\nextra=x\noffsetX=0.125\noffsetY=0.1\nviewSizeX=0.4\n"
                          "viewSizeY=0.08\n[Language]\nlang=1\n");
    const RMainSettings back = RMainSettings::Load(path);
    EXPECT_EQ(back.Language, 1);
    EXPECT_EQ(back.OffsetY, 0.1);
    EXPECT_EQ(back.ViewSizeY, 0.08);
}

TEST(MainSettings, SaveIntoAMissingFolderFails)
{
    const TempDir dir;
    EXPECT_FALSE(RMainSettings().Save(dir.File("no/such/folder/mainSettings.ini")));
}
