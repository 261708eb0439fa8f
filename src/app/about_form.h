#pragma once
// TfrmAbout: the About window: product line, maker, years, the support
// addresses (a click starts a mail), help, the update check and the
// interface language.
//
//     TfrmAbout about(this, lang, [this] { updateMainLabels(); });
//     about.setWindowTitle(windowTitle());
//     about.exec();
//     if (about.UpdateStarted())  // the updater waits for the program to end
//         QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
//
// Choosing a language sets it in `lang` at once, calls `onLanguageChanged`
// so the main window re-captions itself, and re-captions the help and
// update buttons and the window's title (the main window's caption,
// which the window starts with; what the caller added after it stays).

#include "app/help_launcher.h"
#include "app/updater.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class RMultiLang;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    TfrmAbout(QWidget* parent, RMultiLang& lang, std::function<void()> onLanguageChanged = {},
              RUpdater updater = RUpdater(), RHelpLauncher help = RHelpLauncher());

    bool UpdateStarted() const { return updateStarted_; }

public slots:
    // Label3 and Label4: a mail to the clicked address.
    void Label4Click(const QString& address);
    void btnHelpClick();
    void btnUpdateClick();
    void cbLangChange(int index);

private:
    void SetButtonTexts();

    RMultiLang& lang_;
    std::function<void()> onLanguageChanged_;
    RUpdater updater_;
    RHelpLauncher help_;
    bool updateStarted_ = false;

    QLabel* Image1_;
    QLabel* Label1_;
    QLabel* Label2_;
    QLabel* Label3_;
    QLabel* Label4_;
    QLabel* Label5_;
    QPushButton* Button1_;
    QPushButton* btnHelp_;
    QPushButton* btnUpdate_;
    QComboBox* cbLang_;
};
