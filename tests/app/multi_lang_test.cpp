#include "app/multi_lang.h"

#include <gtest/gtest.h>

#include <set>

TEST(RMultiLang, EachGetterReadsItsPairInTheCurrentLanguage)
{
    RMultiLang lang(0);
    EXPECT_EQ(lang.MainCaption(), "Well logs viewer");
    EXPECT_EQ(lang.Curves(), "Curves");
    lang.SetLanguage(1);
    EXPECT_EQ(lang.Language(), 1);
    EXPECT_EQ(lang.MainCaption(), "Визуализатор данных каротажа");
    EXPECT_EQ(lang.MapCalculator(), "Калькулятор карт");
    EXPECT_EQ(lang.Cancel(), "Отмена");
    EXPECT_EQ(lang.Curves(), "Кривые");
    // Pairs 18 and 29 are separate entries with the same texts.
    EXPECT_EQ(lang.Color(), lang.CurveColor());
}

TEST(RMultiLang, EveryPairIsTranslated)
{
    RMultiLang english(0), russian(1);
    std::set<std::string> seen;
    for (int k = 0; k < RMultiLang::kPairCount; ++k) {
        EXPECT_FALSE(english.Text(k).empty()) << k;
        EXPECT_NE(english.Text(k), russian.Text(k)) << k;
        seen.insert(english.Text(k));
    }
    // Only "Color" repeats.
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(RMultiLang::kPairCount - 1));
}

TEST(RMultiLang, UpdateAndHelpTextsKeepTheirRussianAndTakeTheirName)
{
    RMultiLang lang(1);
    EXPECT_EQ(lang.UpdateSystem(), "Система обновлений");
    EXPECT_EQ(lang.UpdaterNotFound(), "Не найдена программа обновления %1");
    EXPECT_EQ(lang.UpdaterNoAnswer(), "Программа обновления не ответила за %1 с.");
    EXPECT_EQ(lang.NoUpdates(), "Обновлений не обнаружено");
    EXPECT_EQ(lang.MailNotOpened(), "Не удалось открыть почтовую программу для %1");
    lang.SetLanguage(0);
    EXPECT_EQ(lang.UpdateAvailable(), "Updates are available. Update now?");
    // Texts that take a name or a number have exactly one place for it.
    for (const std::string* text : {&lang.UpdaterNotFound(), &lang.UpdaterNotStarted(), &lang.UpdaterNoAnswer(),
                                    &lang.HelpNotFound(), &lang.HelpNotOpened(), &lang.MailNotOpened()}) {
        EXPECT_NE(text->find("%1"), std::string::npos) << *text;
        EXPECT_EQ(text->find("%2"), std::string::npos) << *text;
    }
}

TEST(RMultiLang, CurveSettingsTextsKeepTheirRussianAndTheirPlaces)
{
    RMultiLang lang(1);
    EXPECT_EQ(lang.CurvesSettings(), "Настройки кривых");
    EXPECT_EQ(lang.FillConstantNotNumber(), "Константа заливки должна быть числом: \"%1\".");
    EXPECT_EQ(lang.TrackNotWhole(), "Трек кривой %1 должен быть целым числом: \"%2\".");
    const RMultiLang english(0);
    EXPECT_EQ(english.CurvesSettings(), "Curves settings");
    // Each language has the same places for the name, the count and the text typed.
    for (const RMultiLang* in : {static_cast<const RMultiLang*>(&lang), &english}) {
        const std::pair<const std::string*, int> texts[] = {
            {&in->FillConstantNotNumber(), 1}, {&in->TrackNotWhole(), 2}, {&in->TrackOutOfRange(), 3}, {&in->TrackHint(), 1}};
        for (const auto& [text, places] : texts)
            for (int k = 1; k <= 3; ++k)
                EXPECT_EQ(text->find("%" + std::to_string(k)) != std::string::npos, k <= places) << *text;
    }
}
