#pragma once
// RHelpLauncher: the help document beside the executable and the support
// mail, handed to the desktop. Used by the About window and the main
// window's menu. Failures are shown to the user.

#include <QString>
#include <QUrl>

class QWidget;
class RMultiLang;

class RHelpLauncher {
public:
    // The folder holding the executable (and Help.pdf).
    explicit RHelpLauncher(QString appDir = {});

    QString HelpPath() const;
    // Opens Help.pdf; false (after a message) when it is missing or
    // nothing opens it.
    bool OpenHelp(QWidget* parent) const;

    // "mailto:" + address + "?subject=" + the support subject.
    static QUrl SupportMailUrl(const QString& address);
    // Starts a mail to `address` in the user's mail program; a failure is
    // worded in `lang`'s language (none: Russian).
    static bool MailSupport(QWidget* parent, const QString& address, const RMultiLang* lang = nullptr);

    // The interface texts the messages are worded in, in their current
    // language (the window's own table); none words them in Russian.
    const RMultiLang* Lang = nullptr;

private:
    QString appDir_;
};
