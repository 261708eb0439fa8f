#include "app/help_launcher.h"

#include "app/dialog_hooks.h"
#include "app/multi_lang.h"
#include "app/product_info.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrlQuery>

namespace {

// The texts of `lang`, or the Russian ones when the caller gave none.
const RMultiLang& Texts(const RMultiLang* lang)
{
    static const RMultiLang russian(1);
    return lang ? *lang : russian;
}

QString Say(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

RHelpLauncher::RHelpLauncher(QString appDir)
    : appDir_(appDir.isEmpty() ? QCoreApplication::applicationDirPath() : std::move(appDir))
{
}

QString RHelpLauncher::HelpPath() const { return appDir_ + "/" + ProductInfo::kHelpFile; }

bool RHelpLauncher::OpenHelp(QWidget* parent) const
{
    const RMultiLang& texts = Texts(Lang);
    const QString path = HelpPath();
    if (!QFileInfo::exists(path)) {
        RDialogHooks::ShowError(parent, Say(texts.HelpNotFound()).arg(path));
        return false;
    }
    if (!RDialogHooks::OpenUrl(QUrl::fromLocalFile(path))) {
        RDialogHooks::ShowError(parent, Say(texts.HelpNotOpened()).arg(path));
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

bool RHelpLauncher::MailSupport(QWidget* parent, const QString& address, const RMultiLang* lang)
{
    if (RDialogHooks::OpenUrl(SupportMailUrl(address)))
        return true;
    RDialogHooks::ShowError(parent, Say(Texts(lang).MailNotOpened()).arg(address));
    return false;
}
