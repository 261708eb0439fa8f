// File text as the viewer's widgets show it: control characters of a LAS
// file as visible symbols in the message lists.

#include "app/dialog_hooks.h"
#include "app/las_text.h"
#include "app/main_form.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <memory>

namespace {

// Characters a widget would show as nothing, or act on: C0 but line breaks
// and tabs, DEL and C1.
QString Controls(const QString& text)
{
    QString found;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if ((code < 0x20 && code != u'\n' && code != u'\t' && code != u'\r') || (code >= 0x7F && code <= 0x9F))
            found += QString::number(code, 16) + ' ';
    }
    return found;
}

}  // namespace

class LasTextTest : public QObject {
    Q_OBJECT

private slots:
    void ControlCharactersBecomeVisibleSymbols()
    {
        const QString text = QString::fromUtf8("GR\x1b]0;t\x07 \x7f ГК \xc2\x9b" "2J a\rb\r\nc\td\n\x01");
        QCOMPARE(LasText::Visible(text), QString::fromUtf8("GR␛]0;t␇ ␡ ГК \\x9b2J a␍b\r\nc\td\n␁"));
        QCOMPARE(LasText::Visible(QStringList{"\x1b", "plain"}), (QStringList{QString::fromUtf8("␛"), "plain"}));
        QCOMPARE(LasText::Visible(QString()), QString());
    }

    void MessageListsShowAFilesControlCharacters()
    {
        // A file named with a title sequence whose data line, too long,
        // holds one too.
        TempDir dir;
        const std::string path = dir.File("t\x1b]0;x\x07.las");
        std::ofstream(path, std::ios::binary)
            << "~Version\n VERS. 2.0 : X\n WRAP. NO : Y\n~Well\n STRT.M 1000 : A\n STOP.M 1000.5 : B\n"
               " STEP.M 0.5 : C\n NULL. -999.25 : N\n~Curve\n DEPT.M : D\n GR.GAPI : G\n"
               "~A\n1000 10\n1000.5 20 \x1b[2J 30\n";
        QStringList headings, messages;
        TFrmMain window(QString::fromStdString(dir.Path().string()), {});
        window.ShowMessages = [&](QWidget*, const QString& heading, const QStringList& shown) {
            headings << heading;
            messages << shown;
        };
        QVERIFY(window.OpenLasFile(QString::fromStdString(path)));
        QCOMPARE(headings.size(), 1);
        QVERIFY2(headings[0].contains(QString::fromUtf8("t␛]0;x␇.las")), qPrintable(headings[0]));
        QVERIFY2(Controls(headings[0]).isEmpty(), qPrintable(Controls(headings[0])));
        QVERIFY(!messages.isEmpty());
        for (const QString& message : messages)
            QVERIFY2(Controls(message).isEmpty(), qPrintable(message));
        // The core quotes the line's ESC as \x1b: visible already, kept.
        QVERIFY2(messages.join('\n').contains("1000.5 20 \\x1b[2J 30"), qPrintable(messages.join('\n')));
    }

    void MessageBoxesShowTheFilesTextAsText()
    {
        // A LAS line that reads like a link stays text in the error box, in
        // the message list and in the header memo.
        RDialogHooks::Reset();
        const QString link = "<a href=\"https://example.invalid\">click</a>";
        QString shownText;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shownText = box->text();
            format = box->textFormat();
            box->accept();
        });
        RDialogHooks::ShowError(nullptr, link);
        QCOMPARE(shownText, link);
        QCOMPARE(format, Qt::PlainText);

        TempDir dir;
        const std::string path = dir.File("a.las");
        std::ofstream(path, std::ios::binary)
            << "~Version\n VERS. 2.0 : X\n WRAP. NO : Y\n~Well\n STRT.M 1000 : A\n STOP.M 1000.5 : B\n"
               " STEP.M 0.5 : C\n NULL. -999.25 : N\n WELL. <b>W\x1b</b> : WELL\n~Curve\n DEPT.M : D\n GR.GAPI : G\n"
               "~A\n1000 10\n1000.5 20 <a href=x>y</a>\n";
        TFrmMain window(QString::fromStdString(dir.Path().string()), {});
        QString informative;
        // The box comes once the load's own event loop has ended.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* box = window.findChild<QMessageBox*>("MessagesBox"); box && box->isVisible()) {
                informative = box->informativeText();
                box->accept();
            }
        });
        poll.start(10);
        QVERIFY(window.OpenLasFile(QString::fromStdString(path)));
        poll.stop();
        QVERIFY2(informative.contains("&lt;a href=x&gt;y&lt;/a&gt;"), qPrintable(informative));
        window.ShowInfo(true);
        const QString memo = window.findChild<QPlainTextEdit*>("memoInfo")->toPlainText();
        QVERIFY(memo.contains(QString::fromUtf8("<b>W␛</b>")));
        RDialogHooks::Reset();
    }
};

QTEST_MAIN(LasTextTest)
#include "las_text_test.moc"
