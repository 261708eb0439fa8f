#pragma once
// RWaitCursor: the application's wait cursor for the lifetime of the object,
// while a file is read or written or a check blocks the window. Without a
// QApplication (a command-line run of the updater) it does nothing.

#include <QApplication>

class RWaitCursor {
public:
    RWaitCursor()
    {
        if (Shown())
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~RWaitCursor()
    {
        if (Shown())
            QApplication::restoreOverrideCursor();
    }
    RWaitCursor(const RWaitCursor&) = delete;
    RWaitCursor& operator=(const RWaitCursor&) = delete;

private:
    static bool Shown() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }
};
