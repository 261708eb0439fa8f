// The loggard program as a user starts it: options answered without a
// display, and SIGTERM or SIGINT closing the window as the user would, so
// that mainSettings.ini is written.

#include "support/temp_dir.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <fstream>
#include <utility>

namespace {

const QString kProgram = QString(LOGGARD_BIN_DIR) + "/loggard";

QProcessEnvironment Environment(bool display)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    if (display)
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    else
        environment.remove("QT_QPA_PLATFORM");
    return environment;
}

}  // namespace

class LoggardProgramTest : public QObject {
    Q_OBJECT

private slots:
    void HelpAndVersionNeedNoDisplay()
    {
        for (const QString option : {"--help", "-h", "--version"}) {
            QProcess program;
            program.setProcessEnvironment(Environment(false));
            program.start(kProgram, {option});
            QVERIFY(program.waitForFinished(10000));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
            const QString out = QString::fromUtf8(program.readAllStandardOutput());
            QVERIFY2(out.startsWith(option == "--version" ? "loggard " : "usage: loggard [FILE.las]"), qPrintable(out));
        }
    }

    void TermAndInterruptCloseTheWindowAndWriteTheIni()
    {
        // Twice in a row, before the first is answered, is still only a
        // request to close while no save is under way.
        for (const auto& [signalNumber, count] : {std::pair{SIGTERM, 1}, std::pair{SIGINT, 1}, std::pair{SIGTERM, 2}}) {
            // A copy of the program, so that its settings land in the
            // temporary folder beside it.
            const TempDir dir;
            const QString copy = QString::fromStdString(dir.File("loggard"));
            QVERIFY(QFile::copy(kProgram, copy));
            std::ofstream(dir.File("mainSettings.ini")) << "[Language]\nlang=1\n";
            const std::string las = dir.File("a.las");
            std::ofstream(las) << "~V\n VERS. 2.0 :\n WRAP. NO :\n~W\n STRT.M 1 :\n STOP.M 3 :\n STEP.M 1 :\n"
                                  " NULL. -999.25 :\n~C\n DEPT.M :\n GR.API :\n~A\n1 10\n2 20\n3 30\n";
            QProcess program;
            program.setProcessEnvironment(Environment(true));
            program.start(copy, {QString::fromStdString(las)});
            QVERIFY(program.waitForStarted(10000));
            QTest::qWait(1500);  // the window is up and the file open
            QCOMPARE(program.state(), QProcess::Running);
            for (int i = 0; i < count; ++i)
                ::kill(program.processId(), signalNumber);
            QVERIFY(program.waitForFinished(10000));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
            QFile ini(QString::fromStdString(dir.File("mainSettings.ini")));
            QVERIFY(ini.open(QIODevice::ReadOnly));
            const QByteArray text = ini.readAll();
            QVERIFY2(text.contains("lang=1\n") && text.contains("viewSizeY=1\n"), text.constData());
        }
    }
};

QTEST_MAIN(LoggardProgramTest)
#include "loggard_program_test.moc"
