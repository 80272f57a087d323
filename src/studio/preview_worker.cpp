#include "preview_worker.h"

#include <QtConcurrent/QtConcurrentRun>

namespace mosaren::studio {

PreviewWorker::PreviewWorker(QObject* parent) : QObject(parent) {
    connect(&mWatcher, &QFutureWatcher<PreviewResult>::finished, this, &PreviewWorker::Finished);
}

PreviewWorker::~PreviewWorker() {
    // The preview being made writes into a folder of its own: let it end before the window goes.
    mWatcher.waitForFinished();
}

void PreviewWorker::Request(PreviewRequest request) {
    if (mRunning) {
        mWaiting = std::move(request);
        return;
    }
    Start(std::move(request));
}

void PreviewWorker::Start(PreviewRequest request) {
    mRunning = true;
    mWatcher.setFuture(
        QtConcurrent::run([request = std::move(request)] { return RenderPreview(request); }));
}

void PreviewWorker::Finished() {
    mRunning = false;
    if (mWaiting) {
        // A newer request came while this one was made: its result would be stale.
        PreviewRequest next = std::move(*mWaiting);
        mWaiting.reset();
        Start(std::move(next));
        return;
    }
    emit Ready(mWatcher.result());
}

}  // namespace mosaren::studio
