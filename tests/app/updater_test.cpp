#include "app/updater.h"

#include "app/dialog_hooks.h"
#include "app/multi_lang.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// An updater that exits with `code`, or sleeps when `code` is negative.
void WriteUpdater(const TempDir& dir, int code)
{
    const std::string path = dir.File("upd");
    std::ofstream(path) << "#!/bin/sh\n" << (code < 0 ? "exec sleep 10\n" : "exit " + std::to_string(code) + "\n");
    QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Keeps what the updater says and declines every offer.
struct Hooks {
    Hooks()
    {
        RDialogHooks::ShowError = [this](QWidget*, const QString& text) { said << text; };
        RDialogHooks::Inform = [this](QWidget*, const QString& title, const QString& text) { said << title + "|" + text; };
        RDialogHooks::Ask = [this](QWidget*, const QString& title, const QString& text) {
            said << title + "|" + text;
            return false;
        };
    }
    ~Hooks() { RDialogHooks::Reset(); }
    QStringList said;
};

}  // namespace

TEST(RUpdater, MessagesAreWordedInTheLanguageOfItsTable)
{
    int argc = 1;
    char name[] = "updater_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);  // QProcess watches its child through the event dispatcher

    TempDir dir;
    const QString folder = QString::fromStdString(dir.Path().string());
    RMultiLang lang(0);
    RUpdater updater(folder, "/opt/loggard/loggard");
    updater.Lang = &lang;
    updater.TimeoutMs = 300;
    Hooks hooks;
    EXPECT_EQ(updater.CheckForUpdates(nullptr), RUpdater::Result::Failed);
    WriteUpdater(dir, 1);
    EXPECT_EQ(updater.CheckForUpdates(nullptr), RUpdater::Result::NoUpdate);
    WriteUpdater(dir, 2);
    EXPECT_EQ(updater.CheckForUpdates(nullptr), RUpdater::Result::Declined);
    WriteUpdater(dir, -1);
    EXPECT_EQ(updater.CheckForUpdates(nullptr), RUpdater::Result::Failed);
    EXPECT_EQ(hooks.said, (QStringList{"Update program not found: " + updater.UpdaterPath(),
                                       "Update system|No updates found",
                                       "Update system|Updates are available. Update now?",
                                       "The update program did not answer within 0.3 s."}));

    // A copy keeps following the window's table.
    const RUpdater copy = updater;
    lang.SetLanguage(1);
    hooks.said.clear();
    WriteUpdater(dir, 1);
    EXPECT_EQ(copy.CheckForUpdates(nullptr), RUpdater::Result::NoUpdate);
    EXPECT_EQ(hooks.said, QStringList{QString::fromUtf8("Система обновлений|Обновлений не обнаружено")});
}
