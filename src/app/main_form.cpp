#include "app/main_form.h"

#include "app/about_form.h"
#include "app/build_cross_plot_form.h"
#include "app/chart_widget.h"
#include "app/curve_construction_form.h"
#include "app/curve_settings_form.h"
#include "app/dialog_hooks.h"
#include "app/las_text.h"
#include "app/main_settings.h"
#include "app/toolbar_icons.h"
#include "app/view_scale.h"
#include "chart/chart.h"
#include "container/atomic_file.h"
#include "container/text_codec.h"
#include "raster/bitmap_copy.h"
#include "view/las_core.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QShortcut>
#include <QSlider>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>
#include <atomic>
#include <cmath>
#include <optional>

namespace {

// How often the window looks whether its worker has finished.
constexpr int kLoadPollMs = 10;

// The share of the file a load has read, in thousandths.
int LoadPermille(const RLasLoadProgress& progress)
{
    const std::uint64_t size = progress.FileSize, read = std::min<std::uint64_t>(progress.BytesRead, size);
    return size == 0 ? 0 : static_cast<int>(1000.0 * static_cast<double>(read) / static_cast<double>(size));
}

constexpr int kButtonSize = 40;
constexpr int kToolbarHeight = 41;
constexpr int kScalePanelWidth = 80;
constexpr int kScaleLabelLeft = 40;
constexpr int kScaleLabelHeight = 13;
constexpr int kMemoWidth = 300;
constexpr int kInfoPanelHeight = 20;
constexpr int kMiniMapWidth = 256;
// Messages kept from one command; a file with a fault on every line says
// enough with these.
constexpr int kMaxMessages = 10000;
// Shown in the message box itself; the rest under its details.
constexpr int kMessagesInText = 20;

// A problem worded in `language`, its quotes of the file decoded from the
// encoding of `data` (the data set it was raised for; none: read as UTF-8
// or Windows-1251 byte by byte).
QString ProblemMessage(RLasProblem problem, const RLasData* data, RLasLanguage language)
{
    if (data)
        DecodeQuotes(problem, [data](std::string_view bytes) { return data->DecodeText(bytes); });
    return QString::fromStdString(TextCodec::DecodeMixed(ProblemText(problem, language)));
}

// The cursor line: 0xFF2100 in the platform's 0x00BBGGRR form, a blue.
const RColorWord kCursorColor = ColorWord(RPlatformColor(0xFF2100));
constexpr int kCursorWidth = 8;  // eighths of a pixel
// The rubber band and the mini map's view frame: black, mostly transparent.
constexpr RColorWord kBandColor(0xCC000000);
constexpr RColorWord kMiniMapFrameColor(0xC0000000);

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString FromUtf8(const std::string& text) { return QString::fromStdString(TextCodec::DecodeMixed(text)); }

// A depth to the precision of the file's step (0.1524 to four decimals,
// 0.5 to one); an irregular index to the decimals its depths were written
// with.
QString DepthText(double depth, const RLasIndex& index)
{
    int decimals = index.Style.Decimals;
    if (index.Regular() && index.Step != 0.0) {
        char digits[64];
        const auto end = std::to_chars(digits, digits + sizeof digits, std::fabs(index.Step)).ptr;
        const std::string_view step(digits, static_cast<std::size_t>(end - digits));
        const std::size_t point = step.find('.');
        decimals = step.find('e') != std::string_view::npos ? 6
                   : point == std::string_view::npos        ? 0
                                                            : static_cast<int>(step.size() - point - 1);
    }
    return QString::number(depth, 'f', std::clamp(decimals, 0, 6));
}

QString DefaultChooseOpenFile(QWidget* parent, const QString& suggested)
{
    QFileDialog dialog(parent, QString(), QFileInfo(suggested).absolutePath(), TFrmMain::kLasFilter);
    dialog.setObjectName("odLas");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString DefaultChooseSaveFile(QWidget* parent, const QString& suggested)
{
    QFileDialog dialog(parent, QString(), suggested, TFrmMain::kLasFilter);
    dialog.setObjectName("sdLas");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix("las");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void DefaultShowMessages(QWidget* parent, const QString& heading, const QStringList& messages)
{
    QMessageBox box(QMessageBox::Warning, parent ? parent->window()->windowTitle() : QString(), heading,
                    QMessageBox::Ok, parent);
    box.setObjectName("MessagesBox");
    QStringList shown = messages.mid(0, kMessagesInText);
    if (messages.size() > kMessagesInText) {
        shown << QString::fromUtf8("… ещё %1").arg(messages.size() - kMessagesInText);
        box.setDetailedText(messages.join('\n'));
    }
    box.setInformativeText(shown.join('\n'));
    box.exec();
}

// A wait cursor while a file is read or written.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

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

}  // namespace

// One load of a document in a worker thread: what it reads, and what it
// hands back once `done` is set. It is the sink of the load's diagnostics,
// kept as they come (problems unworded: the data set's encoding, needed
// to read their quotes of the file, is known when the load has ended).
struct RDocumentLoad final : RLogSink {
    struct Diagnostic {
        std::optional<RLasProblem> problem;
        std::string text;  // a plain message, when there is no problem
    };

    std::string lasPath, settingsPath;
    TFrmMain::DocumentLoader loader;
    std::unique_ptr<RLasCore> core;
    std::vector<Diagnostic> diagnostics;  // in order, at most kMaxMessages
    std::string failure;                  // what it raised
    RLasLoadProgress progress;
    std::atomic<bool> done{false};

    void Message(const std::string& text) override
    {
        if (diagnostics.size() < std::size_t(kMaxMessages))
            diagnostics.push_back({std::nullopt, text});
    }
    void Problem(const RLasProblem& problem) override
    {
        if (diagnostics.size() < std::size_t(kMaxMessages))
            diagnostics.push_back({problem, {}});
    }
};

TFrmMain::WindowSink::WindowSink(TFrmMain& window) : window_(window), previous_(Logging::SetSink(this)) {}

TFrmMain::WindowSink::~WindowSink() { Logging::SetSink(previous_); }

void TFrmMain::WindowSink::Message(const std::string& text)
{
    // Other threads' messages are dropped: a load has its own sink.
    if (QThread::currentThread() == window_.thread() && window_.messages_.size() < kMaxMessages)
        window_.messages_ << FromUtf8(text);
}

void TFrmMain::WindowSink::Problem(const RLasProblem& problem)
{
    if (QThread::currentThread() == window_.thread() && window_.messages_.size() < kMaxMessages)
        window_.messages_ << ProblemMessage(problem, window_.core_ ? window_.core_->Data.get() : nullptr,
                                            window_.DiagnosticLanguage());
}

const QString TFrmMain::kLasFilter = QString::fromUtf8("Las файлы (*.las);;Все файлы (*)");

TFrmMain::TFrmMain(QString settingsFolder, QStringList arguments, QWidget* parent)
    : QWidget(parent),
      ChooseOpenFile(DefaultChooseOpenFile),
      ChooseSaveFile(DefaultChooseSaveFile),
      ShowMessages(DefaultShowMessages),
      LoadDocument(LoadDocumentFromFiles),
      settingsFolder_(std::move(settingsFolder)),
      arguments_(std::move(arguments)),
      sink_(*this)
{
    setObjectName("FrmMain");
    setMinimumSize(800, 600);
    resize(990, 600);
    setAcceptDrops(true);
    BuildControls();
    SetupCharts();

    // Construction: the language and the saved view from mainSettings.ini.
    const RMainSettings ini = RMainSettings::Load(PathBytes(MainSettingsPath()));
    lang_.SetLanguage(std::uint8_t(ini.Language));
    updateMainLabels();
    cbLang_->blockSignals(true);
    cbLang_->setCurrentIndex(ini.Language);
    cbLang_->blockSignals(false);
    savedView_ = {ini.OffsetX, ini.OffsetY, ini.ViewSizeX, ini.ViewSizeY};
    RChart& chart = LogChart();
    chart.SetOffsetX(savedView_.OffsetX);
    chart.SetOffsetY(savedView_.OffsetY);
    chart.SetViewSizeX(savedView_.ViewSizeX);
    chart.SetViewSizeY(savedView_.ViewSizeY);
    mouseDown_ = dragging_ = false;
    infoShown_ = false;
    ShowInfo(false);

    // FormCreate: an empty document, its commands disabled.
    core_ = std::make_unique<RLasCore>();
    disableItAll();
}

TFrmMain::~TFrmMain()
{
    // Abandoned loads still log into this window's sink.
    JoinFinishedLoads(true);
    // FormDestroy: the charts let go of the document, then it goes.
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
    BuildScalePanel();
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

    // Standard shortcuts on the commands.
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

void TFrmMain::BuildScalePanel()
{
    ScalePanel_ = new QWidget(this);
    ScalePanel_->setObjectName("ScalePanel");
    ScalePanel_->setFixedWidth(kScalePanelWidth);
    lblScaleName_ = new QLabel(ScalePanel_);
    lblScaleName_->setObjectName("lblScaleName");
    lblScaleValue_ = new QLabel(ScalePanel_);
    lblScaleValue_->setObjectName("lblScaleValue");
    QFont bold = lblScaleValue_->font();
    bold.setBold(true);
    lblScaleValue_->setFont(bold);
    // The track keeps its design values until it is set up when the window
    // is first shown.
    TBScale_ = new QSlider(Qt::Vertical, ScalePanel_);
    TBScale_->setObjectName("TBScale");
    TBScale_->setRange(1, 10000);
    TBScale_->setValue(1000);
    // 1:100 at the top.
    TBScale_->setInvertedAppearance(true);
    TBScale_->setInvertedControls(true);
    TBScale_->setTickPosition(QSlider::TicksLeft);
    TBScale_->setTickInterval(4);
    connect(TBScale_, &QSlider::valueChanged, this, [this](int position) { Guarded([&] { TBScaleChange(position); }); });
    ScalePanel_->installEventFilter(this);
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
    chart.OnMouseDown = [this](RChart&, const RChartMouseEvent& e) { cViewLasFileMouseDown(e); };
    chart.OnMouseMove = [this](RChart&, const RChartMouseEvent& e) { cViewLasFileMouseMove(e); };
    chart.OnMouseUp = [this](RChart&, const RChartMouseEvent& e) { cViewLasFileMouseUp(e); };
    chart.OnMouseWheel = [this](RChart&, const RChartMouseEvent& e) { return cViewLasFileMouseWheel(e); };
    chart.OnScale = [this](RChart&) { cViewLasFileScale(); };
    chart.OnAfterDrawAll = [this](RChart&, RBitmap32& bitmap) { cViewLasFileAfterDrawAll(bitmap); };
    chart.OnPaint = [this](RChart&) {
        if (cMiniMap_->isVisible())
            cMiniMap_->viewport()->update();
    };
    // cViewLasFileResize: the view fractions stay, so the scale shown
    // follows the new height.
    chart.OnResize = [this](RChart&) {
        if (documentLoaded_ && scaleTrackSet_)
            QTimer::singleShot(0, this, [this] { SyncScaleFromChart(); });
    };
    cViewLasFile_->PaintChart = [this](RChart& c) { cViewLasFilePaint(c); };
    connect(cViewLasFile_, &RChartWidget::MouseLeft, this, [this] {
        cursorValid_ = false;
        InfoPanel_->clear();
        cViewLasFile_->viewport()->update();
    });

    RChart& map = MiniMapChart();
    map.SetUseAntialiasing(false);
    map.AllowZoomX = map.AllowZoomY = false;
    map.WheelScaleFactorNormal = map.WheelScaleFactorCtrl = map.WheelScaleFactorShift = 1.0;
    map.Legend.Show = false;
    map.OnMouseDown = [this](RChart&, const RChartMouseEvent& e) {
        if (e.button == 0)
            cMiniMapMouse(e);
    };
    map.OnMouseMove = [this](RChart&, const RChartMouseEvent& e) {
        if (e.buttons & 1)
            cMiniMapMouse(e);
    };
    cMiniMap_->PaintChart = [this](RChart& c) { cMiniMapPaint(c); };
}

// --- Document commands -----------------------------------------------------

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
    const auto text = [](const std::string& utf8) { return QString::fromStdString(utf8); };
    setWindowTitle(text(lang_.MainCaption()));
    lblScaleName_->setText(text(lang_.Scale()));
    lblScaleName_->adjustSize();
    sBtnOpen_->setToolTip(text(lang_.OpenLasFile()));
    sBtnCrossplot_->setToolTip(text(lang_.CrossPlot()));
    sBtnSettings_->setToolTip(text(lang_.Appearance()));
    sBtnCalc_->setToolTip(text(lang_.MapCalculator()));
    sBtnSave_->setToolTip(text(lang_.Save()));
    sBtnInfo_->setToolTip(text(lang_.Information()));
    sBtnInscribe_->setToolTip(text(lang_.Inscribe()));
    sBtnMiniMap_->setToolTip(lang_.Language() == 1 ? QString::fromUtf8("Мини-карта") : QString("Mini map"));
    pmAbout_->setText(text(lang_.About()));
    pmHelp_->setText(text(lang_.Help()));
    pmUpdate_->setText(text(lang_.Update()));
    sBtnHelp_->setToolTip(text(lang_.About()));
}

void TFrmMain::indetifyCaptionByPath(const QString& path)
{
    const QString caption = QString::fromStdString(lang_.MainCaption());
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
        memoInfo_->setPlainText(core_ ? LasText::ToDisplay(core_->Data->Header.FullText, *core_->Data) : QString());
        memoInfo_->show();
        const int total = std::max(Splitter1_->width(), kMemoWidth * 2);
        Splitter1_->setSizes({total - kMemoWidth, kMemoWidth});
    } else {
        memoInfo_->clear();
        memoInfo_->hide();
    }
}

bool TFrmMain::OpenDocument(const QString& path)
{
    if (Loading())
        return false;
    const bool wasInscribed = inscribeActive_;
    mouseDown_ = dragging_ = rectanglePending_ = false;
    fitMode_ = true;
    inscribeActive_ = false;
    sBtnInscribe_->setChecked(true);
    bool opened = false;
    try {
        opened = OpenLasFile(path);
    } catch (...) {
        fitMode_ = false;
        SetInscribeActive(wasInscribed);
        throw;
    }
    fitMode_ = false;
    if (!opened) {
        // The open document stays as it was.
        SetInscribeActive(wasInscribed);
        return false;
    }
    SetVisibleLasXAxis();
    SetInscribeActive(true);
    TfrmCurveConstruction::ClearAddedCurves();
    return true;
}

std::unique_ptr<RLasCore> TFrmMain::LoadDocumentFromFiles(const std::string& lasPath, const std::string& settingsPath,
                                                          const RLasLoadOptions& options)
{
    const RLogScope scope(options.Sink);
    // A missing settings file leaves the settings empty; a damaged one
    // says so through the diagnostics.
    auto settings = std::make_unique<RLasSettings>();
    settings->LoadFromFile(settingsPath);
    auto data = std::make_unique<RLasData>();
    data->LoadFromLas(lasPath, options);
    auto core = std::make_unique<RLasCore>();
    core->SetData(std::move(data), std::move(settings));
    core->Prepare(1);
    return core;
}

RLasLanguage TFrmMain::DiagnosticLanguage() const
{
    return lang_.Language() == 1 ? RLasLanguage::Russian : RLasLanguage::English;
}

bool TFrmMain::OpenLasFile(const QString& path)
{
    if (Loading())
        return false;
    if (!QFileInfo(path).isFile()) {
        ShowError(QString::fromUtf8("Ошибка открытия файла ") + path);
        return false;
    }
    messages_.clear();
    auto load = std::make_shared<RDocumentLoad>();
    load->lasPath = PathBytes(path);
    load->settingsPath = PathBytes(ViewSettingsPath());
    load->loader = LoadDocument;
    if (!RunLoad(load))
        return false;  // cancelled: nothing changed

    QString failure = FromUtf8(load->failure);
    // The loaded data set, whoever holds it below: the window, or the load
    // when it is not swapped in.
    const RLasData* loaded = load->core ? load->core->Data.get() : nullptr;
    QStringList notes;
    if (failure.isEmpty() && !load->core)
        failure = QString::fromUtf8("Ошибка открытия файла ") + path;
    // A file that gives nothing to show (not a LAS file, a header without
    // data) is a failed open: the document on screen stays as it is.
    if (failure.isEmpty() && loaded->Curves().empty())
        failure = QString::fromUtf8("В файле нет ни одной кривой: ") + path;
    else if (failure.isEmpty() && loaded->Header.SampleCount == 0)
        failure = QString::fromUtf8("В файле нет ни одной строки данных: ") + path;
    if (failure.isEmpty()) {
        std::optional<WaitCursor> wait(std::in_place);
        try {
            // The charts let go of the old document before it is freed, and
            // the calculator forgets its curves, so that nothing refers to it
            // whatever happens below.
            ClearCharts();
            TfrmCurveConstruction::ClearAddedCurves();
            core_ = std::move(load->core);
            documentLoaded_ = true;
            documentPath_ = path;
            core_->BuildChart(LogChart());
            core_->BuildMiniMap(MiniMapChart());
            miniMapValid_ = false;
            LogChart().Layout();
            ApplyScale();
            cViewLasFileScale();
            indetifyCaptionByPath(path);
            ShowInfo(infoShown_);
            LogChart().Invalidate();
            MiniMapChart().Invalidate();
        } catch (const std::exception& error) {
            failure = FromUtf8(error.what());
        }
        enableItAll();
    }
    // The worker's diagnostics come first, as they were written, their
    // quotes of the file read in the encoding it was found to have.
    QStringList messages;
    for (const RDocumentLoad::Diagnostic& diagnostic : load->diagnostics)
        messages << (diagnostic.problem ? ProblemMessage(*diagnostic.problem, loaded, DiagnosticLanguage())
                                        : FromUtf8(diagnostic.text));
    messages << messages_;
    messages_ = messages;
    if (!failure.isEmpty())
        ShowError(failure);
    ReportMessages(QString::fromUtf8("Замечания при чтении файла ") + QFileInfo(path).fileName() + ":", notes);
    return failure.isEmpty();
}

bool TFrmMain::RunLoad(const std::shared_ptr<RDocumentLoad>& load)
{
    JoinFinishedLoads(false);
    std::thread worker([load] {
        // The load's diagnostics go to the load: the reader is given it,
        // and whatever else the loader logs on this thread reaches it too.
        RLasLoadOptions options;
        options.Progress = &load->progress;
        options.Sink = load.get();
        {
            const RLogScope scope(load.get());
            try {
                load->core = load->loader(load->lasPath, load->settingsPath, options);
            } catch (const std::exception& error) {
                load->failure = error.what();
            } catch (...) {
                load->failure = "Ошибка открытия файла " + load->lasPath;
            }
        }
        load->done = true;
    });

    QEventLoop loop;
    loadLoop_ = &loop;
    loadCancelled_ = false;
    SetLoadingControls(true);
    std::optional<WaitCursor> wait(std::in_place);

    std::unique_ptr<QProgressDialog> progress;
    QTimer poll;
    poll.setInterval(kLoadPollMs);
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (load->done)
            loop.quit();
        else if (progress)
            progress->setValue(LoadPermille(load->progress));
    });
    QTimer delay;
    delay.setSingleShot(true);
    connect(&delay, &QTimer::timeout, this, [&] {
        progress = std::make_unique<QProgressDialog>(
            QString::fromUtf8("Чтение файла ") + QFile::decodeName(load->lasPath.c_str()) + QString::fromUtf8("…"),
            QString::fromUtf8("Отмена"), 0, 1000, this);
        progress->setObjectName("LoadProgress");
        progress->setWindowTitle(windowTitle());
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        connect(progress.get(), &QProgressDialog::canceled, &loop, [&] {
            loadCancelled_ = true;
            loop.quit();
        });
        progress->setValue(LoadPermille(load->progress));
        wait.reset();
        progress->show();
    });
    if (!load->done) {
        poll.start();
        delay.start(kProgressDelayMs);
        loop.exec();
    }
    poll.stop();
    delay.stop();
    progress.reset();
    wait.reset();
    loadLoop_ = nullptr;
    SetLoadingControls(false);

    if (loadCancelled_) {
        // The reader stops within a few thousand lines (settings and
        // preparing run to their end); its document goes with it, unseen.
        load->progress.Cancel = true;
        abandoned_.push_back({load, std::move(worker)});
        return false;
    }
    worker.join();
    return true;
}

void TFrmMain::JoinFinishedLoads(bool all)
{
    for (auto it = abandoned_.begin(); it != abandoned_.end();) {
        if (all || it->load->done) {
            it->worker.join();
            it = abandoned_.erase(it);
        } else {
            ++it;
        }
    }
}

void TFrmMain::SetLoadingControls(bool loading)
{
    // The window stays enabled so that its busy dialog can be used; its
    // commands wait for the load.
    for (QWidget* control : std::initializer_list<QWidget*>{pControls_, Splitter1_, cMiniMap_})
        control->setEnabled(!loading);
    ScalePanel_->setEnabled(!loading && documentLoaded_);
}

void TFrmMain::closeEvent(QCloseEvent* event)
{
    if (loadLoop_) {
        loadCancelled_ = true;
        loadLoop_->quit();
        event->ignore();
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    QWidget::closeEvent(event);
}

void TFrmMain::ClearCharts()
{
    for (RChart* chart : {&LogChart(), &MiniMapChart()}) {
        chart->OnAfterDrawAxis = nullptr;
        chart->Clear();
    }
    miniMapValid_ = false;
    cleanFrameValid_ = false;
}

void TFrmMain::RebuildCharts()
{
    core_->BuildChart(LogChart());
    core_->BuildMiniMap(MiniMapChart());
    miniMapValid_ = false;
    SetVisibleLasXAxis();
    LogChart().Invalidate();
    MiniMapChart().Invalidate();
}

void TFrmMain::SetVisibleLasXAxis()
{
    for (auto& axis : LogChart().XAxis())
        axis->ShowGridLines = true;
    LogChart().Invalidate();
}

void TFrmMain::sBtnOpenClick()
{
    const QString path = ChooseOpenFile(this, documentPath_);
    if (path.isEmpty())
        return;
    OpenDocument(path);
}

void TFrmMain::sBtnSaveClick()
{
    // Without a document there is nothing to save: no file dialog either.
    if (!documentLoaded_) {
        ShowError(QString::fromUtf8("Не открыт ни один LAS-файл"));
        return;
    }
    const QString path = ChooseSaveFile(this, documentPath_);
    if (path.isEmpty())
        return;
    messages_.clear();
    bool saved = false;
    {
        const WaitCursor wait;
        saved = core_->Data->SaveToLas(PathBytes(path));
    }
    if (!saved) {
        // The writer has said what failed; when it could not even create
        // its temporary file it does not say why, so the reason is asked of
        // the file system with the same kind of temporary file.
        try {
            RAtomicFile probe(PathBytes(path));
        } catch (const std::exception& error) {
            const QString reason = FromUtf8(error.what());
            if (!messages_.contains(reason))
                messages_ << reason;
        }
        if (messages_.isEmpty())
            messages_ << QString::fromUtf8("Ошибка записи файла ") + path;
        ShowError(messages_.join('\n'));
        messages_.clear();
        return;
    }
    ReportMessages(QString::fromUtf8("Замечания при записи файла ") + QFileInfo(path).fileName() + ":");
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
        return;  // its button is disabled; its shortcut or a direct call does nothing
    TfrmCurveConstruction calculator(this, *core_, lang_, [this] { RebuildCharts(); }, ViewSettingsPath());
    calculator.exec();
    ReportMessages(QString());
}

void TFrmMain::sBtnCrossplotClick()
{
    if (!documentLoaded_)
        return;  // its button is disabled; its shortcut or a direct call does nothing
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

void TFrmMain::LanguageChanged()
{
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
        ShowError(FromUtf8(error.what()));
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
    ShowMessages(this, heading.isEmpty() ? windowTitle() : heading, messages);
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
        OpenDocument(arguments_.front());
    SetupScaleTrack();
    if (documentLoaded_)
        SyncScaleFromChart();
}

void TFrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile())
        event->acceptProposedAction();
}

void TFrmMain::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    const QString path = urls.front().toLocalFile();
    if (Loading())
        return;
    // Opened once the drop has finished, so that messages do not hold up
    // the program the file came from.
    QTimer::singleShot(0, this, [this, path] { Guarded([&] { OpenDocument(path); }); });
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ScalePanel_ && event->type() == QEvent::Resize) {
        PlaceScaleLabels();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto* label = qobject_cast<QLabel*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (label && mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
            const int scale = label->property("tag").toInt();
            Guarded([&] { lblValueClick(scale); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- Navigation ------------------------------------------------------------

void TFrmMain::SetupScaleTrack()
{
    const QSignalBlocker blocker(TBScale_);
    TBScale_->setRange(ViewScale::kTrackMin, ViewScale::kTrackMax);
    TBScale_->setTickInterval(4);
    TBScale_->setValue(ViewScale::kTrackStart);
    if (scaleLabels_.empty()) {
        for (int scale : ViewScale::kScales) {
            auto* label = new QLabel(QString("1:%1").arg(scale), ScalePanel_);
            label->setObjectName(QString("lblValue%1").arg(scale));
            label->setProperty("tag", scale);
            QFont font = label->font();
            font.setUnderline(true);
            label->setFont(font);
            // Blue: 0xFF0000 in the platform's 0x00BBGGRR form.
            label->setStyleSheet("color: #0000ff;");
            label->setCursor(Qt::PointingHandCursor);
            label->adjustSize();
            label->installEventFilter(this);
            label->show();
            scaleLabels_.push_back(label);
        }
        // Wide enough for the labels in any font.
        int width = kScalePanelWidth;
        for (QLabel* label : scaleLabels_)
            width = std::max(width, kScaleLabelLeft + label->width() + 2);
        ScalePanel_->setFixedWidth(width);
    }
    scaleTrackSet_ = true;
    PlaceScaleLabels();
}

void TFrmMain::PlaceScaleLabels()
{
    const int panelHeight = ScalePanel_->height();
    lblScaleName_->move(4, 4);
    lblScaleValue_->move(4, 4 + lblScaleName_->sizeHint().height() + 2);
    lblScaleValue_->adjustSize();
    const int trackTop = lblScaleValue_->y() + lblScaleValue_->sizeHint().height() + 8;
    TBScale_->setGeometry(0, trackTop, kScaleLabelLeft, std::max(40, panelHeight - trackTop - 8));
    if (scaleLabels_.empty())
        return;
    // Each label beside the handle's centre at its value, where the style
    // draws it.
    QStyleOptionSlider option;
    option.initFrom(TBScale_);
    option.orientation = Qt::Vertical;
    option.minimum = TBScale_->minimum();
    option.maximum = TBScale_->maximum();
    option.sliderPosition = TBScale_->sliderPosition();
    option.sliderValue = TBScale_->value();
    option.upsideDown = !TBScale_->invertedAppearance();
    option.tickPosition = TBScale_->tickPosition();
    option.tickInterval = TBScale_->tickInterval();
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    QStyle* style = TBScale_->style();
    const QRect groove = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, TBScale_);
    const QRect handle = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, TBScale_);
    const int span = groove.height() - handle.height();
    for (QLabel* label : scaleLabels_) {
        const int position = ViewScale::PositionOfScale(label->property("tag").toInt());
        const int offset = QStyle::sliderPositionFromValue(option.minimum, option.maximum, position, span,
                                                           option.upsideDown);
        const int centre = TBScale_->y() + groove.top() + offset + handle.height() / 2;
        const int height = std::max(kScaleLabelHeight, label->sizeHint().height());
        label->setGeometry(kScaleLabelLeft, centre - height / 2, label->sizeHint().width(), height);
    }
}

void TFrmMain::TBScaleChange(int)
{
    cViewLasFile_->NoteViewChange();
    ApplyScale();
    SetInscribeActive(false);
}

void TFrmMain::lblValueClick(int scale)
{
    const int position = ViewScale::PositionOfScale(scale);
    // A scale outside the track leaves its value at the end: the scale is
    // applied all the same.
    if (TBScale_->value() == position)
        TBScaleChange(position);
    else
        TBScale_->setValue(position);
}

double TFrmMain::DepthFraction(int y) const
{
    const RChart& chart = cViewLasFile_->Chart();
    if (chart.YAxis().Count() == 0)
        return 0;
    const RChartAxis& depth = chart.YAxis()[0];
    const double span = depth.MaxValue() - depth.MinValue();
    if (!(span > 0))
        return 0;
    return std::clamp((depth.PixelToValue(y) - depth.MinValue()) / span, 0.0, 1.0);
}

void TFrmMain::ApplyScale()
{
    RChart& chart = LogChart();
    chart.Layout();
    const int n = ViewScale::ScaleOfPosition(TBScale_->value());
    const RChartRect graph = chart.GraphRect();
    double span = 0;
    if (chart.YAxis().Count() > 0)
        span = chart.YAxis()[0].MaxValue() - chart.YAxis()[0].MinValue();
    const double viewSize = fitMode_ ? 1.0 : ViewScale::ViewSizeOfScale(n, graph.Height(), span);
    chart.FixedXAxisLength = fitMode_ ? 0 : ViewScale::kTrackWidth;
    if (fitMode_) {
        // The whole log: every track shares the chart's width.
        chart.SetOffsetX(0);
        chart.SetViewSizeX(1);
    }
    if (rectanglePending_) {
        // The band between the two rows, as fractions of the whole range.
        const double top = DepthFraction(downY_), bottom = DepthFraction(upY_);
        chart.SetOffsetY(top);
        chart.SetViewSizeY(std::max(bottom - top, RChart::kMinViewSize));
        chart.SetOffsetX(graph.Width() > 0 ? double(downX_ - graph.left) / graph.Width() : 0.0);
    } else {
        chart.SetViewSizeY(viewSize);
    }
    lblScaleValue_->setText(QString("1:%1").arg(n));
    lblScaleValue_->adjustSize();
    chart.Invalidate();
}

void TFrmMain::SyncScaleFromChart()
{
    RChart& chart = LogChart();
    if (chart.YAxis().Count() == 0)
        return;
    chart.Layout();
    const RChartAxis& depth = chart.YAxis()[0];
    const double scale =
        ViewScale::ScaleOfViewSize(chart.ViewSizeY(), chart.GraphRect().Height(), depth.MaxValue() - depth.MinValue());
    if (!(scale > 0))
        return;
    {
        const QSignalBlocker blocker(TBScale_);
        TBScale_->setValue(ViewScale::PositionOfScale(scale));
    }
    lblScaleValue_->setText(QString("1:%1").arg(ViewScale::Nearest(scale)));
    lblScaleValue_->adjustSize();
}

void TFrmMain::cViewLasFileScale()
{
    SyncScaleFromChart();
    SetInscribeActive(false);
}

void TFrmMain::SetInscribeActive(bool active)
{
    inscribeActive_ = active;
    sBtnInscribe_->setChecked(active);
}

void TFrmMain::RestoreSavedView()
{
    RChart& chart = LogChart();
    chart.SetOffsetX(savedView_.OffsetX);
    chart.SetOffsetY(savedView_.OffsetY);
    chart.SetViewSizeX(savedView_.ViewSizeX);
    chart.SetViewSizeY(savedView_.ViewSizeY);
    chart.FixedXAxisLength = ViewScale::kTrackWidth;
    chart.Invalidate();
}

void TFrmMain::sBtnInscribeClick()
{
    if (inscribeActive_) {
        RestoreSavedView();
        cViewLasFileScale();
        return;
    }
    const RChart& chart = LogChart();
    savedView_ = {chart.OffsetX(), chart.OffsetY(), chart.ViewSizeX(), chart.ViewSizeY()};
    fitMode_ = true;
    ApplyScale();
    cViewLasFileScale();
    fitMode_ = false;
    SetInscribeActive(true);
}

void TFrmMain::sBtnMiniMapClick()
{
    cMiniMap_->setVisible(sBtnMiniMap_->isChecked());
}

bool TFrmMain::cViewLasFileMouseWheel(const RChartMouseEvent& event)
{
    // Shift and Ctrl zoom: the chart does that with its own factors.
    if (event.shift || event.ctrl)
        return false;
    RChart& chart = LogChart();
    const double notches = std::clamp(event.wheelDelta / 120.0, -100.0, 100.0);
    chart.SetOffsetY(chart.OffsetY() - notches * chart.ViewSizeY() / 10);
    cViewLasFile_->NoteViewChange();
    chart.Invalidate();
    return true;
}

void TFrmMain::cViewLasFileMouseDown(const RChartMouseEvent& event)
{
    if (event.button != 0 || !inscribeActive_)
        return;
    downX_ = event.x;
    downY_ = event.y;
    cursorX_ = event.x;
    cursorY_ = event.y;
    mouseDown_ = dragging_ = true;
}

void TFrmMain::cViewLasFileMouseMove(const RChartMouseEvent& event)
{
    cursorX_ = event.x;
    cursorY_ = event.y;
    // Only over the tracks: the header band and the margins show no cursor.
    RChart& chart = LogChart();
    const RChartRect graph = chart.GraphRect();
    cursorValid_ = event.x >= graph.left && event.x < graph.right && event.y >= graph.top && event.y < graph.bottom;
    if (!cursorValid_)
        InfoPanel_->clear();
    // Only the cursor line or the band changes: the frame is put back and
    // the overlay drawn again (cViewLasFilePaint).
    cViewLasFile_->viewport()->update();
}

void TFrmMain::cViewLasFileMouseUp(const RChartMouseEvent& event)
{
    if (event.button != 0 || !mouseDown_)
        return;
    mouseDown_ = dragging_ = false;
    rectanglePending_ = true;
    RChart& chart = LogChart();
    chart.Layout();
    const RChartRect graph = chart.GraphRect();
    const int distance = QApplication::startDragDistance();
    if (std::abs(event.x - downX_) < distance && std::abs(event.y - downY_) < distance) {
        // A click: the saved zoom with its top-left corner here.
        savedView_.OffsetX = graph.Width() > 0 ? std::clamp(double(event.x - graph.left) / graph.Width(), 0.0, 1.0) : 0;
        savedView_.OffsetY = DepthFraction(event.y);
        RestoreSavedView();
    } else {
        // A drag: the band between the two rows, both held to the graph area.
        const int low = graph.top, high = std::max(graph.top, graph.bottom - 1);
        int top = std::clamp(std::min(downY_, event.y), low, high);
        int bottom = std::clamp(std::max(downY_, event.y), low, high);
        if (top == bottom) {
            rectanglePending_ = false;
            cViewLasFile_->viewport()->update();
            return;
        }
        downY_ = top;
        upY_ = bottom;
        downX_ = std::max(std::min(downX_, event.x), graph.left);
        ApplyScale();
    }
    cViewLasFileScale();
    rectanglePending_ = false;
    SetInscribeActive(false);
}

void TFrmMain::cViewLasFilePaint(RChart& chart)
{
    if (chart.Invalid() || !cleanFrameValid_ || cleanFrame_.Width() != chart.Width()
        || cleanFrame_.Height() != chart.Height()) {
        chart.Draw();  // cViewLasFileAfterDrawAll keeps the clean frame and draws the overlay
        return;
    }
    CopyBitmap(cleanFrame_, chart.Bitmap());
    DrawOverlay(chart.Bitmap());
}

void TFrmMain::cViewLasFileAfterDrawAll(RBitmap32& bitmap)
{
    cleanFrame_.SetSize(bitmap.Width(), bitmap.Height());
    CopyBitmap(bitmap, cleanFrame_);
    cleanFrameValid_ = true;
    DrawOverlay(bitmap);
}

void TFrmMain::DrawOverlay(RBitmap32& bitmap)
{
    if (dragging_) {
        bitmap.FillRect(std::min(cursorX_, downX_), std::min(cursorY_, downY_), std::abs(cursorX_ - downX_),
                        std::abs(cursorY_ - downY_), kBandColor);
        return;
    }
    if (!documentLoaded_ || !cursorValid_)
        return;
    bitmap.DrawLine(0, cursorY_, bitmap.Width(), 0, kCursorColor, kCursorWidth);
    InfoPanel_->setText(ReadOut(cursorX_, cursorY_));
}

QString TFrmMain::ReadOut(int, int y) const
{
    // At the cursor's depth, each shown curve's own value there: its
    // nearest sample, "null" where it has none.
    const RChart& chart = cViewLasFile_->Chart();
    if (!core_ || chart.YAxis().Count() == 0)
        return QString();
    const double depth = chart.YAxis()[0].PixelToValue(y);
    const RLasData& data = *core_->Data;
    QString text = QString::fromStdString(lang_.Depth()) + ": " + DepthText(depth, data.Index);
    bool first = true;
    const auto& curves = data.Curves();
    for (std::size_t i = 0; i < curves.size(); ++i) {
        if (!core_->IsShown(i))
            continue;
        const RLasCurve& curve = *curves[i];
        const double position = std::nearbyint(curve.PositionOf(depth));
        QString value = "null";
        if (position >= 0.0 && position < static_cast<double>(curve.SampleCount())) {
            const RLasSample sample = curve.Data.Samples[static_cast<std::size_t>(position)];
            if (!(sample.Flags & kSampleNull) && std::isfinite(sample.Value))
                value = QString::number(sample.Value, 'g', 6);
        }
        if (first)
            text += " " + QString::fromStdString(lang_.Curves()) + ":";
        const std::string name = curve.Unit.empty() ? curve.Mnemonic : curve.Mnemonic + ", " + curve.Unit;
        text += (first ? " " : "; ") + LasText::ToDisplay(name, data) + " (" + value + ")";
        first = false;
    }
    return text;
}

void TFrmMain::cMiniMapPaint(RChart& chart)
{
    RBitmap32& bitmap = chart.Bitmap();
    if (miniMapValid_ && !chart.Invalid() && MiniMapBuffer.Width() == chart.Width()
        && MiniMapBuffer.Height() == chart.Height()) {
        CopyBitmap(MiniMapBuffer, bitmap);
    } else {
        MiniMapBuffer.SetSize(chart.Width(), chart.Height());
        chart.Draw();
        CopyBitmap(bitmap, MiniMapBuffer);
        miniMapValid_ = true;
    }
    if (!documentLoaded_)
        return;
    // The log chart's view window framed on the map.
    const RChart& log = cViewLasFile_->Chart();
    const RChartRect area = chart.GraphRect();
    const double offsetX = std::clamp(log.OffsetX(), 0.0, 1.0 - log.ViewSizeX());
    const double offsetY = std::clamp(log.OffsetY(), 0.0, 1.0 - log.ViewSizeY());
    const int left = ViewScale::Nearest(area.Width() * offsetX + area.left) - 2;
    const int top = ViewScale::Nearest(area.Height() * offsetY + area.top) - 2;
    const int width = ViewScale::Nearest(log.ViewSizeX() * area.Width()) + 4;
    const int height = ViewScale::Nearest(log.ViewSizeY() * area.Height()) + 4;
    bitmap.FillRect(left, top, width, height, kMiniMapFrameColor);
}

void TFrmMain::cMiniMapMouse(const RChartMouseEvent& event)
{
    if (!documentLoaded_)
        return;
    const RChartRect area = MiniMapChart().GraphRect();
    if (area.Empty())
        return;
    RChart& log = LogChart();
    log.SetOffsetX(double(event.x - area.left) / area.Width() - log.ViewSizeX() / 2);
    log.SetOffsetY(double(event.y - area.top) / area.Height() - log.ViewSizeY() / 2);
    cViewLasFile_->NoteViewChange();
    log.Invalidate();
}
