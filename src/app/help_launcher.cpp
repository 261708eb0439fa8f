#include "app/help_launcher.h"

#include "app/dialog_hooks.h"
#include "app/product_info.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrlQuery>

RHelpLauncher::RHelpLauncher(QString appDir)
    : appDir_(appDir.isEmpty() ? QCoreApplication::applicationDirPath() : std::move(appDir))
{
}

QString RHelpLauncher::HelpPath() const { return appDir_ + "/" + ProductInfo::kHelpFile; }

bool RHelpLauncher::OpenHelp(QWidget* parent) const
{
    const QString path = HelpPath();
    if (!QFileInfo::exists(path)) {
        RDialogHooks::ShowError(parent, QString::fromUtf8("Не найден файл справки ") + path);
        return false;
    }
    if (!RDialogHooks::OpenUrl(QUrl::fromLocalFile(path))) {
        RDialogHooks::ShowError(parent, QString::fromUtf8("Не удалось открыть файл справки ") + path);
        return false;
    }
    return true;
}

QUrl RHelpLauncher::SupportMailUrl(const QString& address)
{
    // The query is encoded by QUrlQuery, so a subject with blanks, "&" or
    // Cyrillic letters reaches the mail program whole.
    QUrl url;
    url.setScheme("mailto");
    url.setPath(address);
    QUrlQuery query;
    // The stored subject has its blanks as %20; QUrlQuery encodes them again.
    query.addQueryItem("subject", QUrl::fromPercentEncoding(ProductInfo::kSupportSubject)
                                      + QString::fromUtf8(ProductInfo::kProductLine));
    url.setQuery(query);
    return url;
}

bool RHelpLauncher::MailSupport(QWidget* parent, const QString& address)
{
    if (RDialogHooks::OpenUrl(SupportMailUrl(address)))
        return true;
    RDialogHooks::ShowError(parent, QString::fromUtf8("Не удалось открыть почтовую программу для ") + address);
    return false;
}
