#pragma once
// RSignalCloser: SIGTERM and SIGINT close the main window as if the user
// had closed it, so that its destructor writes mainSettings.ini, as a
// desktop session's logout or a Ctrl+C in the terminal expect.
//
// The signal handler only writes a byte into a pipe; the event loop reads
// it, closes the open modal dialogs and then the window.
//
// A save runs on the event loop's thread, so a signal during one is
// answered when the save is done: the file the user asked for is written
// whole, then the window closes. A second signal while the first is still
// unanswered and a save is under way is a demand to stop now: the handler
// removes the save's temporary file (RAtomicFile::UnlinkPendingOnSignal)
// and the signal's default action ends the program, the old file intact.
// Without a save under way a second signal is only another request to close.

#include <QObject>

#include <memory>

class QSocketNotifier;
class QWidget;

// Until a closer is installed and once it is gone (the window's destructor
// writes the settings files): SIGTERM and SIGINT remove the temporaries of
// the saves under way and end the program as the signal's default would.
void RemoveSaveTemporariesOnSignals();

class RSignalCloser : public QObject {
    Q_OBJECT
public:
    // One at a time: installs the handlers, and puts the previous ones back
    // when it goes.
    explicit RSignalCloser(QWidget& window);
    ~RSignalCloser() override;

    // What a signal does, on the event loop.
    void CloseWindow();

private:
    QWidget& window_;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};
