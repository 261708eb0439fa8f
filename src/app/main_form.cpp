#include "app/main_form.h"

#include "app/about_form.h"
#include "app/build_cross_plot_form.h"
#include "app/chart_widget.h"
#include "app/curve_construction_form.h"
#include "app/curve_settings_form.h"
#include "app/dialog_hooks.h"
#include "app/error_text.h"
#include "app/las_text.h"
#include "app/log_overlay.h"
#include "app/main_settings.h"
#include "app/mini_map.h"
#include "app/scale_track.h"
#include "app/toolbar_icons.h"
#include "chart/chart.h"
#include "view/las_core.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextDocument>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kButtonSize = 40;
constexpr int kToolbarHeight = 41;
constexpr int kMemoWidth = 300;
constexpr int kInfoPanelHeight = 20;
constexpr int kMiniMapWidth = 256;
// Shown in the message box itself; the rest under its details.
constexpr int kMessagesInText = 20;

QToolButton* SpeedButton(QWidget* parent, const char* name, const QIcon& icon, bool checkable = false)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFixedSize(kButtonSize, kButtonSize);
    button->setIconSize(QSize(28, 28));
    button->setIcon(icon);
    button->setCheckable(checkable);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// A hint with the command's shortcut: "Save (Ctrl+S)".
QString WithShortcut(const QString& hint, const QKeySequence& keys)
{
    return hint + " (" + keys.toString(QKeySequence::NativeText) + ")";
}

}  // namespace

TFrmMain::TFrmMain(QString settingsFolder, QStringList arguments, QWidget* parent)
    : QWidget(parent),
      LoadDocument(LoadDocumentFromFiles),
      settingsFolder_(std::move(settingsFolder)),
      arguments_(std::move(arguments)),
      sink_(*this)
{
    ChooseOpenFile = [this](QWidget* parent, const QString& suggested) {
        QFileDialog dialog(parent, QString(), QFileInfo(suggested).absolutePath(), Text(lang_.LasFilter()));
        dialog.setObjectName("odLas");
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    };
    ChooseSaveFile = [this](QWidget* parent, const QString& suggested) {
        QFileDialog dialog(parent, QString(), suggested, Text(lang_.LasFilter()));
        dialog.setObjectName("sdLas");
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix("las");
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    };
    ShowMessages = [this](QWidget* parent, const QString& heading, const QStringList& messages) {
        QMessageBox box(QMessageBox::Warning, parent ? parent->window()->windowTitle() : QString(), heading,
                        QMessageBox::Ok, parent);
        box.setObjectName("MessagesBox");
        // Quotes of the file stay text: a line like <a href=...> is no link.
        box.setTextFormat(Qt::PlainText);
        QStringList shown = messages.mid(0, kMessagesInText);
        if (messages.size() > kMessagesInText) {
            shown << Text(lang_.MoreMessages()).arg(messages.size() - kMessagesInText);
            box.setDetailedText(messages.join('\n'));
        }
        box.setInformativeText(Qt::convertFromPlainText(shown.join('\n'), Qt::WhiteSpaceNormal));
        box.exec();
    };
    AskDepth = [this](QWidget* parent, double current, double top, double bottom) -> std::optional<double> {
        bool ok = false;
        const double depth = QInputDialog::getDouble(parent, Text(lang_.GoToDepth()), Text(lang_.DepthToShow()),
                                                     current, std::min(top, bottom), std::max(top, bottom), 2, &ok);
        return ok ? std::optional<double>(depth) : std::nullopt;
    };

    // Their messages speak the window's language, whichever copy shows them.
    Updater.Lang = &lang_;
    Help.Lang = &lang_;

    setObjectName("FrmMain");
    setMinimumSize(800, 600);
    resize(990, 600);
    setAcceptDrops(true);
    loader_ = new RDocumentLoader(this);
    BuildControls();
    SetupCharts();

    // The language and the saved view from mainSettings.ini.
    const RMainSettings ini = RMainSettings::Load(PathBytes(MainSettingsPath()));
    lang_.SetLanguage(std::uint8_t(ini.Language));
    InstallQtTexts();
    updateMainLabels();
    cbLang_->blockSignals(true);
    cbLang_->setCurrentIndex(ini.Language);
    cbLang_->blockSignals(false);
    navigator_->SetSavedZoom({ini.OffsetX, ini.OffsetY, ini.ViewSizeX, ini.ViewSizeY});
    RChart& chart = LogChart();
    chart.SetOffsetX(ini.OffsetX);
    chart.SetOffsetY(ini.OffsetY);
    chart.SetViewSizeX(ini.ViewSizeX);
    chart.SetViewSizeY(ini.ViewSizeY);
    ShowInfo(false);

    // An empty document, its commands disabled.
    core_ = std::make_unique<RLasCore>();
    disableItAll();
}

TFrmMain::~TFrmMain()
{
    // Abandoned loads still log into this window's sink.
    delete loader_;
    // The charts let go of the document, then it goes.
    ClearCharts();
    core_.reset();
    RMainSettings ini;
    ini.Language = lang_.Language();
    const RChart& chart = LogChart();
    ini.OffsetX = chart.OffsetX();
    ini.OffsetY = chart.OffsetY();
    ini.ViewSizeX = chart.ViewSizeX();
    ini.ViewSizeY = chart.ViewSizeY();
    if (!ini.Save(PathBytes(MainSettingsPath())))
        qWarning("loggard: cannot write %s", qPrintable(MainSettingsPath()));
}

QString TFrmMain::MainSettingsPath() const { return settingsFolder_ + "/mainSettings.ini"; }
QString TFrmMain::ViewSettingsPath() const { return settingsFolder_ + "/settings.dat"; }
RChart& TFrmMain::LogChart() { return cViewLasFile_->Chart(); }
RChart& TFrmMain::MiniMapChart() { return cMiniMap_->Chart(); }

// --- Building the window -------------------------------------------------

void TFrmMain::BuildControls()
{
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    BuildToolbar();
    root->addWidget(pControls_);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    ScalePanel_ = new RScaleTrack(this);
    connect(ScalePanel_, &RScaleTrack::ScaleChosen, this,
            [this](int scale) { Guarded([&] { ShowScale(scale); }); });
    middle->addWidget(ScalePanel_);

    cMiniMap_ = new RChartWidget(this);
    cMiniMap_->setObjectName("cMiniMap");
    cMiniMap_->SetScrollBarsShown(false);
    cMiniMap_->setFixedWidth(kMiniMapWidth);
    cMiniMap_->setFocusPolicy(Qt::NoFocus);
    cMiniMap_->hide();
    middle->addWidget(cMiniMap_);

    Splitter1_ = new QSplitter(Qt::Horizontal, this);
    Splitter1_->setObjectName("Splitter1");
    Splitter1_->setChildrenCollapsible(false);
    cViewLasFile_ = new RChartWidget(Splitter1_);
    cViewLasFile_->setObjectName("cViewLasFile");
    cViewLasFile_->installEventFilter(this);
    memoInfo_ = new QPlainTextEdit(Splitter1_);
    memoInfo_->setObjectName("memoInfo");
    memoInfo_->setReadOnly(true);
    memoInfo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoInfo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoInfo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // LAS headers line their columns up with blanks.
    memoInfo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Splitter1_->addWidget(cViewLasFile_);
    Splitter1_->addWidget(memoInfo_);
    Splitter1_->setStretchFactor(0, 1);
    Splitter1_->setStretchFactor(1, 0);
    middle->addWidget(Splitter1_, 1);
    root->addLayout(middle, 1);

    InfoPanel_ = new QLabel(this);
    InfoPanel_->setObjectName("InfoPanel");
    InfoPanel_->setFixedHeight(kInfoPanelHeight);
    InfoPanel_->setContentsMargins(6, 0, 6, 0);
    InfoPanel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    root->addWidget(InfoPanel_);
    BuildShortcuts();
}

void TFrmMain::BuildShortcuts()
{
    const auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* action = new QShortcut(keys, this);
        connect(action, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence::Open, [this] { sBtnOpen_->click(); });
    shortcut(QKeySequence::Save, [this] { sBtnSave_->click(); });
    shortcut(QKeySequence::Quit, [this] { close(); });
    shortcut(QKeySequence::HelpContents, [this] { pmHelpClick(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { sBtnInscribe_->click(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_M), [this] { sBtnMiniMap_->click(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_I), [this] { sBtnInfo_->click(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_G), [this] { Guarded([this] { GoToDepth(); }); });
}

void TFrmMain::BuildToolbar()
{
    pControls_ = new QWidget(this);
    pControls_->setObjectName("pControls");
    pControls_->setFixedHeight(kToolbarHeight);
    auto* bar = new QHBoxLayout(pControls_);
    bar->setContentsMargins(0, 0, 2, 1);
    bar->setSpacing(0);

    sBtnOpen_ = SpeedButton(pControls_, "sBtnOpen", ToolbarIcons::Open());
    sBtnCrossplot_ = SpeedButton(pControls_, "sBtnCrossplot", ToolbarIcons::CrossPlot());
    sBtnSettings_ = SpeedButton(pControls_, "sBtnSettings", ToolbarIcons::Appearance());
    sBtnSave_ = SpeedButton(pControls_, "sBtnSave", ToolbarIcons::Save());
    sBtnCalc_ = SpeedButton(pControls_, "sBtnCalc", ToolbarIcons::Calculator());
    sBtnInscribe_ = SpeedButton(pControls_, "sBtnInscribe", ToolbarIcons::Inscribe(), true);
    sBtnInfo_ = SpeedButton(pControls_, "sBtnInfo", ToolbarIcons::Information(), true);
    sBtnMiniMap_ = SpeedButton(pControls_, "sBtnMiniMap", ToolbarIcons::MiniMap(), true);
    for (QToolButton* button : {sBtnOpen_, sBtnCrossplot_, sBtnSettings_, sBtnSave_, sBtnCalc_, sBtnInscribe_,
                                sBtnInfo_, sBtnMiniMap_})
        bar->addWidget(button);
    bar->addStretch(1);

    cbLang_ = new QComboBox(pControls_);
    cbLang_->setObjectName("cbLang");
    cbLang_->setIconSize(QSize(32, 32));
    cbLang_->addItem(QIcon(ToolbarIcons::Flag(0)), "English");
    cbLang_->addItem(QIcon(ToolbarIcons::Flag(1)), QString::fromUtf8("Русский"));
    cbLang_->hide();
    bar->addWidget(cbLang_);

    sBtnHelp_ = SpeedButton(pControls_, "sBtnHelp", ToolbarIcons::Help());
    pmInfo_ = new QMenu(this);
    pmInfo_->setObjectName("pmInfo");
    pmAbout_ = pmInfo_->addAction(QString());
    pmAbout_->setObjectName("pmAbout");
    pmHelp_ = pmInfo_->addAction(QString());
    pmHelp_->setObjectName("pmHelp");
    pmUpdate_ = pmInfo_->addAction(QString());
    pmUpdate_->setObjectName("pmUpdate");
    // A click opens About; holding the button or a right click shows the menu.
    sBtnHelp_->setMenu(pmInfo_);
    sBtnHelp_->setPopupMode(QToolButton::DelayedPopup);
    sBtnHelp_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sBtnHelp_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pmInfo_->popup(sBtnHelp_->mapToGlobal(at)); });
    bar->addWidget(sBtnHelp_);

    const auto guarded = [this](void (TFrmMain::*slot)()) { return [this, slot] { Guarded([this, slot] { (this->*slot)(); }); }; };
    connect(sBtnOpen_, &QToolButton::clicked, this, guarded(&TFrmMain::sBtnOpenClick));
    connect(sBtnCrossplot_, &QToolButton::clicked, this, guarded(&TFrmMain::sBtnCrossplotClick));
    connect(sBtnSettings_, &QToolButton::clicked, this, guarded(&TFrmMain::sBtnSettingsClick));
    connect(sBtnSave_, &QToolButton::clicked, this, guarded(&TFrmMain::sBtnSaveClick));
    connect(sBtnCalc_, &QToolButton::clicked, this, guarded(&TFrmMain::sBtnCalcClick));
    connect(sBtnInscribe_, &QToolButton::clicked, this, guarded(&TFrmMain::sBtnInscribeClick));
    connect(sBtnInfo_, &QToolButton::clicked, this, guarded(&TFrmMain::sBtnInfoClick));
    connect(sBtnMiniMap_, &QToolButton::clicked, this, guarded(&TFrmMain::sBtnMiniMapClick));
    connect(sBtnHelp_, &QToolButton::clicked, this, guarded(&TFrmMain::sBtnHelpClick));
    connect(pmAbout_, &QAction::triggered, this, guarded(&TFrmMain::pmAboutClick));
    connect(pmHelp_, &QAction::triggered, this, guarded(&TFrmMain::pmHelpClick));
    connect(pmUpdate_, &QAction::triggered, this, guarded(&TFrmMain::pmUpdateClick));
    connect(cbLang_, &QComboBox::currentIndexChanged, this, &TFrmMain::cbLangChange);
}

void TFrmMain::SetupCharts()
{
    RChart& chart = LogChart();
    chart.SetUseAntialiasing(true);
    chart.AllowZoomX = false;
    chart.AllowZoomY = true;
    chart.WheelScaleFactorNormal = 1.1;
    chart.WheelScaleFactorCtrl = 1.1;
    chart.WheelScaleFactorShift = 1.03;
    chart.OverSizeX = chart.OverSizeY = 10;
    chart.Legend.Show = false;
    navigator_ = std::make_unique<RLogNavigator>(chart);
    overlay_ = std::make_unique<RLogOverlay>(*cViewLasFile_, lang_);
    overlay_->ShowReadOut = [this](const QString& text) { InfoPanel_->setText(text); };
    chart.OnMouseDown = [this](RChart&, const RChartMouseEvent& e) { cViewLasFileMouseDown(e); };
    chart.OnMouseMove = [this](RChart&, const RChartMouseEvent& e) { cViewLasFileMouseMove(e); };
    chart.OnMouseUp = [this](RChart&, const RChartMouseEvent& e) { cViewLasFileMouseUp(e); };
    chart.OnMouseWheel = [this](RChart&, const RChartMouseEvent& e) { return cViewLasFileMouseWheel(e); };
    chart.OnScale = [this](RChart&) { cViewLasFileScale(); };
    chart.OnAfterDrawAll = [this](RChart&, RBitmap32& bitmap) { overlay_->AfterDrawAll(bitmap); };
    chart.OnPaint = [this](RChart&) {
        if (cMiniMap_->isVisible())
            cMiniMap_->viewport()->update();
    };
    // The view fractions stay, so the scale shown follows the new height.
    chart.OnResize = [this](RChart&) {
        if (documentLoaded_ && ScalePanel_->IsSetUp())
            QTimer::singleShot(0, this, [this] { ShowViewState(); });
    };
    cViewLasFile_->PaintChart = [this](RChart& c) { overlay_->Paint(c); };
    connect(cViewLasFile_, &RChartWidget::MouseLeft, this, [this] { overlay_->PointerLeft(); });
    miniMap_ = std::make_unique<RMiniMap>(*cMiniMap_, *cViewLasFile_, *navigator_);
}

// --- Commands --------------------------------------------------------------

void TFrmMain::enableItAll()
{
    for (QWidget* control : std::initializer_list<QWidget*>{sBtnCrossplot_, sBtnSettings_, sBtnSave_, sBtnCalc_,
                                                           sBtnInscribe_, ScalePanel_, sBtnInfo_})
        control->setEnabled(true);
}

void TFrmMain::disableItAll()
{
    for (QWidget* control : std::initializer_list<QWidget*>{sBtnCrossplot_, sBtnSettings_, sBtnSave_, sBtnCalc_,
                                                           sBtnInscribe_, ScalePanel_, sBtnInfo_})
        control->setEnabled(false);
}

void TFrmMain::updateMainLabels()
{
    setWindowTitle(Text(lang_.MainCaption()));
    ScalePanel_->SetCaption(Text(lang_.Scale()));
    sBtnOpen_->setToolTip(WithShortcut(Text(lang_.OpenLasFile()), QKeySequence::Open));
    sBtnCrossplot_->setToolTip(Text(lang_.CrossPlot()));
    sBtnSettings_->setToolTip(Text(lang_.Appearance()));
    sBtnCalc_->setToolTip(Text(lang_.MapCalculator()));
    sBtnSave_->setToolTip(WithShortcut(Text(lang_.Save()), QKeySequence::Save));
    sBtnInfo_->setToolTip(WithShortcut(Text(lang_.Information()), QKeySequence(Qt::CTRL | Qt::Key_I)));
    sBtnInscribe_->setToolTip(WithShortcut(Text(lang_.Inscribe()), QKeySequence(Qt::CTRL | Qt::Key_0)));
    sBtnMiniMap_->setToolTip(WithShortcut(Text(lang_.MiniMap()), QKeySequence(Qt::CTRL | Qt::Key_M)));
    pmAbout_->setText(Text(lang_.About()));
    pmHelp_->setText(Text(lang_.Help()));
    pmHelp_->setShortcut(QKeySequence::HelpContents);
    pmUpdate_->setText(Text(lang_.Update()));
    sBtnHelp_->setToolTip(Text(lang_.About()));
}

void TFrmMain::indetifyCaptionByPath(const QString& path)
{
    const QString caption = Text(lang_.MainCaption());
    if (path.isEmpty()) {
        setWindowTitle(caption);
        return;
    }
    // Paths with either separator name their file.
    QString slashes = path;
    slashes.replace('\\', '/');
    setWindowTitle(caption + " [" + QFileInfo(slashes).fileName() + "]");
}

void TFrmMain::ShowInfo(bool show)
{
    infoShown_ = show;
    sBtnInfo_->setChecked(show);
    if (show) {
        // Control bytes of the header as visible symbols, not as terminal codes.
        memoInfo_->setPlainText(
            core_ ? LasText::Visible(LasText::ToDisplay(core_->Data->Header.FullText, *core_->Data)) : QString());
        memoInfo_->show();
        const int total = std::max(Splitter1_->width(), kMemoWidth * 2);
        Splitter1_->setSizes({total - kMemoWidth, kMemoWidth});
    } else {
        memoInfo_->clear();
        memoInfo_->hide();
    }
}

void TFrmMain::sBtnInfoClick() { ShowInfo(!infoShown_); }

void TFrmMain::sBtnSettingsClick()
{
    if (!documentLoaded_)
        return;  // its button is disabled; its shortcut or a direct call does nothing
    TfrmCurveSettings dialog(this, *core_, lang_, ViewSettingsPath(), [this] { RebuildCharts(); });
    dialog.exec();
    ReportMessages(QString());
}

void TFrmMain::sBtnCalcClick()
{
    if (!documentLoaded_)
        return;
    TfrmCurveConstruction calculator(this, *core_, lang_, [this] { RebuildCharts(); }, ViewSettingsPath());
    calculator.exec();
    ReportMessages(QString());
}

void TFrmMain::sBtnCrossplotClick()
{
    if (!documentLoaded_)
        return;
    TfrmBuildCrossPlot crossPlot(this, *core_, lang_);
    crossPlot.exec();
    ReportMessages(QString());
}

void TFrmMain::sBtnHelpClick() { pmAboutClick(); }

void TFrmMain::pmAboutClick()
{
    TfrmAbout about(this, lang_, [this] { LanguageChanged(); }, Updater, Help);
    about.setWindowTitle(windowTitle());
    about.exec();
    // The updater replaces the program once it has ended; the window is
    // closed after the dialog has returned.
    if (about.UpdateStarted())
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TFrmMain::pmHelpClick()
{
    const QString path = Help.HelpPath();
    if (QFileInfo::exists(path))
        RDialogHooks::Inform(this, windowTitle(), QFileInfo(path).absoluteFilePath());
    Help.OpenHelp(this);
}

void TFrmMain::pmUpdateClick()
{
    if (Updater.CheckForUpdates(this) == RUpdater::Result::UpdateStarted)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TFrmMain::cbLangChange(int index)
{
    lang_.SetLanguage(index == 1 ? 1 : 0);
    LanguageChanged();
}

void TFrmMain::InstallQtTexts()
{
    if (qtTextsInstalled_) {
        QCoreApplication::removeTranslator(&qtTexts_);
        qtTextsInstalled_ = false;
    }
    // English is Qt's own; without the translations installed Qt's texts stay English.
    if (lang_.Language() == 1 && qtTexts_.load(QLocale(QLocale::Russian), "qtbase", "_",
                                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        qtTextsInstalled_ = QCoreApplication::installTranslator(&qtTexts_);
}

void TFrmMain::LanguageChanged()
{
    InstallQtTexts();
    updateMainLabels();
    if (documentLoaded_)
        indetifyCaptionByPath(documentPath_);
    cbLang_->blockSignals(true);
    cbLang_->setCurrentIndex(lang_.Language());
    cbLang_->blockSignals(false);
    // The read-out speaks the new language on the next frame.
    cViewLasFile_->viewport()->update();
}

// --- Diagnostics and errors ------------------------------------------------

void TFrmMain::Guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        setEnabled(true);
        ShowError(ErrorText(error, DiagnosticLanguage()));
    }
}

void TFrmMain::ShowError(const QString& text) { RDialogHooks::ShowError(this, text); }

void TFrmMain::ReportMessages(const QString& heading, QStringList extra)
{
    QStringList messages = std::move(extra);
    messages << messages_;
    messages_.clear();
    if (messages.isEmpty())
        return;
    // Messages and file names may carry a file's control characters.
    ShowMessages(this, LasText::Visible(heading.isEmpty() ? windowTitle() : heading), LasText::Visible(messages));
}

// --- Showing the window ----------------------------------------------------

void TFrmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    // After the first layout, so that the chart has its size.
    QTimer::singleShot(0, this, [this] { Guarded([this] { FormShow(); }); });
}

void TFrmMain::FormShow()
{
    // A file on the command line opens like one from the Open button,
    // before the scale track is set up.
    if (arguments_.size() == 1)
        OpenLasFile(arguments_.front());
    ScalePanel_->Setup();
    if (documentLoaded_)
        ShowViewState();
}
