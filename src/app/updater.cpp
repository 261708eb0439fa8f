#include "app/updater.h"

#include "app/dialog_hooks.h"
#include "app/product_info.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace {

QString Title() { return QString::fromUtf8("Система обновлений"); }

// A wait cursor for the time the check blocks the window.
struct WaitCursor {
    WaitCursor()
    {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            QApplication::restoreOverrideCursor();
    }
};

}  // namespace

RUpdater::RUpdater(QString appDir, QString appPath)
    : appDir_(appDir.isEmpty() ? QCoreApplication::applicationDirPath() : std::move(appDir)),
      appPath_(appPath.isEmpty() ? QCoreApplication::applicationFilePath() : std::move(appPath))
{
}

QString RUpdater::UpdaterPath() const { return appDir_ + "/" + ProductInfo::kUpdaterFile; }

RUpdater::Result RUpdater::CheckForUpdates(QWidget* parent) const
{
    const QString program = UpdaterPath();
    const QString url = QString::fromUtf8(ProductInfo::kUpdateUrl);
    if (!QFileInfo::exists(program)) {
        RDialogHooks::ShowError(parent, QString::fromUtf8("Не найдена программа обновления ") + program);
        return Result::Failed;
    }

    QProcess process;
    process.setWorkingDirectory(appDir_);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    {
        const WaitCursor wait;
        process.start(program, {"/c", url});
        if (!process.waitForStarted(TimeoutMs)) {
            RDialogHooks::ShowError(parent, QString::fromUtf8("Не удалось запустить программу обновления ") + program
                                                + ": " + process.errorString());
            return Result::Failed;
        }
        if (!process.waitForFinished(TimeoutMs)) {
            process.kill();
            process.waitForFinished(1000);
            RDialogHooks::ShowError(parent, QString::fromUtf8("Программа обновления не ответила за %1 с.")
                                                .arg(TimeoutMs / 1000.0));
            return Result::Failed;
        }
    }
    if (process.exitStatus() != QProcess::NormalExit) {
        RDialogHooks::ShowError(parent, QString::fromUtf8("Программа обновления завершилась аварийно."));
        return Result::Failed;
    }

    switch (process.exitCode()) {
    case 2:
        if (!RDialogHooks::Ask(parent, Title(), QString::fromUtf8("Есть обновления. Обновить?")))
            return Result::Declined;
        if (!QProcess::startDetached(program, {"/u", url, appPath_}, appDir_)) {
            RDialogHooks::ShowError(parent, QString::fromUtf8("Не удалось запустить программу обновления ") + program);
            return Result::Failed;
        }
        return Result::UpdateStarted;
    case 1: RDialogHooks::Inform(parent, Title(), QString::fromUtf8("Обновлений не обнаружено")); return Result::NoUpdate;
    default: return Result::Other;
    }
}
