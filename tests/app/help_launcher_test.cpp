#include "app/help_launcher.h"

#include "app/dialog_hooks.h"
#include "app/multi_lang.h"
#include "support/temp_dir.h"

#include <QStringList>
#include <QUrl>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// Keeps the errors shown and answers every URL with `opens`.
struct Hooks {
    explicit Hooks(bool opens)
    {
        RDialogHooks::ShowError = [this](QWidget*, const QString& text) { errors << text; };
        RDialogHooks::OpenUrl = [opens](const QUrl&) { return opens; };
    }
    ~Hooks() { RDialogHooks::Reset(); }
    QStringList errors;
};

}  // namespace

TEST(RHelpLauncher, FailuresAreWordedInTheLanguageItIsGiven)
{
    TempDir dir;
    const QString folder = QString::fromStdString(dir.Path().string());
    RHelpLauncher help(folder);
    RMultiLang lang(0);
    {
        Hooks hooks(true);
        EXPECT_FALSE(help.OpenHelp(nullptr));  // no Help.pdf: Russian without a language
        help.Lang = &lang;
        EXPECT_FALSE(help.OpenHelp(nullptr));
        ASSERT_EQ(hooks.errors.size(), 2);
        EXPECT_EQ(hooks.errors[0], QString::fromUtf8("Не найден файл справки ") + help.HelpPath());
        EXPECT_EQ(hooks.errors[1], "Help file not found: " + help.HelpPath());
    }
    std::ofstream(dir.File("Help.pdf")) << "%PDF-1.4\n";
    {
        Hooks hooks(false);  // nothing opens it
        EXPECT_FALSE(help.OpenHelp(nullptr));
        lang.SetLanguage(1);  // the launcher follows the table's language
        EXPECT_FALSE(help.OpenHelp(nullptr));
        EXPECT_FALSE(RHelpLauncher::MailSupport(nullptr, "a@b.example", &lang));
        lang.SetLanguage(0);
        EXPECT_FALSE(RHelpLauncher::MailSupport(nullptr, "a@b.example", &lang));
        EXPECT_EQ(hooks.errors, (QStringList{"Could not open the help file " + help.HelpPath(),
                                             QString::fromUtf8("Не удалось открыть файл справки ") + help.HelpPath(),
                                             QString::fromUtf8("Не удалось открыть почтовую программу для a@b.example"),
                                             "Could not open the mail program for a@b.example"}));
    }
}
