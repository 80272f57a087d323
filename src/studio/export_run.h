#pragma once

// One export: the process of export_child.h run on a saved project, its progress lines read as
// they come, stoppable at any time.

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace mosaren::studio {

class ExportRun : public QObject {
    Q_OBJECT
public:
    // program: the executable that runs export_child.h's process (the Studio itself).
    explicit ExportRun(QString program, QObject* parent = nullptr);
    ~ExportRun() override;

    void Start(const QString& projectFile);
    // Stops the build as Ctrl-C stops mosaren-cli: what it had written stays whole, the rest is
    // not written. Finished follows.
    void Cancel();
    bool Running() const { return mProcess.state() != QProcess::NotRunning; }

signals:
    // done of total tiles of the set being made, and the line that said so.
    void Progress(int done, int total, const QString& line);
    // status: the command line's exit status (0 all made, 1 a texture or file failed, 2 the
    // project was refused), -1 when cancelled. failures: its "mosaren-cli: ..." lines;
    // summary: what it says it built.
    void Finished(int status, const QStringList& failures, const QString& summary);

private:
    void ReadLines();
    void Ended(int exitCode, QProcess::ExitStatus exitStatus);

    QString mProgram;
    QProcess mProcess;
    QByteArray mPending;
    QStringList mFailures;
    bool mCancelled = false;
};

}  // namespace mosaren::studio
