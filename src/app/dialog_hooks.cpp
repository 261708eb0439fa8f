#include "app/dialog_hooks.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace {

QString Title(QWidget* parent)
{
    if (parent && !parent->window()->windowTitle().isEmpty())
        return parent->window()->windowTitle();
    return QApplication::applicationDisplayName();
}

// Messages quote paths and lines of files: they are shown as plain text,
// never read as rich text, so that a LAS line like <a href=...> stays text.
int PlainBox(QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text,
             QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, QString(), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    return box.exec();
}

void DefaultShowError(QWidget* parent, const QString& text)
{
    PlainBox(QMessageBox::Critical, parent, Title(parent), text, QMessageBox::Ok);
}

void DefaultInform(QWidget* parent, const QString& title, const QString& text)
{
    PlainBox(QMessageBox::Information, parent, title, text, QMessageBox::Ok);
}

bool DefaultAsk(QWidget* parent, const QString& title, const QString& text)
{
    return PlainBox(QMessageBox::Question, parent, title, text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

QColor DefaultPickColor(QWidget* parent, const QColor& initial) { return QColorDialog::getColor(initial, parent); }

bool DefaultOpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace

std::function<void(QWidget*, const QString&)> RDialogHooks::ShowError = DefaultShowError;
std::function<void(QWidget*, const QString&, const QString&)> RDialogHooks::Inform = DefaultInform;
std::function<bool(QWidget*, const QString&, const QString&)> RDialogHooks::Ask = DefaultAsk;
std::function<QColor(QWidget*, const QColor&)> RDialogHooks::PickColor = DefaultPickColor;
std::function<bool(const QUrl&)> RDialogHooks::OpenUrl = DefaultOpenUrl;

void RDialogHooks::Reset()
{
    ShowError = DefaultShowError;
    Inform = DefaultInform;
    Ask = DefaultAsk;
    PickColor = DefaultPickColor;
    OpenUrl = DefaultOpenUrl;
}
