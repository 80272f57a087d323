#include "watch.h"

#include <QCoreApplication>
#include <QFileSystemWatcher>
#include <QStringList>
#include <QTimer>

#include "argument_bytes.h"
#include "build_command.h"

namespace mosaren::cli {

namespace {

// Quiet for this long, a burst of changes is over.
constexpr int kSettleMilliseconds = 150;

void WatchAgain(QFileSystemWatcher& watcher, const ProjectBuilder& builder) {
    // A file replaced by a rename (as editors save) leaves the watcher, so the list is made anew
    // after every build.
    const QStringList before = watcher.files() + watcher.directories();
    if (!before.isEmpty()) watcher.removePaths(before);
    QStringList paths;
    for (const std::string& path : builder.Watched()) paths << FromBytes(path);
    watcher.addPaths(paths);
}

}  // namespace

int WatchProject(ProjectBuilder& builder, bool force) {
    builder.Build(force, true);
    QFileSystemWatcher watcher;
    QTimer settle;
    settle.setSingleShot(true);
    settle.setInterval(kSettleMilliseconds);
    QObject::connect(&watcher, &QFileSystemWatcher::fileChanged, &settle,
                     qOverload<>(&QTimer::start));
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &settle,
                     qOverload<>(&QTimer::start));
    QObject::connect(&settle, &QTimer::timeout, [&] {
        builder.Build(false, false);
        WatchAgain(watcher, builder);
    });
    WatchAgain(watcher, builder);
    return QCoreApplication::exec();
}

}  // namespace mosaren::cli
