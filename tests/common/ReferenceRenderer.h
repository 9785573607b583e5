#pragma once
// The reference renderer beside the shared corpus (Wine's GDI playing
// metafiles, and its image compare tool), for tests that measure this
// renderer against it. Each such test skips when it cannot run here.
#include "tests/common/TestEnvironment.h"

#include <QByteArray>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace testenv {

inline QString ReferenceToolsDir() { return CorpusDir() + QStringLiteral("/../tools/gdi-reference"); }

// Why the reference cannot render here; empty when it can.
inline QString WhyNoReferenceRenderer()
{
    const QString tools = ReferenceToolsDir();
    if (!QFileInfo(tools + QStringLiteral("/render")).isExecutable() ||
        !QFileInfo(tools + QStringLiteral("/compare")).isExecutable())
        return QStringLiteral("reference tools not present");
    if (QStandardPaths::findExecutable(QStringLiteral("wine64")).isEmpty() &&
        QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty())
        return QStringLiteral("wine not installed: the reference cannot render");
    return QString();
}

struct ProcessRun {
    int code = -1; // -1 when it crashed or did not finish in time
    QByteArray out;
    QByteArray err;
};

inline ProcessRun RunProcess(const QString& program, const QStringList& args, int timeoutMs = 600000,
                             const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// The reference renderings of files at a width, as <file name>.bmp in outDir.
inline ProcessRun RenderWithReference(const QStringList& files, int width, const QString& outDir)
{
    return RunProcess(ReferenceToolsDir() + QStringLiteral("/render"),
                      QStringList{QStringLiteral("--width"), QString::number(width), QStringLiteral("--out"), outDir} + files);
}

// The compare tool's score (0 to 1) of ours against the reference bitmap, or
// -1 when it failed.
inline double ReferenceScore(const QString& referenceBmp, const QString& ours)
{
    // The compare tool builds itself once into its cache folder: keep that
    // in the build tree rather than in the test's private home.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CACHE_HOME"), BuildDir() + QStringLiteral("/gdi-reference-cache"));
    const ProcessRun r = RunProcess(ReferenceToolsDir() + QStringLiteral("/compare"), {referenceBmp, ours}, 600000, env);
    if (r.code != 0)
        return -1;
    return r.out.split(' ').value(0).trimmed().toDouble();
}

} // namespace testenv
