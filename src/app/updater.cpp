#include "app/updater.h"

#include "app/dialog_hooks.h"
#include "app/multi_lang.h"
#include "app/product_info.h"
#include "app/wait_cursor.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace {

// The texts of `lang`, or the Russian ones when the caller gave none.
const RMultiLang& Texts(const RMultiLang* lang)
{
    static const RMultiLang russian(1);
    return lang ? *lang : russian;
}

QString Say(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

RUpdater::RUpdater(QString appDir, QString appPath)
    : appDir_(appDir.isEmpty() ? QCoreApplication::applicationDirPath() : std::move(appDir)),
      appPath_(appPath.isEmpty() ? QCoreApplication::applicationFilePath() : std::move(appPath))
{
}

QString RUpdater::UpdaterPath() const { return appDir_ + "/" + ProductInfo::kUpdaterFile; }

RUpdater::Result RUpdater::CheckForUpdates(QWidget* parent) const
{
    const RMultiLang& texts = Texts(Lang);
    const QString program = UpdaterPath();
    const QString url = QString::fromUtf8(ProductInfo::kUpdateUrl);
    if (!QFileInfo::exists(program)) {
        RDialogHooks::ShowError(parent, Say(texts.UpdaterNotFound()).arg(program));
        return Result::Failed;
    }

    QProcess process;
    process.setWorkingDirectory(appDir_);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    {
        const RWaitCursor wait;
        process.start(program, {"/c", url});
        if (!process.waitForStarted(TimeoutMs)) {
            RDialogHooks::ShowError(parent, Say(texts.UpdaterNotStarted()).arg(program) + ": " + process.errorString());
            return Result::Failed;
        }
        if (!process.waitForFinished(TimeoutMs)) {
            process.kill();
            process.waitForFinished(1000);
            RDialogHooks::ShowError(parent, Say(texts.UpdaterNoAnswer()).arg(TimeoutMs / 1000.0));
            return Result::Failed;
        }
    }
    if (process.exitStatus() != QProcess::NormalExit) {
        RDialogHooks::ShowError(parent, Say(texts.UpdaterCrashed()));
        return Result::Failed;
    }

    const QString title = Say(texts.UpdateSystem());
    switch (process.exitCode()) {
    case 2:
        if (!RDialogHooks::Ask(parent, title, Say(texts.UpdateAvailable())))
            return Result::Declined;
        if (!QProcess::startDetached(program, {"/u", url, appPath_}, appDir_)) {
            RDialogHooks::ShowError(parent, Say(texts.UpdaterNotStarted()).arg(program));
            return Result::Failed;
        }
        return Result::UpdateStarted;
    case 1: RDialogHooks::Inform(parent, title, Say(texts.NoUpdates())); return Result::NoUpdate;
    default: return Result::Other;
    }
}
