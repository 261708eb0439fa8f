#include "app/signal_closer.h"

#include "container/atomic_file.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QWidget>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int gWriteEnd = -1;
struct sigaction gPreviousTerm, gPreviousInt;
// A signal written into the pipe that the event loop has not read yet.
std::atomic<bool> gUnanswered{false};
static_assert(std::atomic<bool>::is_always_lock_free, "signal handlers need lock-free atomics");

void RemoveTemporariesAndDie(int signalNumber)
{
    RAtomicFile::UnlinkPendingOnSignal();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void OnSignal(int signalNumber)
{
    // The event loop is busy with a save since the last signal: stop now,
    // leaving no temporary behind.
    if (gUnanswered.exchange(true) && RAtomicFile::UnlinkPendingOnSignal() > 0) {
        std::signal(signalNumber, SIG_DFL);
        std::raise(signalNumber);
        return;
    }
    const char byte = char(signalNumber);
    // Nothing to be done in a signal handler when the pipe is full.
    if (gWriteEnd >= 0 && ::write(gWriteEnd, &byte, 1) < 0) {
    }
}

}  // namespace

void RemoveSaveTemporariesOnSignals()
{
    struct sigaction action = {};
    action.sa_handler = RemoveTemporariesAndDie;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

RSignalCloser::RSignalCloser(QWidget& window) : window_(window)
{
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    gWriteEnd = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
        }
        gUnanswered = false;
        CloseWindow();
    });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &gPreviousTerm);
    sigaction(SIGINT, &action, &gPreviousInt);
}

RSignalCloser::~RSignalCloser()
{
    if (pipe_[0] < 0)
        return;
    sigaction(SIGTERM, &gPreviousTerm, nullptr);
    sigaction(SIGINT, &gPreviousInt, nullptr);
    gWriteEnd = -1;
    notifier_.reset();
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void RSignalCloser::CloseWindow()
{
    // Modal dialogs first, innermost first; the window closes once their
    // loops have returned.
    for (QWidget* modal = QApplication::activeModalWidget(); modal; modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
    QMetaObject::invokeMethod(&window_, &QWidget::close, Qt::QueuedConnection);
}
