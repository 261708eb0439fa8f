#pragma once
// TFrmMain: the program's main window. It owns the open document (one
// RLasCore) and wires the toolbar's commands, the dialogs and the language
// to the rooms that do the work:
//   - RDocumentLoader reads a file in a worker, with its progress dialog;
//   - RLogNavigator holds the log chart's view (whole log, scale, band,
//     saved zoom);
//   - RScaleTrack is the scale panel, showing the scale the chart is drawn
//     at and reporting the one the user chooses;
//   - RLogOverlay draws the cursor line, its read-out and the rubber band;
//   - RMiniMap shows the whole log small, the view framed on it.
// The document's commands live in main_form_file.cpp, the navigation
// handlers in main_form_navigation.cpp.
//
//     TFrmMain window(settingsFolder, arguments);  // reads mainSettings.ini
//     window.showMaximized();                      // opens arguments[0] if it is the only one
//     ...                                          // destruction writes mainSettings.ini
//
// Only a complete document replaces the open one: a cancelled or failed
// load (no curves, no rows, an error) leaves the document, the charts and
// the caption as they were. Diagnostics of the core reach the window through
// a sink it installs for its lifetime and are shown after an open or a save,
// worded in the interface language, their quotes of the file decoded from
// the file's encoding. File dialogs and the message lists go through the
// replaceable functions below, so tests drive the window without modal
// dialogs.
//
// Keys (the log chart has the focus once a file is open): Page Up/Down a
// view, arrows a tenth of one, Home/End the top and bottom, + and - zoom,
// Ctrl+G a typed depth, Escape cancels a drag.

#include "app/document_loader.h"
#include "app/help_launcher.h"
#include "app/log_navigator.h"
#include "app/multi_lang.h"
#include "app/updater.h"
#include "las/las_problem.h"
#include "las/logging.h"

#include <QString>
#include <QStringList>
#include <QTranslator>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QToolButton;
class RChart;
class RChartWidget;
class RLasCore;
class RLasData;
class RLogOverlay;
class RMiniMap;
class RScaleTrack;
struct RChartMouseEvent;

class TFrmMain : public QWidget {
    Q_OBJECT
public:
    // The saved view: fractions of the log chart's full extent.
    using SavedView = RLogNavigator::View;

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
    // Asks for the depth Ctrl+G goes to, offering `current`; none when
    // cancelled.
    std::function<std::optional<double>(QWidget* parent, double current, double top, double bottom)> AskDepth;
    // Reads a document in the loader's worker (RLasCore::Open by default).
    using DocumentLoader = RDocumentLoader::ReadDocument;
    DocumentLoader LoadDocument;
    static std::unique_ptr<RLasCore> LoadDocumentFromFiles(const std::string& lasPath,
                                                           const std::string& settingsPath,
                                                           const RLasLoadOptions& options);
    static constexpr int kProgressDelayMs = RDocumentLoader::kProgressDelayMs;
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
    RLogNavigator& Navigator() { return *navigator_; }
    bool DocumentLoaded() const { return documentLoaded_; }
    bool Loading() const { return loader_->Loading(); }
    QString DocumentPath() const { return documentPath_; }
    // Inscribe is down: the whole log is shown.
    bool InscribeActive() const { return navigator_->WholeLog(); }
    bool InfoShown() const { return infoShown_; }
    const SavedView& SavedViewWindow() const { return navigator_->SavedZoom(); }

    void enableItAll();
    void disableItAll();
    void updateMainLabels();
    void indetifyCaptionByPath(const QString& path);
    void ShowInfo(bool show);
    // Opens a LAS file into a new document, the whole log shown; false when
    // the file is missing, gives no curves or rows, raised (the message is
    // shown either way) or the load was cancelled; the open document stays
    // then.
    bool OpenLasFile(const QString& path);
    bool OpenDocument(const QString& path) { return OpenLasFile(path); }

    // The read-out for a cursor at (x, y) over the log chart.
    QString ReadOut(int x, int y) const;
    // The chart zoomed itself (the wheel with Shift or Ctrl).
    void cViewLasFileScale();
    // Ctrl+G: asks for a depth and centres the view on it.
    void GoToDepth();

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
    // The track moved to `position`, or a label chose `scale`.
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
    void BuildShortcuts();
    void SetupCharts();
    void FormShow();
    void LanguageChanged();
    // Qt's own texts (standard buttons, the file dialogs) in the language.
    void InstallQtTexts();
    // The document's charts, the whole log shown.
    void ShowDocument();
    void ClearCharts();
    void RebuildCharts();
    void SetLoadingControls(bool loading);
    void SetVisibleLasXAxis();
    QString Text(const std::string& utf8) const { return QString::fromStdString(utf8); }
    // A path in file-system bytes.
    static std::string PathBytes(const QString& path);

    // Navigation (main_form_navigation.cpp).
    // The scale track and Inscribe show the view as it stands.
    void ShowViewState();
    void ShowScale(int scale);
    bool NavigationKey(int key, Qt::KeyboardModifiers modifiers);
    void cViewLasFileMouseDown(const RChartMouseEvent& event);
    void cViewLasFileMouseMove(const RChartMouseEvent& event);
    void cViewLasFileMouseUp(const RChartMouseEvent& event);
    bool cViewLasFileMouseWheel(const RChartMouseEvent& event);

    // Runs `command` and shows the message of an exception it raises.
    void Guarded(const std::function<void()>& command);
    void ShowError(const QString& text);
    // Shows the diagnostics collected since they were last taken.
    void ReportMessages(const QString& heading, QStringList extra = {});
    QString ProblemMessage(RLasProblem problem, const RLasData* data) const;

    QString settingsFolder_;
    QStringList arguments_;
    RMultiLang lang_;
    QTranslator qtTexts_;
    bool qtTextsInstalled_ = false;
    std::unique_ptr<RLasCore> core_;
    bool documentLoaded_ = false;
    QString documentPath_;
    bool infoShown_ = false;
    bool shown_ = false;
    bool mouseDown_ = false;
    int downX_ = 0, downY_ = 0;

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
    RScaleTrack* ScalePanel_;
    RChartWidget* cViewLasFile_;
    QSplitter* Splitter1_;
    QPlainTextEdit* memoInfo_;
    QLabel* InfoPanel_;

    RDocumentLoader* loader_;
    std::unique_ptr<RLogNavigator> navigator_;
    std::unique_ptr<RLogOverlay> overlay_;
    std::unique_ptr<RMiniMap> miniMap_;
};
