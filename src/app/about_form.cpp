#include "app/about_form.h"

#include "app/multi_lang.h"
#include "app/product_info.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kFlagWidth = 24, kFlagHeight = 16;

QPixmap EnglishFlag()
{
    QPixmap flag(kFlagWidth, kFlagHeight);
    flag.fill(QColor(1, 33, 105));
    QPainter p(&flag);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    p.drawLine(0, 0, kFlagWidth, kFlagHeight);
    p.drawLine(0, kFlagHeight, kFlagWidth, 0);
    p.setPen(QPen(QColor(200, 16, 46), 1.5));
    p.drawLine(0, 0, kFlagWidth, kFlagHeight);
    p.drawLine(0, kFlagHeight, kFlagWidth, 0);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(kFlagWidth / 2 - 3, 0, 6, kFlagHeight, Qt::white);
    p.fillRect(0, kFlagHeight / 2 - 3, kFlagWidth, 6, Qt::white);
    p.fillRect(kFlagWidth / 2 - 2, 0, 4, kFlagHeight, QColor(200, 16, 46));
    p.fillRect(0, kFlagHeight / 2 - 2, kFlagWidth, 4, QColor(200, 16, 46));
    return flag;
}

QPixmap RussianFlag()
{
    QPixmap flag(kFlagWidth, kFlagHeight);
    QPainter p(&flag);
    const int band = kFlagHeight / 3;
    p.fillRect(0, 0, kFlagWidth, band, Qt::white);
    p.fillRect(0, band, kFlagWidth, band, QColor(0, 57, 166));
    p.fillRect(0, 2 * band, kFlagWidth, kFlagHeight - 2 * band, QColor(213, 43, 30));
    p.setPen(QColor(160, 160, 160));
    p.drawRect(0, 0, kFlagWidth - 1, kFlagHeight - 1);
    return flag;
}

// A log track with a curve: the program's mark.
QPixmap Logo()
{
    QPixmap logo(64, 64);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6.5, 2.5, 51, 59), 4, 4);
    p.setPen(QPen(QColor(200, 200, 200), 1));
    for (int y = 12; y < 60; y += 10)
        p.drawLine(8, y, 56, y);
    QPainterPath curve;
    const double xs[] = {20, 34, 26, 44, 30, 48, 24, 38, 28};
    curve.moveTo(xs[0], 4);
    for (int i = 1; i < 9; ++i)
        curve.lineTo(xs[i], 4 + i * 7);
    p.setPen(QPen(QColor(0, 110, 60), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    return logo;
}

QString MailLink(const char* address)
{
    return QString("<a href=\"%1\">%1</a>").arg(QString::fromUtf8(address));
}

}  // namespace

TfrmAbout::TfrmAbout(QWidget* parent, RMultiLang& lang, std::function<void()> onLanguageChanged, RUpdater updater,
                     RHelpLauncher help)
    : QDialog(parent), lang_(lang), onLanguageChanged_(std::move(onLanguageChanged)), updater_(std::move(updater)),
      help_(std::move(help))
{
    setObjectName("frmAbout");
    setWindowTitle(QString::fromStdString(lang.MainCaption()));

    const auto label = [this](const char* name, const QString& text) {
        auto* widget = new QLabel(text, this);
        widget->setObjectName(name);
        return widget;
    };
    Image1_ = label("Image1", QString());
    Image1_->setPixmap(Logo());
    Label5_ = label("Label5", QString::fromUtf8(ProductInfo::kProductLine));
    QFont big = Label5_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    Label5_->setFont(big);
    Label1_ = label("Label1", QString::fromUtf8(ProductInfo::kMaker));
    Label2_ = label("Label2", QString::fromUtf8(ProductInfo::kYears));
    Label3_ = label("Label3", MailLink(ProductInfo::kSupportMail));
    Label4_ = label("Label4", MailLink(ProductInfo::kSupportMail2));
    for (QLabel* mail : {Label3_, Label4_}) {
        mail->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        mail->setCursor(Qt::PointingHandCursor);
        connect(mail, &QLabel::linkActivated, this, &TfrmAbout::Label4Click);
    }

    Button1_ = new QPushButton("OK", this);
    Button1_->setObjectName("Button1");
    Button1_->setDefault(true);
    btnHelp_ = new QPushButton(this);
    btnHelp_->setObjectName("btnHelp");
    btnUpdate_ = new QPushButton(this);
    btnUpdate_->setObjectName("btnUpdate");
    cbLang_ = new QComboBox(this);
    cbLang_->setObjectName("cbLang");
    cbLang_->setIconSize(QSize(kFlagWidth, kFlagHeight));
    cbLang_->addItem(QIcon(EnglishFlag()), "English");
    cbLang_->addItem(QIcon(RussianFlag()), QString::fromUtf8("Русский"));
    cbLang_->setCurrentIndex(lang.Language() == 1 ? 1 : 0);
    SetButtonTexts();

    auto* text = new QVBoxLayout;
    text->addWidget(Label5_);
    text->addWidget(Label1_);
    text->addWidget(Label2_);
    text->addSpacing(8);
    text->addWidget(Label3_);
    text->addWidget(Label4_);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(Image1_, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cbLang_);
    buttons->addStretch();
    buttons->addWidget(btnHelp_);
    buttons->addWidget(btnUpdate_);
    buttons->addWidget(Button1_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnHelp_, &QPushButton::clicked, this, &TfrmAbout::btnHelpClick);
    connect(btnUpdate_, &QPushButton::clicked, this, &TfrmAbout::btnUpdateClick);
    connect(cbLang_, &QComboBox::activated, this, &TfrmAbout::cbLangChange);
}

void TfrmAbout::SetButtonTexts()
{
    btnHelp_->setText(QString::fromStdString(lang_.Help()));
    btnUpdate_->setText(QString::fromStdString(lang_.Update()));
}

void TfrmAbout::Label4Click(const QString& address) { RHelpLauncher::MailSupport(this, address, &lang_); }

void TfrmAbout::btnHelpClick() { help_.OpenHelp(this); }

void TfrmAbout::btnUpdateClick()
{
    if (updater_.CheckForUpdates(this) != RUpdater::Result::UpdateStarted)
        return;
    // The caller closes the program once this window has returned.
    updateStarted_ = true;
    accept();
}

void TfrmAbout::cbLangChange(int index)
{
    if (index < 0 || index > 1)
        return;
    const QString oldCaption = QString::fromStdString(lang_.MainCaption());
    lang_.SetLanguage(static_cast<std::uint8_t>(index));
    if (onLanguageChanged_)
        onLanguageChanged_();
    SetButtonTexts();
    // The title is the main window's caption, a file name perhaps after it
    // ("Well logs viewer [well.las]"): the caption changes language, the
    // rest stays.
    const QString caption = QString::fromStdString(lang_.MainCaption());
    const QString title = windowTitle();
    if (title.isEmpty())
        setWindowTitle(caption);
    else if (title.startsWith(oldCaption))
        setWindowTitle(caption + title.mid(oldCaption.size()));
}
