#include "raster/color.h"

#include <gtest/gtest.h>

TEST(ColorWord, SwapsRedAndBlueAndKeepsTransparency)
{
    EXPECT_EQ(ColorWord(0x00112233), 0x00332211u);
    EXPECT_EQ(ColorWord(0x80112233), 0x80332211u);
    EXPECT_EQ(Transparency(0x80332211u), 0x80);
}

TEST(RColor, SystemColoursResolveAndHexIsRedGreenBlue)
{
    RColor windowText(RColorType::ctStandart, static_cast<std::int32_t>(0xFF000008));
    EXPECT_EQ(windowText.Effective(), 0x000000u);
    EXPECT_EQ(RColor(RColorType::ctStandart, static_cast<std::int32_t>(0xFF000005)).Effective(), 0xFFFFFFu);
    EXPECT_EQ(RColor(RColorType::ctStandart, static_cast<std::int32_t>(0xFF00000F)).HexColor(), "#d4d0c8");
    // Raw values stand as they are, even negative ones.
    EXPECT_EQ(RColor(RColorType::ctRGBA, static_cast<std::int32_t>(0xFF00000F)).Effective(), 0xFF00000Fu);
    EXPECT_EQ(RColor(RColorType::ctStandart, 0x00336699).HexColor(), "#996633");
}

TEST(RColor, EveryChangeNotifies)
{
    RColor color;
    int changes = 0;
    color.OnChange = [&] { ++changes; };
    color.SetColor(5);
    color.SetColorType(RColorType::ctStandart);
    color.SetRGBA(0x123456);
    EXPECT_EQ(color.ColorType(), RColorType::ctRGBA);
    color = RColor(RColorType::ctStandart, 7);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(color.Color(), 7);
    EXPECT_EQ(color.ColorType(), RColorType::ctStandart);
}
