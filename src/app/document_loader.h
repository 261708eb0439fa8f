#pragma once
// RDocumentLoader: reads a document in a worker thread while the window
// waits in its own event loop, and shows a cancellable progress dialog
// ("LoadProgress": the share of the file read) once the load has taken
// kProgressDelayMs.
//
//     RDocumentLoader loader(window);
//     RDocumentLoader::Result result = loader.Load(readDocument, lasPath, settingsPath, texts);
//     if (!result.Cancelled && result.Core) ... // the new document
//
// A cancelled worker runs on unseen (the reader stops within a few
// thousand lines) and its document is dropped; the destructor waits for
// every such worker. The worker's diagnostics are collected by the load's
// own sink, unworded: their quotes of the file are read in the encoding the
// load has found, once it has ended.

#include "las/las_problem.h"

#include <QObject>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class QEventLoop;
class QWidget;
class RLasCore;
struct RDocumentLoad;
struct RLasLoadOptions;

class RDocumentLoader : public QObject {
    Q_OBJECT
public:
    // Reads the LAS file and settings.dat (paths in file-system bytes) into
    // a prepared document with the reader's `options`. Runs in the worker:
    // it must not touch the window. Raises on failure.
    using ReadDocument = std::function<std::unique_ptr<RLasCore>(
        const std::string& lasPath, const std::string& settingsPath, const RLasLoadOptions& options)>;

    struct Diagnostic {
        std::optional<RLasProblem> Problem;
        std::string Text;  // a plain message, when there is no problem
    };
    struct Result {
        bool Cancelled = false;
        std::unique_ptr<RLasCore> Core{};
        std::exception_ptr Failure{};  // what the reading raised, worded by the window
        std::vector<Diagnostic> Diagnostics{};
    };
    // The progress dialog's texts, in the interface language.
    struct Texts {
        QString Reading;  // "Reading file.las…"
        QString Cancel;
    };

    // A load taking longer than this shows its progress dialog.
    static constexpr int kProgressDelayMs = 500;
    // Diagnostics kept from one load.
    static constexpr std::size_t kMaxDiagnostics = 10000;

    // `window`: the progress dialog's parent.
    explicit RDocumentLoader(QWidget* window);
    ~RDocumentLoader() override;

    Result Load(const ReadDocument& read, const std::string& lasPath, const std::string& settingsPath,
                const Texts& texts);
    bool Loading() const { return loop_ != nullptr; }
    // Abandons the load under way: Load returns Cancelled.
    void Cancel();

private:
    void JoinFinished(bool all);

    QWidget* window_;
    QEventLoop* loop_ = nullptr;
    bool cancelled_ = false;
    struct Abandoned {
        std::shared_ptr<RDocumentLoad> load;
        std::thread worker;
    };
    std::vector<Abandoned> abandoned_;
};
