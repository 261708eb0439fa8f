#pragma once
// TFrmMain: the program's main window. It owns the open document (one
// RLasCore), the log chart cViewLasFile and the mini map cMiniMap, the
// scale panel, the header memo and the toolbar from which the dialogs open.
//
//     TFrmMain window(settingsFolder, arguments);  // reads mainSettings.ini
//     window.showMaximized();                      // opens arguments[0] if it is the only one
//     ...                                          // destruction writes mainSettings.ini
//
// Document commands: open (dialog, command line or a dropped file; always
// in the inscribed state: the whole log fitted, Inscribe down), save as
// LAS, the header memo, the language, the calculator, the curve settings,
// About, help and update. Navigation: the scale track and its "1:N"
// labels, the wheel (a tenth of the view per notch; Shift or Ctrl zoom in
// the chart), Inscribe with the saved view, rubber-band zoom and click, the
// cursor line with its read-out in InfoPanel, and the mini map.
//
// mainSettings.ini and settings.dat live in `settingsFolder`. Diagnostics of
// the LAS code reach the window through a sink it installs for its lifetime;
// after an open or a save they are shown (ShowMessages), LAS problems worded
// in the interface language and their quotes of the file decoded from the
// file's encoding.
//
// A file is read into a new document in a worker thread (LoadDocument);
// the window waits in its own event loop and shows a cancellable busy
// dialog once the load has taken kProgressDelayMs. Only a complete
// document replaces the open one: a cancelled or failed load leaves the
// document, the charts, the caption and the calculator's curves as they
// were. A cancelled worker runs on unseen and its result is dropped; the
// destructor waits for it. The worker's diagnostics are collected apart, by
// the load's own sink (RLasLoadOptions::Sink, and the worker thread's
// RLogScope), and shown after the open.
// File dialogs and the message lists go through the replaceable functions
// below, so tests drive the window without modal dialogs.

#include "app/help_launcher.h"
#include "app/multi_lang.h"
#include "app/updater.h"
#include "las/las_problem.h"
#include "las/logging.h"
#include "raster/bitmap32.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class QAction;
class QEventLoop;
class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSlider;
class QSplitter;
class QToolButton;
class RChart;
struct RLasLoadOptions;
class RChartWidget;
class RLasCore;
struct RChartMouseEvent;
struct RDocumentLoad;

class TFrmMain : public QWidget {
    Q_OBJECT
public:
    // The filter of the open and save dialogs.
    static const QString kLasFilter;

    // The saved view: fractions of the log chart's full extent.
    struct SavedView {
        double OffsetX = 0, OffsetY = 0, ViewSizeX = 1, ViewSizeY = 1;
    };

    // `arguments`: the command-line parameters after the program's name; a
    // single one is the LAS file opened when the window is first shown.
    explicit TFrmMain(QString settingsFolder, QStringList arguments = {}, QWidget* parent = nullptr);
    ~TFrmMain() override;

    // The open dialog (an existing file) and the save dialog (extension
    // "las" added); empty when cancelled. `suggested` is the current file.
    std::function<QString(QWidget* parent, const QString& suggested)> ChooseOpenFile;
    std::function<QString(QWidget* parent, const QString& suggested)> ChooseSaveFile;
    // Shows a list of messages under a heading (the diagnostics of a file).
    std::function<void(QWidget* parent, const QString& heading, const QStringList& messages)> ShowMessages;
    // Reads the LAS file and settings.dat (paths in file-system bytes) into
    // a prepared document, with the reader's `options`: reporting to their
    // Progress (and stopping when it asks) and raising problems to their
    // Sink. Runs in a worker thread: it must not touch the window. Raises
    // on failure.
    using DocumentLoader = std::function<std::unique_ptr<RLasCore>(
        const std::string& lasPath, const std::string& settingsPath, const RLasLoadOptions& options)>;
    DocumentLoader LoadDocument;
    static std::unique_ptr<RLasCore> LoadDocumentFromFiles(const std::string& lasPath,
                                                           const std::string& settingsPath,
                                                           const RLasLoadOptions& options);
    // A load taking longer than this shows its progress dialog (objectName
    // "LoadProgress": the share of the file read; its Cancel stops the
    // reader and abandons the load).
    static constexpr int kProgressDelayMs = 500;
    RUpdater Updater;
    RHelpLauncher Help;

    QString SettingsFolder() const { return settingsFolder_; }
    QString MainSettingsPath() const;
    QString ViewSettingsPath() const;

    RMultiLang& Lang() { return lang_; }
    // The language LAS problems are worded in: the interface's.
    RLasLanguage DiagnosticLanguage() const;
    RLasCore& Core() { return *core_; }
    RChart& LogChart();
    RChart& MiniMapChart();
    RChartWidget& LogChartWidget() { return *cViewLasFile_; }
    RChartWidget& MiniMapWidget() { return *cMiniMap_; }
    bool DocumentLoaded() const { return documentLoaded_; }
    bool Loading() const { return loadLoop_ != nullptr; }
    QString DocumentPath() const { return documentPath_; }
    bool InscribeActive() const { return inscribeActive_; }
    bool InfoShown() const { return infoShown_; }
    const SavedView& SavedViewWindow() const { return savedView_; }

    void enableItAll();
    void disableItAll();
    void updateMainLabels();
    void indetifyCaptionByPath(const QString& path);
    void ShowInfo(bool show);
    // Opens a LAS file into a new document; false when the file is missing,
    // opening it raised (the message is shown either way) or the load was
    // cancelled; the open document stays then.
    bool OpenLasFile(const QString& path);
    // The Open command's steps around OpenLasFile: the log opens inscribed
    // and the calculator's list of added curves is emptied.
    bool OpenDocument(const QString& path);

    // Navigation.
    void SetupScaleTrack();
    void PlaceScaleLabels();
    void ApplyScale();
    void cViewLasFileScale();
    void RestoreSavedView();
    // The read-out for a cursor at (x, y) over the log chart.
    QString ReadOut(int x, int y) const;

public slots:
    void sBtnOpenClick();
    void sBtnSaveClick();
    void sBtnInfoClick();
    void sBtnSettingsClick();
    void sBtnCalcClick();
    void sBtnCrossplotClick();
    void sBtnHelpClick();
    void sBtnInscribeClick();
    void sBtnMiniMapClick();
    void pmAboutClick();
    void pmHelpClick();
    void pmUpdateClick();
    void cbLangChange(int index);
    void TBScaleChange(int position);
    void lblValueClick(int scale);

protected:
    void showEvent(QShowEvent* event) override;
    // During a load: cancels it, then closes.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildToolbar();
    void BuildScalePanel();
    void SetupCharts();
    void FormShow();
    void LanguageChanged();
    void SetInscribeActive(bool active);
    // The scale track and label from the chart, without touching Inscribe.
    void SyncScaleFromChart();
    void ClearCharts();
    // Runs the load in a worker and waits for it; false when cancelled.
    bool RunLoad(const std::shared_ptr<RDocumentLoad>& load);
    void SetLoadingControls(bool loading);
    void RebuildCharts();
    void SetVisibleLasXAxis();
    // A depth on the log chart's pixel row as a fraction of the whole depth
    // range (0 at the top), held to 0..1.
    double DepthFraction(int y) const;

    void cViewLasFileMouseDown(const RChartMouseEvent& event);
    void cViewLasFileMouseMove(const RChartMouseEvent& event);
    void cViewLasFileMouseUp(const RChartMouseEvent& event);
    bool cViewLasFileMouseWheel(const RChartMouseEvent& event);
    void cViewLasFileAfterDrawAll(RBitmap32& bitmap);
    void cViewLasFilePaint(RChart& chart);
    void DrawOverlay(RBitmap32& bitmap);
    void cMiniMapPaint(RChart& chart);
    void cMiniMapMouse(const RChartMouseEvent& event);

    // Runs `command` and shows the message of an exception it raises.
    void Guarded(const std::function<void()>& command);
    void ShowError(const QString& text);
    // Shows the diagnostics collected since they were last taken.
    void ReportMessages(const QString& heading, QStringList extra = {});

    QString settingsFolder_;
    QStringList arguments_;
    RMultiLang lang_;
    std::unique_ptr<RLasCore> core_;
    bool documentLoaded_ = false;
    QString documentPath_;

    SavedView savedView_;
    bool infoShown_ = false;
    bool fitMode_ = false;
    bool inscribeActive_ = false;
    bool rectanglePending_ = false;
    bool mouseDown_ = false, dragging_ = false;
    int downX_ = 0, downY_ = 0, upY_ = 0;
    bool cursorValid_ = false;
    int cursorX_ = 0, cursorY_ = 0;
    bool shown_ = false;
    bool scaleTrackSet_ = false;

    // The log chart's frame without the cursor line and rubber band, so
    // that a mouse move only puts the overlay on it again.
    RBitmap32 cleanFrame_{1, 1};
    bool cleanFrameValid_ = false;
    // The mini map's picture; every BuildMiniMap invalidates it.
    RBitmap32 MiniMapBuffer{1, 1};
    bool miniMapValid_ = false;

    // Loads that were cancelled and whose workers may still run.
    struct Abandoned {
        std::shared_ptr<RDocumentLoad> load;
        std::thread worker;
    };
    std::vector<Abandoned> abandoned_;
    void JoinFinishedLoads(bool all);
    QEventLoop* loadLoop_ = nullptr;
    bool loadCancelled_ = false;

    // Takes the diagnostics raised on the window's thread (a save, the
    // dialogs) into messages_; installed process-wide for its lifetime.
    class WindowSink final : public RLogSink {
    public:
        explicit WindowSink(TFrmMain& window);
        ~WindowSink() override;
        WindowSink(const WindowSink&) = delete;
        WindowSink& operator=(const WindowSink&) = delete;
        void Message(const std::string& text) override;
        void Problem(const RLasProblem& problem) override;

    private:
        TFrmMain& window_;
        RLogSink* previous_;
    };

    QStringList messages_;
    WindowSink sink_;

    QWidget* pControls_;
    QToolButton* sBtnOpen_;
    QToolButton* sBtnCrossplot_;
    QToolButton* sBtnSettings_;
    QToolButton* sBtnSave_;
    QToolButton* sBtnCalc_;
    QToolButton* sBtnInscribe_;
    QToolButton* sBtnInfo_;
    QToolButton* sBtnMiniMap_;
    QToolButton* sBtnHelp_;
    QComboBox* cbLang_;
    QMenu* pmInfo_;
    QAction* pmAbout_;
    QAction* pmHelp_;
    QAction* pmUpdate_;
    RChartWidget* cMiniMap_;
    QWidget* ScalePanel_;
    QLabel* lblScaleName_;
    QLabel* lblScaleValue_;
    QSlider* TBScale_;
    std::vector<QLabel*> scaleLabels_;
    RChartWidget* cViewLasFile_;
    QSplitter* Splitter1_;
    QPlainTextEdit* memoInfo_;
    QLabel* InfoPanel_;
};
