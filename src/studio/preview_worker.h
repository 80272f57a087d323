#pragma once

// Makes previews off the UI thread, one at a time. A request made while one is being made waits
// for it, replacing any request that waited before: only the newest is made next, and a result
// reaches the window only if no newer request came after it.

#include <QFutureWatcher>
#include <QObject>
#include <optional>

#include "preview_render.h"

namespace mosaren::studio {

class PreviewWorker : public QObject {
    Q_OBJECT
public:
    explicit PreviewWorker(QObject* parent = nullptr);
    ~PreviewWorker() override;

    void Request(PreviewRequest request);
    bool Busy() const { return mRunning || mWaiting.has_value(); }

signals:
    void Ready(const mosaren::studio::PreviewResult& result);

private:
    void Start(PreviewRequest request);
    void Finished();

    QFutureWatcher<PreviewResult> mWatcher;
    bool mRunning = false;
    std::optional<PreviewRequest> mWaiting;
};

}  // namespace mosaren::studio
