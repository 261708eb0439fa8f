// TFrmMain's document: opening a file through the loader, showing it,
// saving it, and the diagnostics raised on the window's thread.

#include "app/chart_widget.h"
#include "app/error_text.h"
#include "app/log_overlay.h"
#include "app/main_form.h"
#include "app/mini_map.h"
#include "app/scale_track.h"
#include "app/wait_cursor.h"
#include "chart/chart.h"
#include "container/text_codec.h"
#include "view/las_core.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QSplitter>
#include <QThread>
#include <QTimer>
#include <QToolButton>

namespace {

// Messages kept from one command; a file with a fault on every line says
// enough with these.
constexpr int kMaxMessages = 10000;

QString FromUtf8(const std::string& text) { return QString::fromStdString(TextCodec::DecodeMixed(text)); }

}  // namespace

std::string TFrmMain::PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

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
        window_.messages_ << window_.ProblemMessage(problem, window_.core_ ? window_.core_->Data.get() : nullptr);
}

std::unique_ptr<RLasCore> TFrmMain::LoadDocumentFromFiles(const std::string& lasPath, const std::string& settingsPath,
                                                          const RLasLoadOptions& options)
{
    return RLasCore::Open(lasPath, settingsPath, options);
}

RLasLanguage TFrmMain::DiagnosticLanguage() const
{
    return lang_.Language() == 1 ? RLasLanguage::Russian : RLasLanguage::English;
}

QString TFrmMain::ProblemMessage(RLasProblem problem, const RLasData* data) const
{
    // Quotes of the file are decoded from the encoding of the data set they
    // were raised for; without one, read as UTF-8 or Windows-1251 byte by byte.
    if (data)
        DecodeQuotes(problem, [data](std::string_view bytes) { return data->DecodeText(bytes); });
    return FromUtf8(ProblemText(problem, DiagnosticLanguage()));
}

bool TFrmMain::OpenLasFile(const QString& path)
{
    if (Loading())
        return false;
    if (!QFileInfo(path).isFile()) {
        ShowError(Text(lang_.CannotOpenFile()) + path);
        return false;
    }
    messages_.clear();
    SetLoadingControls(true);
    RDocumentLoader::Result load =
        loader_->Load(LoadDocument, PathBytes(path), PathBytes(ViewSettingsPath()),
                      {Text(lang_.ReadingFile()).arg(path), Text(lang_.Cancel())});
    SetLoadingControls(false);
    if (load.Cancelled)
        return false;  // nothing changed

    QString failure;
    if (load.Failure) {
        try {
            std::rethrow_exception(load.Failure);
        } catch (const std::exception& error) {
            failure = ErrorText(error, DiagnosticLanguage());
        } catch (...) {
            // No reason given: the file could not be opened, as below.
        }
    }
    // The loaded data set, whoever holds it below: the window, or the load
    // when it is not swapped in.
    const RLasData* loaded = load.Core ? load.Core->Data.get() : nullptr;
    if (failure.isEmpty() && !loaded)
        failure = Text(lang_.CannotOpenFile()) + path;
    // A file that gives nothing to show (not a LAS file, a header without
    // data) is a failed open: the document on screen stays as it is.
    else if (failure.isEmpty() && loaded->Curves().empty())
        failure = Text(lang_.NoCurvesInFile()) + path;
    else if (failure.isEmpty() && loaded->Header.SampleCount == 0)
        failure = Text(lang_.NoRowsInFile()) + path;
    if (failure.isEmpty()) {
        const RWaitCursor wait;
        try {
            // The charts let go of the old document before it is freed, so
            // that nothing refers to it whatever happens below.
            ClearCharts();
            core_ = std::move(load.Core);
            documentLoaded_ = true;
            documentPath_ = path;
            ShowDocument();
        } catch (const std::exception& error) {
            failure = ErrorText(error, DiagnosticLanguage());
        }
        enableItAll();
    }
    // The worker's diagnostics come first, as they were written, their
    // quotes of the file read in the encoding it was found to have.
    QStringList messages;
    for (const RDocumentLoader::Diagnostic& diagnostic : load.Diagnostics)
        messages << (diagnostic.Problem ? ProblemMessage(*diagnostic.Problem, loaded) : FromUtf8(diagnostic.Text));
    messages << messages_;
    messages_ = messages;
    if (!failure.isEmpty())
        ShowError(failure);
    ReportMessages(Text(lang_.ReadingNotes()).arg(QFileInfo(path).fileName()));
    return failure.isEmpty();
}

void TFrmMain::ShowDocument()
{
    core_->BuildChart(LogChart());
    core_->BuildMiniMap(MiniMapChart());
    miniMap_->SetDocumentShown(true);
    overlay_->SetDocument(core_.get());
    SetVisibleLasXAxis();
    LogChart().Layout();
    navigator_->ShowWholeLog();
    ShowViewState();
    indetifyCaptionByPath(documentPath_);
    ShowInfo(infoShown_);
    LogChart().Invalidate();
    MiniMapChart().Invalidate();
    // The keys scroll the log from now on.
    cViewLasFile_->setFocus();
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
    if (Loading()) {
        loader_->Cancel();
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
    miniMap_->SetDocumentShown(false);
    overlay_->SetDocument(nullptr);
}

void TFrmMain::RebuildCharts()
{
    core_->BuildChart(LogChart());
    core_->BuildMiniMap(MiniMapChart());
    miniMap_->Forget();
    overlay_->ForgetFrame();
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
    OpenLasFile(path);
}

void TFrmMain::sBtnSaveClick()
{
    // Without a document there is nothing to save: no file dialog either.
    if (!documentLoaded_) {
        ShowError(Text(lang_.NoFileOpen()));
        return;
    }
    const QString path = ChooseSaveFile(this, documentPath_);
    if (path.isEmpty())
        return;
    messages_.clear();
    bool saved = false;
    {
        const RWaitCursor wait;
        saved = core_->Data->SaveToLas(PathBytes(path));
    }
    if (!saved) {
        // The writer has said what failed and why (its file error with the
        // system's reason).
        if (messages_.isEmpty())
            messages_ << Text(lang_.CannotWriteFile()) + path;
        ShowError(messages_.join('\n'));
        messages_.clear();
        return;
    }
    ReportMessages(Text(lang_.WritingNotes()).arg(QFileInfo(path).fileName()));
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
    QTimer::singleShot(0, this, [this, path] { Guarded([&] { OpenLasFile(path); }); });
}
