// File text as the viewer's widgets show it: control characters of a LAS
// file as visible symbols in the message lists.

#include "app/las_text.h"
#include "app/main_form.h"
#include "support/temp_dir.h"

#include <QTest>

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
};

QTEST_MAIN(LasTextTest)
#include "las_text_test.moc"
