#include "app/document_loader.h"

#include "app/wait_cursor.h"
#include "las/las_data.h"
#include "las/logging.h"
#include "view/las_core.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <atomic>

namespace {

// How often the window looks whether its worker has finished.
constexpr int kPollMs = 10;

// The share of the file a load has read, in thousandths.
int Permille(const RLasLoadProgress& progress)
{
    const std::uint64_t size = progress.FileSize, read = std::min<std::uint64_t>(progress.BytesRead, size);
    return size == 0 ? 0 : static_cast<int>(1000.0 * static_cast<double>(read) / static_cast<double>(size));
}

}  // namespace

// One load in the worker: what it reads, and what it hands back once `done`
// is set. It is the sink of the load's diagnostics.
struct RDocumentLoad final : RLogSink {
    std::string lasPath, settingsPath;
    RDocumentLoader::ReadDocument read;
    RDocumentLoader::Result result;
    RLasLoadProgress progress;
    std::atomic<bool> done{false};

    void Message(const std::string& text) override
    {
        if (result.Diagnostics.size() < RDocumentLoader::kMaxDiagnostics)
            result.Diagnostics.push_back({std::nullopt, text});
    }
    void Problem(const RLasProblem& problem) override
    {
        if (result.Diagnostics.size() < RDocumentLoader::kMaxDiagnostics)
            result.Diagnostics.push_back({problem, {}});
    }
};

RDocumentLoader::RDocumentLoader(QWidget* window) : QObject(window), window_(window) {}

RDocumentLoader::~RDocumentLoader() { JoinFinished(true); }

void RDocumentLoader::Cancel()
{
    if (!loop_)
        return;
    cancelled_ = true;
    loop_->quit();
}

void RDocumentLoader::JoinFinished(bool all)
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

RDocumentLoader::Result RDocumentLoader::Load(const ReadDocument& read, const std::string& lasPath,
                                              const std::string& settingsPath, const Texts& texts)
{
    JoinFinished(false);
    auto load = std::make_shared<RDocumentLoad>();
    load->lasPath = lasPath;
    load->settingsPath = settingsPath;
    load->read = read;
    std::thread worker([load] {
        // The load's diagnostics go to the load: the reader is given it,
        // and whatever else the reading logs on this thread reaches it too.
        RLasLoadOptions options;
        options.Progress = &load->progress;
        options.Sink = load.get();
        {
            const RLogScope scope(load.get());
            try {
                load->result.Core = load->read(load->lasPath, load->settingsPath, options);
            } catch (...) {
                load->result.Failure = std::current_exception();
            }
        }
        load->done = true;
    });

    QEventLoop loop;
    loop_ = &loop;
    cancelled_ = false;
    std::optional<RWaitCursor> wait(std::in_place);
    std::unique_ptr<QProgressDialog> progress;
    QTimer poll;
    poll.setInterval(kPollMs);
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (load->done)
            loop.quit();
        else if (progress)
            progress->setValue(Permille(load->progress));
    });
    QTimer delay;
    delay.setSingleShot(true);
    connect(&delay, &QTimer::timeout, this, [&] {
        progress = std::make_unique<QProgressDialog>(texts.Reading, texts.Cancel, 0, 1000, window_);
        progress->setObjectName("LoadProgress");
        progress->setWindowTitle(window_->windowTitle());
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        connect(progress.get(), &QProgressDialog::canceled, &loop, [this] { Cancel(); });
        progress->setValue(Permille(load->progress));
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
    loop_ = nullptr;

    if (cancelled_) {
        // Settings and preparing run to their end; the document goes with
        // the worker, unseen.
        load->progress.Cancel = true;
        abandoned_.push_back({load, std::move(worker)});
        Result cancelled;
        cancelled.Cancelled = true;
        return cancelled;
    }
    worker.join();
    return std::move(load->result);
}
