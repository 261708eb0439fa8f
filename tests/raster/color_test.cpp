#include "raster/color.h"

#include <gtest/gtest.h>

TEST(ColorWord, PlatformColoursSwapRedAndBlueAndResolveSystemColours)
{
    EXPECT_EQ(ColorWord(RPlatformColor(0x00112233)).Value(), 0x00332211u);
    EXPECT_EQ(ColorWord(RPlatformColor::FromRgb(0x11, 0x22, 0x33)), RColorWord::FromRgb(0x11, 0x22, 0x33));
    // A settings colour is opaque whatever stray bits its top byte holds.
    EXPECT_EQ(ColorWord(RPlatformColor(0x7F112233)).Value(), 0x00332211u);
    // Negative: system colour 15 (button face, 0xC8D0D4 as 0x00BBGGRR).
    EXPECT_EQ(ColorWord(RPlatformColor(static_cast<std::int32_t>(0xFF00000F))).Value(), 0x00D4D0C8u);
    EXPECT_EQ(RColorWord(0x80332211u).Transparency(), 0x80);
    EXPECT_EQ(RColorWord(0x80332211u).WithTransparency(0x20).Value(), 0x20332211u);
    // A raw RColor keeps its top byte as the transparency.
    EXPECT_EQ(RColor(RColorType::ctRGBA, static_cast<std::int32_t>(0xCC0000FF)).Word().Value(), 0xCCFF0000u);
    EXPECT_EQ(RColor(RColorType::ctStandart, static_cast<std::int32_t>(0xFF000005)).Word().Value(), 0x00FFFFFFu);
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
