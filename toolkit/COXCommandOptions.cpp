#include "COXCommandOptions.h"

#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace {

void report(const QString& program, const QString& message)
{
    const QByteArray text = (program + QStringLiteral(": ") + message + QLatin1Char('\n')).toLocal8Bit();
    std::fputs(text.constData(), stderr);
    std::fflush(stderr);
}

bool isPrefix(QChar c) { return c == QLatin1Char('-') || c == QLatin1Char('/'); }

} // namespace

bool COXCommandOptions::Add(const QString& name, int flags, const QString& description,
                            const QString& defaultValue)
{
    if (name.isEmpty() || isPrefix(name.front()) || name.contains(QLatin1Char('=')) || find(name) >= 0)
        return false;
    m_options.emplace_back(name, flags, description, defaultValue);
    m_results.emplace_back();
    return true;
}

int COXCommandOptions::find(const QString& name) const
{
    for (size_t i = 0; i < m_options.size(); ++i) {
        if (m_options[i].Matches(name))
            return int(i);
    }
    return -1;
}

bool COXCommandOptions::isHelp(const QString& name)
{
    return name == QLatin1String("?") || name.compare(QLatin1String("h"), Qt::CaseInsensitive) == 0
           || name.compare(QLatin1String("help"), Qt::CaseInsensitive) == 0;
}

void COXCommandOptions::addValue(int option, const QString& value) { m_results[size_t(option)].values << value; }

QString COXCommandOptions::ParseCmdLine(COXCommandLine& cmdLine, QStringList* fileNames)
{
    for (auto& r : m_results)
        r = Result{};
    const QString program = QFileInfo(cmdLine.ProgramName()).fileName();

    QString first;
    bool haveFirst = false;
    auto ordinary = [&](const QString& arg) {
        if (!haveFirst) {
            first = arg;
            haveFirst = true;
        } else if (fileNames) {
            *fileNames << arg;
        } else {
            report(program, QStringLiteral("extra argument %1: ignored").arg(arg));
        }
    };

    const QStringList& args = cmdLine.Arguments();
    int associating = -1; // the option collecting the arguments that follow it
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded) {
            ordinary(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            associating = -1;
            continue;
        }

        // Take the option name apart from its prefix and an "=value".
        QString body;
        const bool dash = arg.size() > 1 && arg.front() == QLatin1Char('-');
        const bool slash = arg.size() > 1 && arg.front() == QLatin1Char('/');
        if (dash)
            body = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
        else if (slash)
            body = arg.mid(1);
        const qsizetype eq = body.indexOf(QLatin1Char('='));
        const QString name = eq >= 0 ? body.left(eq) : body;
        int option = (dash || slash) ? find(name) : -1;
        if ((dash || slash) && option < 0 && eq < 0 && isHelp(name) && (dash || name == QLatin1String("?")))
            showHelp(program);

        if (option < 0) {
            if (dash) {
                report(program, QStringLiteral("unknown option %1: ignored").arg(arg));
                associating = -1;
            } else if (associating >= 0) {
                addValue(associating, arg);
            } else {
                ordinary(arg);
            }
            continue;
        }

        const COXCommandOptionDesc& desc = m_options[size_t(option)];
        Result& result = m_results[size_t(option)];
        result.enabled = true;
        if (!desc.IsList())
            result.values.clear();
        associating = -1;
        if (!desc.TakesValue()) {
            if (eq >= 0)
                report(program, QStringLiteral("option %1 takes no value: value ignored").arg(arg));
            continue;
        }
        if (eq >= 0)
            addValue(option, body.mid(eq + 1));
        if (desc.TakesAssociations()) {
            associating = option;
        } else if (eq < 0) {
            if (i + 1 < args.size())
                addValue(option, args[++i]);
            else
                report(program, QStringLiteral("option %1 expects a value").arg(arg));
        }
    }
    return first;
}

bool COXCommandOptions::IsEnabled(const QString& name) const
{
    const int option = find(name);
    return option >= 0 && m_results[size_t(option)].enabled;
}

QStringList COXCommandOptions::GetValues(const QString& name) const
{
    const int option = find(name);
    if (option < 0)
        return {};
    const Result& result = m_results[size_t(option)];
    if (result.values.isEmpty() && result.enabled && !m_options[size_t(option)].Default().isEmpty())
        return {m_options[size_t(option)].Default()};
    return result.values;
}

QString COXCommandOptions::GetValue(const QString& name) const
{
    const int option = find(name);
    if (option < 0)
        return {};
    const Result& result = m_results[size_t(option)];
    return result.values.isEmpty() ? m_options[size_t(option)].Default() : result.values.front();
}

QString COXCommandOptions::Usage(const QString& program) const
{
    struct Line {
        QString left, right;
    };
    std::vector<Line> lines;
    for (const auto& o : m_options) {
        QString left = QLatin1Char('-') + o.Name();
        if (o.TakesAssociations())
            left += QStringLiteral(" <value>...");
        else if (o.TakesValue())
            left += QStringLiteral(" <value>");
        QString right = o.Description();
        if (!o.Default().isEmpty())
            right += QStringLiteral(" (default: %1)").arg(o.Default());
        lines.push_back({left, right});
    }
    lines.push_back({QStringLiteral("-h, --help"), QStringLiteral("Show this help and exit")});

    qsizetype width = 0;
    for (const auto& l : lines)
        width = std::max(width, l.left.size());
    QString text = QStringLiteral("Usage: %1 [options] [file]\n\nOptions:\n").arg(program);
    for (const auto& l : lines)
        text += QStringLiteral("  ") + l.left.leftJustified(width + 2) + l.right + QLatin1Char('\n');
    text += QStringLiteral("\nOptions may start with \"-\", \"--\" or \"/\"; their names are not case-sensitive.\n"
                           "\"--\" ends the options: the arguments after it are file names.\n");
    return text;
}

void COXCommandOptions::showHelp(const QString& program) const
{
    const QByteArray text = Usage(program).toLocal8Bit();
    std::fputs(text.constData(), stdout);
    std::fflush(stdout);
    std::exit(0);
}
