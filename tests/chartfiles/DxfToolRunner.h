#pragma once
// Runs a command-line tool for a test and hands back what it printed.

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace dxftest {

struct ToolRun {
    bool found = false;   // the program exists
    int exitCode = -1;
    QString out;
    QString err;
};

inline ToolRun runTool(const QString& program, const QStringList& args, int timeoutMs = 120000)
{
    ToolRun run;
    const QString exe = program.startsWith('/') ? program : QStandardPaths::findExecutable(program);
    if (exe.isEmpty() || !QFileInfo(exe).isExecutable())
        return run;
    run.found = true;
    QProcess p;
    p.start(exe, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return run;
    }
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

// Whether python3 can import ezdxf.
inline bool ezdxfAvailable()
{
    const ToolRun r = runTool("/usr/bin/python3", {"-c", "import ezdxf"});
    return r.found && r.exitCode == 0;
}

}  // namespace dxftest
