#pragma once
// RUpdater: the update check through the updater program beside the
// executable ("upd"), shared by the About window and the main window.
//
// The check runs "upd /c <service URL>" in the executable's folder and
// waits for it (at most a minute). Exit code 2: an update is available and
// the user is asked; on Yes "upd /u <service URL> <executable>" is started
// on its own and the caller closes the program so that the updater can
// replace it. Exit code 1: the user is told there is none. Any other code
// says nothing. An updater that is missing, does not start, hangs or
// crashes is reported.

#include <QString>

class QWidget;
class RMultiLang;

class RUpdater {
public:
    enum class Result {
        NoUpdate,       // told the user
        Declined,       // an update was offered and refused
        UpdateStarted,  // the caller must now close the program
        Failed,         // reported to the user
        Other,          // another exit code: nothing said
    };

    static constexpr int kDefaultTimeoutMs = 60000;

    // Empty: the running executable's folder and path.
    explicit RUpdater(QString appDir = {}, QString appPath = {});

    QString UpdaterPath() const;
    Result CheckForUpdates(QWidget* parent) const;

    int TimeoutMs = kDefaultTimeoutMs;
    // The interface texts the messages are worded in, in their current
    // language (the window's own table, so a change of language reaches
    // every copy); none words them in Russian.
    const RMultiLang* Lang = nullptr;

private:
    QString appDir_;
    QString appPath_;
};
