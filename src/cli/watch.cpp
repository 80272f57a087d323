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
    // A file replaced by a rename (as editors save) leaves the watcher, and the textures may be
    // others now, so the list is brought up to date after every build. Paths watched all along
    // stay watched: a change to them is never missed.
    QStringList wanted;
    for (const std::string& path : builder.Watched()) wanted << FromBytes(path);
    QStringList gone;
    for (const QString& path : watcher.files() + watcher.directories()) {
        if (!wanted.contains(path)) gone << path;
    }
    if (!gone.isEmpty()) watcher.removePaths(gone);
    QStringList added;
    for (const QString& path : wanted) {
        if (!watcher.files().contains(path) && !watcher.directories().contains(path)) added << path;
    }
    if (!added.isEmpty()) watcher.addPaths(added);
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
    // Whatever changed while the first build ran, before anything was watched.
    builder.Build(false, false);
    WatchAgain(watcher, builder);
    return QCoreApplication::exec();
}

}  // namespace mosaren::cli
