#include "tools/BatchConverter.h"

#include "tools/BatchProgress.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QThread>
#include <cstdio>

namespace {

const QStringList kFormats = {QStringLiteral("png"), QStringLiteral("pdf"), QStringLiteral("svg"),
                              QStringLiteral("emf"), QStringLiteral("bmp")};
// lumivu-render's options of one conversion that take a value.
const QStringList kValued = {QStringLiteral("--width"), QStringLiteral("--height"), QStringLiteral("--zoom"),
                             QStringLiteral("--dpi"),   QStringLiteral("--fit"),    QStringLiteral("--page"),
                             QStringLiteral("--given"), QStringLiteral("--paper")};

} // namespace

bool BatchConverter::ParseArguments(const QStringList& args, Options* options, bool* batch, QString* error)
{
    *batch = false;
    bool formatGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool batchOption = a == QLatin1String("--out-dir") || a == QLatin1String("--format") ||
                                 a == QLatin1String("--jobs");
        if (batchOption || kValued.contains(a)) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(a);
                return false;
            }
            const QString value = args[++i];
            if (!batchOption) {
                options->renderOptions << a << value;
                continue;
            }
            *batch = true;
            if (a == QLatin1String("--out-dir")) {
                options->outDir = value;
            } else if (a == QLatin1String("--format")) {
                formatGiven = true;
                options->format = value.toLower();
                if (!kFormats.contains(options->format)) {
                    *error = QStringLiteral("--format takes png, pdf, svg, emf or bmp");
                    return false;
                }
            } else {
                bool ok = false;
                options->jobs = value.toInt(&ok);
                if (!ok || options->jobs < 1 || options->jobs > 256) {
                    *error = QStringLiteral("--jobs takes a number from 1 to 256");
                    return false;
                }
            }
        } else if (a == QLatin1String("--timing")) {
            // Timings of single conversions; nothing to report in a batch.
        } else if (a.startsWith(QLatin1String("--"))) {
            options->renderOptions << a;
        } else {
            options->inputs << a;
        }
    }
    if (*batch && options->outDir.isEmpty()) {
        *error = QStringLiteral("%1 converts into a folder: give --out-dir DIR")
                     .arg(formatGiven ? QStringLiteral("--format") : QStringLiteral("--jobs"));
        return false;
    }
    if (*batch && options->inputs.isEmpty()) {
        *error = QStringLiteral("no input files");
        return false;
    }
    return true;
}

QStringList BatchConverter::OutputNames(const QStringList& inputs, const QString& outDir, const QString& format)
{
    QStringList names;
    QSet<QString> taken;
    // An output never replaces an input (emf to emf into the input's folder).
    QSet<QString> sources;
    for (const QString& input : inputs)
        sources.insert(QFileInfo(input).absoluteFilePath());
    const QDir dir(outDir);
    auto isFree = [&](const QString& name) {
        return !taken.contains(name) && !sources.contains(QFileInfo(dir.filePath(name)).absoluteFilePath());
    };
    const QString dot = QLatin1Char('.') + format;
    for (const QString& input : inputs) {
        const QFileInfo info(input);
        const QString base = info.completeBaseName().isEmpty() ? info.fileName() : info.completeBaseName();
        QString name = base + dot;
        if (!isFree(name))
            name = info.fileName() + dot;
        for (int n = 2; !isFree(name); ++n)
            name = QStringLiteral("%1-%2%3").arg(base).arg(n).arg(dot);
        taken.insert(name);
        names << dir.filePath(name);
    }
    return names;
}

QString BatchConverter::ReasonFrom(const QString& message, const QString& input)
{
    // The last line that is lumivu-render's own says why; Qt's notes and a
    // library's warnings may come before it.
    const QString prefix = QStringLiteral("lumivu-render: ");
    QString reason;
    for (const QString& line : message.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (line.startsWith(prefix))
            reason = line.mid(prefix.size());
    if (reason.startsWith(input + QStringLiteral(": ")))
        reason = reason.mid(input.size() + 2);
    return reason;
}

BatchConverter::BatchConverter(Options options, QString program)
    : m_options(std::move(options)), m_program(std::move(program))
{
    if (m_options.jobs <= 0)
        m_options.jobs = std::max(1, QThread::idealThreadCount());
    const QStringList outputs = OutputNames(m_options.inputs, m_options.outDir, m_options.format);
    const qint64 pid = QCoreApplication::applicationPid();
    for (int i = 0; i < m_options.inputs.size(); ++i) {
        Item item;
        item.input = m_options.inputs[i];
        item.output = outputs[i];
        // Hidden, in the same folder so that the rename is atomic, and with
        // the format's extension, which chooses the writer.
        item.temporary = QDir(m_options.outDir)
                             .filePath(QStringLiteral(".lumivu-render-%1-%2.%3").arg(pid).arg(i).arg(m_options.format));
        m_items.push_back(item);
    }
}

BatchConverter::~BatchConverter() = default;

int BatchConverter::Run()
{
    if (!QDir().mkpath(m_options.outDir) || !QFileInfo(m_options.outDir).isWritable()) {
        std::fprintf(stderr, "lumivu-render: %s: the output folder cannot be written\n", qPrintable(m_options.outDir));
        return 1;
    }
    BatchProgress progress(stderr, int(m_items.size()), BatchProgress::IsTerminal(stderr));
    m_progress = &progress;
    QEventLoop events;
    m_loop = &events;
    while (m_running < m_options.jobs && m_next < m_items.size())
        startNext();
    // Ends when the last process has been handled.
    if (m_running > 0)
        events.exec();
    m_loop = nullptr;
    progress.Done();
    m_progress = nullptr;

    int converted = 0;
    for (const Item& item : m_items)
        converted += item.converted;
    const int failed = int(m_items.size()) - converted;
    std::printf("%d of %zu converted into %s", converted, m_items.size(), qPrintable(m_options.outDir));
    std::printf(failed ? ", %d failed:\n" : "\n", failed);
    for (const Item& item : m_items)
        if (!item.converted)
            std::printf("  %s: %s\n", qPrintable(item.input), qPrintable(item.reason));
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}

void BatchConverter::startNext()
{
    const size_t index = m_next++;
    Item& item = m_items[index];
    auto* process = new QProcess(this);
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->setStandardOutputFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this, [this, process, index] { finished(process, index); });
    connect(process, &QProcess::errorOccurred, this, [this, process, index](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            finished(process, index);
    });
    ++m_running;
    process->start(m_program, m_options.renderOptions + QStringList{item.input, item.temporary});
}

void BatchConverter::finished(QProcess* process, size_t index)
{
    Item& item = m_items[index];
    const bool started = process->error() != QProcess::FailedToStart;
    const bool normal = started && process->exitStatus() == QProcess::NormalExit;
    if (normal && process->exitCode() == 0) {
        if (std::rename(QFile::encodeName(item.temporary).constData(), QFile::encodeName(item.output).constData()) == 0)
            item.converted = true;
        else
            item.reason = QStringLiteral("%1 cannot be written").arg(item.output);
    } else if (!started) {
        item.reason = QStringLiteral("lumivu-render could not be started");
    } else if (!normal) {
        item.reason = QStringLiteral("the conversion crashed");
    } else {
        item.reason = ReasonFrom(QString::fromLocal8Bit(process->readAllStandardError()), item.input);
        if (item.reason.isEmpty())
            item.reason = QStringLiteral("failed with status %1").arg(process->exitCode());
    }
    if (!item.converted)
        QFile::remove(item.temporary);
    m_progress->Finished(item.input, item.output, item.converted, item.reason);
    process->disconnect(this);
    process->deleteLater();
    --m_running;
    if (m_next < m_items.size())
        startNext();
    else if (m_running == 0 && m_loop)
        m_loop->quit();
}
