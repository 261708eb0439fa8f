#include "app/about_form.h"

#include "app/multi_lang.h"
#include "dialog_test_support.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrlQuery>

#include <fstream>

namespace {

template <class T>
T* Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(name);
    if (!child)
        qFatal("no child %s", name);
    return child;
}

// An updater that records its command lines in calls.txt and exits with
// the code in the file "code" (sleeping first while "hang" exists).
void WriteUpdater(const TempDir& dir, int code)
{
    const std::string path = dir.File("upd");
    std::ofstream(path) << "#!/bin/sh\n"
                           "here=$(dirname \"$0\")\n"
                           "echo \"$*\" >> \"$here/calls.txt\"\n"
                           "[ \"$1\" = \"/u\" ] && exit 0\n"
                           "[ -f \"$here/hang\" ] && exec sleep 10\n"
                           "exit $(cat \"$here/code\")\n";
    QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    std::ofstream(dir.File("code")) << code;
}

QStringList Calls(const TempDir& dir)
{
    QFile file(QString::fromStdString(dir.File("calls.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

class AboutFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir;
    QString Dir() const { return QString::fromStdString(dir->Path().string()); }
    RUpdater Updater() const { return RUpdater(Dir(), "/opt/loggard/loggard"); }

private slots:
    void init() { dir = std::make_unique<TempDir>(); }

    void RussianWindowAndLanguageChange()
    {
        RMultiLang lang(1);
        int relabels = 0;
        TfrmAbout about(nullptr, lang, [&] { ++relabels; }, Updater(), RHelpLauncher(Dir()));
        QCOMPARE(Child<QLabel>(about, "Label5")->text(), QString("ТРЕЛ-Каротаж"));
        QCOMPARE(Child<QPushButton>(about, "btnHelp")->text(), QString("Помощь"));
        QCOMPARE(Child<QPushButton>(about, "btnUpdate")->text(), QString("Обновить"));
        QCOMPARE(Child<QPushButton>(about, "Button1")->text(), QString("OK"));
        auto* languages = Child<QComboBox>(about, "cbLang");
        QCOMPARE(languages->currentIndex(), 1);
        QVERIFY(!languages->itemIcon(0).isNull() && !languages->itemIcon(1).isNull());

        languages->setCurrentIndex(0);
        emit languages->activated(0);
        QCOMPARE(lang.Language(), 0);
        QCOMPARE(relabels, 1);
        QCOMPARE(Child<QPushButton>(about, "btnHelp")->text(), QString("Help"));
        QCOMPARE(Child<QPushButton>(about, "btnUpdate")->text(), QString("Update"));
    }

    void TitleIsTheMainCaptionInTheChosenLanguage()
    {
        RMultiLang lang(1);
        {
            TfrmAbout about(nullptr, lang, {}, Updater(), RHelpLauncher(Dir()));
            QCOMPARE(about.windowTitle(), QString("Визуализатор данных каротажа"));
        }
        // The main window gives its own caption, its file name after it.
        lang.SetLanguage(0);
        TfrmAbout about(nullptr, lang, {}, Updater(), RHelpLauncher(Dir()));
        about.setWindowTitle("Well logs viewer [well.las]");
        auto* languages = Child<QComboBox>(about, "cbLang");
        languages->setCurrentIndex(1);
        emit languages->activated(1);
        QCOMPARE(about.windowTitle(), QString("Визуализатор данных каротажа [well.las]"));
        languages->setCurrentIndex(0);
        emit languages->activated(0);
        QCOMPARE(about.windowTitle(), QString("Well logs viewer [well.las]"));
        // A title of the caller's own is left alone.
        about.setWindowTitle("Loggard");
        emit languages->activated(1);
        QCOMPARE(about.windowTitle(), QString("Loggard"));
    }

    void SupportMailAndHelp()
    {
        HookRecorder hooks;
        RMultiLang lang(0);
        TfrmAbout about(nullptr, lang, {}, Updater(), RHelpLauncher(Dir()));
        const QString address = Child<QLabel>(about, "Label3")->text().section('"', 1, 1);
        QVERIFY(address.contains('@'));
        emit Child<QLabel>(about, "Label3")->linkActivated(address);
        QCOMPARE(hooks.urls.size(), std::size_t(1));
        const QUrl mail = hooks.urls[0];
        QCOMPARE(mail.scheme(), QString("mailto"));
        QCOMPARE(mail.path(), address);
        QCOMPARE(QUrlQuery(mail).queryItemValue("subject", QUrl::FullyDecoded),
                 QString("В службу поддержки ТРЕЛ-Каротаж"));

        // No help file: said so, nothing opened.
        Child<QPushButton>(about, "btnHelp")->click();
        QCOMPARE(hooks.errors.size(), 1);
        QVERIFY(hooks.errors[0].endsWith("/Help.pdf"));
        QCOMPARE(hooks.urls.size(), std::size_t(1));
        std::ofstream(dir->File("Help.pdf")) << "%PDF-1.4\n";
        Child<QPushButton>(about, "btnHelp")->click();
        QCOMPARE(hooks.urls.size(), std::size_t(2));
        QCOMPARE(hooks.urls[1], QUrl::fromLocalFile(Dir() + "/Help.pdf"));
    }

    void UpdateCheckAnswers()
    {
        HookRecorder hooks;
        const RUpdater updater = Updater();
        WriteUpdater(*dir, 1);
        QCOMPARE(updater.CheckForUpdates(nullptr), RUpdater::Result::NoUpdate);
        QCOMPARE(hooks.informed, QStringList{"Система обновлений|Обновлений не обнаружено"});
        QCOMPARE(Calls(*dir), QStringList{"/c https://updates.loggard.example/loggard"});

        WriteUpdater(*dir, 0);
        QCOMPARE(updater.CheckForUpdates(nullptr), RUpdater::Result::Other);
        WriteUpdater(*dir, 2);
        hooks.answerYes = false;
        QCOMPARE(updater.CheckForUpdates(nullptr), RUpdater::Result::Declined);
        QCOMPARE(hooks.asked, QStringList{"Система обновлений|Есть обновления. Обновить?"});
        QVERIFY(hooks.errors.isEmpty());
        QCOMPARE(hooks.informed.size(), 1);
        QCOMPARE(Calls(*dir).size(), 3);
    }

    void AcceptedUpdateClosesTheWindow()
    {
        HookRecorder hooks;
        hooks.answerYes = true;
        WriteUpdater(*dir, 2);
        RMultiLang lang(0);
        TfrmAbout about(nullptr, lang, {}, Updater(), RHelpLauncher(Dir()));
        about.show();
        Child<QPushButton>(about, "btnUpdate")->click();
        QVERIFY(about.UpdateStarted());
        QCOMPARE(about.result(), int(QDialog::Accepted));
        QVERIFY(!about.isVisible());
        // The updater is started on its own with the executable to replace.
        QTRY_COMPARE(Calls(*dir).size(), 2);
        QCOMPARE(Calls(*dir)[1], QString("/u https://updates.loggard.example/loggard /opt/loggard/loggard"));
    }

    void FailuresAreReported()
    {
        HookRecorder hooks;
        RUpdater updater = Updater();
        QCOMPARE(updater.CheckForUpdates(nullptr), RUpdater::Result::Failed);  // no updater
        QCOMPARE(hooks.errors.size(), 1);
        QVERIFY(hooks.errors[0].startsWith("Не найдена программа обновления "));

        WriteUpdater(*dir, 2);
        std::ofstream(dir->File("hang")) << "";
        updater.TimeoutMs = 300;
        QCOMPARE(updater.CheckForUpdates(nullptr), RUpdater::Result::Failed);
        QCOMPARE(hooks.errors.size(), 2);
        QVERIFY2(hooks.errors[1].startsWith("Программа обновления не ответила"), qPrintable(hooks.errors[1]));
        QVERIFY(hooks.asked.isEmpty());
    }
};

QTEST_MAIN(AboutFormTest)
#include "about_form_test.moc"
