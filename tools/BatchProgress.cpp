#include "tools/BatchProgress.h"

#include <QFileInfo>
#include <sys/ioctl.h>
#include <unistd.h>

BatchProgress::BatchProgress(FILE* out, int total, bool terminal) : m_out(out), m_total(total), m_terminal(terminal) {}

bool BatchProgress::IsTerminal(FILE* out)
{
    // A terminal that cannot move the cursor back prints every redraw anew.
    const QByteArray term = qgetenv("TERM");
    return isatty(fileno(out)) && term != "dumb";
}

int BatchProgress::columns() const
{
    winsize size{};
    if (ioctl(fileno(m_out), TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

QString BatchProgress::BarLine(int done, int total, const QString& name, int width)
{
    const QString count = QStringLiteral(" %1/%2 ").arg(done).arg(total);
    const int bar = std::clamp(width / 3, 10, 40);
    const int filled = total > 0 ? int(qint64(bar) * done / total) : bar;
    QString line = QLatin1Char('[') + QString(filled, QLatin1Char('#')) + QString(bar - filled, QLatin1Char('-')) +
                   QLatin1Char(']') + count;
    const int room = width - 1 - int(line.size());
    if (room > 3)
        line += name.size() <= room ? name : QStringLiteral("...") + name.right(room - 3);
    return line;
}

void BatchProgress::Finished(const QString& input, const QString& output, bool converted, const QString& reason)
{
    ++m_done;
    if (m_terminal) {
        // A failure stays on screen above the bar; the bar is redrawn below.
        if (!converted)
            std::fprintf(m_out, "\r\033[Kfailed: %s: %s\n", qPrintable(input), qPrintable(reason));
        const QString line = BarLine(m_done, m_total, QFileInfo(input).fileName(), columns());
        std::fprintf(m_out, "\r\033[K%s", qPrintable(line));
    } else if (converted) {
        std::fprintf(m_out, "[%d/%d] converted %s -> %s\n", m_done, m_total, qPrintable(input), qPrintable(output));
    } else {
        std::fprintf(m_out, "[%d/%d] failed %s: %s\n", m_done, m_total, qPrintable(input), qPrintable(reason));
    }
    std::fflush(m_out);
}

void BatchProgress::Done()
{
    if (m_terminal)
        std::fputs("\r\033[K", m_out);
    std::fflush(m_out);
}
