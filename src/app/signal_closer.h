#pragma once
// RSignalCloser: SIGTERM and SIGINT close the main window as if the user
// had closed it, so that its destructor writes mainSettings.ini, as a
// desktop session's logout or a Ctrl+C in the terminal expect.
//
// The signal handler only writes a byte into a pipe; the event loop reads
// it, closes the open modal dialogs and then the window.

#include <QObject>

#include <memory>

class QSocketNotifier;
class QWidget;

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
