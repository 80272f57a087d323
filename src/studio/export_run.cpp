#include "export_run.h"

#include <QRegularExpression>

#include "export_child.h"

namespace mosaren::studio {

ExportRun::ExportRun(QString program, QObject* parent)
    : QObject(parent), mProgram(std::move(program)) {
    connect(&mProcess, &QProcess::readyReadStandardError, this, &ExportRun::ReadLines);
    connect(&mProcess, &QProcess::finished, this, &ExportRun::Ended);
    connect(&mProcess, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        emit Finished(2, {mProcess.errorString()}, {});
    });
}

ExportRun::~ExportRun() {
    if (Running()) {
        mProcess.terminate();
        mProcess.waitForFinished(30000);
    }
}

void ExportRun::Start(const QString& projectFile) {
    mPending.clear();
    mFailures.clear();
    mCancelled = false;
    mProcess.start(mProgram, {QString::fromLatin1(kExportChildArgument), projectFile});
}

void ExportRun::Cancel() {
    if (!Running()) return;
    mCancelled = true;
    // SIGTERM: the build removes its temporary files and ends as the signal would.
    mProcess.terminate();
}

void ExportRun::ReadLines() {
    static const QRegularExpression progress(QStringLiteral("^\\[(\\d+)/(\\d+)\\] "));
    mPending += mProcess.readAllStandardError();
    for (qsizetype end = mPending.indexOf('\n'); end >= 0; end = mPending.indexOf('\n')) {
        const QString line = QString::fromUtf8(mPending.left(end));
        mPending.remove(0, end + 1);
        const QRegularExpressionMatch match = progress.match(line);
        if (match.hasMatch()) {
            emit Progress(match.captured(1).toInt(), match.captured(2).toInt(), line);
        } else if (line.startsWith(QStringLiteral("mosaren-cli: "))) {
            mFailures << line.mid(13);
        } else if (!line.isEmpty()) {
            emit Progress(-1, -1, line);
        }
    }
}

void ExportRun::Ended(int exitCode, QProcess::ExitStatus exitStatus) {
    mPending += '\n';
    ReadLines();
    const QString summary = QString::fromUtf8(mProcess.readAllStandardOutput()).trimmed();
    const int status = mCancelled ? -1 : exitStatus == QProcess::CrashExit ? 1 : exitCode;
    emit Finished(status, mFailures, summary);
}

}  // namespace mosaren::studio
