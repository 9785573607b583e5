// The trace log's lines, its file and its indent.
#include "Trace.h"

#include "COwUtilApp.h"
#include "framework/except/CException.h"
#include "toolkit/COXRegistryItem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdarg>
#include <cstdio>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace OWDebug {

namespace {

COXRegistryItem setting(const char* name)
{
    COXRegistryItem item;
    item.SetRegistryName(QStringLiteral("\\HKEY_CURRENT_USER\\"));
    item.SetKeyNames(QStringLiteral("\\Software\\Orrery Works\\Debugging\\"));
    item.SetValueName(QString::fromLatin1(name));
    return item;
}

// The last line written ended without a line break (its format ended in BEL).
bool g_continuation = false;

// The middle dot of the indent marks, as UTF-8.
constexpr const char* kMiddleDot = "\xC2\xB7";

QString userName()
{
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name && *pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    const QString env = qEnvironmentVariable("USER");
    return env.isEmpty() ? QStringLiteral("unknown") : env;
}

QString defaultLogPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Orrery Works/Debug ") + userName() + QStringLiteral(".log");
}

std::string formatArgs(const char* format, va_list args)
{
    char buffer[kTraceLineBuffer];
    const int n = std::vsnprintf(buffer, sizeof buffer, format ? format : "", args);
    return n < 0 ? std::string() : std::string(buffer, std::min<size_t>(size_t(n), sizeof buffer - 1));
}

void appendToLog(const QString& path, const std::string& text)
{
    if (path.isEmpty())
        return;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(text.data(), qint64(text.size()));
}

} // namespace

void OwDTrace(int level, const char* format, ...)
{
    if (level == 0)
        return;
    COwUtilApp& app = COwUtilApp::Instance();
    std::lock_guard lock(app.TraceLock());
    try {
        const DWORD mode = setting("IncludeFileInfo").GetNumberValue(0);
        const char* file = app.m_pszPrefixFile ? app.m_pszPrefixFile : "";
        std::string head;
        if (!g_continuation) {
            if (app.m_pszPrefixTag != nullptr) {
                char tag[kTraceLineBuffer];
                if (mode == 1)
                    std::snprintf(tag, sizeof tag, "%s(%i) : [%8s] ", file, app.m_nPrefixLine, app.m_pszPrefixTag);
                else
                    std::snprintf(tag, sizeof tag, "[%8s] ", app.m_pszPrefixTag);
                head += tag;
            }
            const int depth = int(setting("Indent").GetNumberValue(0));
            for (int i = 0; i < depth && head.size() < size_t(kTraceLineBuffer); ++i)
                head += std::to_string(i % 10 + 1) + kMiddleDot;
            head += "> ";
        }
        std::string body = format ? format : "";
        std::string suffix;
        if (mode == 2) {
            char where[kTraceLineBuffer];
            std::snprintf(where, sizeof where, " : %s(%i)", file, app.m_nPrefixLine);
            suffix = where;
        }
        // Whether the line ends is decided on the texts as written, before
        // the arguments are put in.
        const size_t n = head.size() + body.size() + suffix.size();
        std::string end;
        if (n > 0) {
            const char last = !suffix.empty() ? suffix.back() : !body.empty() ? body.back() : head.back();
            if (last == '\a') {
                g_continuation = true;
                body.pop_back();
            } else {
                g_continuation = false;
                end = "\n";
            }
        }
        va_list args;
        va_start(args, format);
        const std::string formatted = formatArgs(body.c_str(), args);
        va_end(args);
        std::string line = head + formatted + suffix + end;
        if (line.size() > size_t(kTraceLineBuffer - 1))
            line.resize(size_t(kTraceLineBuffer - 1));
        appendToLog(app.m_strLogFileName, line);
    } catch (const CException& e) {
        e.ReportError(MB_OK);
    }
}

void OwDTrace_Init(bool create)
{
    COwUtilApp& app = COwUtilApp::Instance();
    COXRegistryItem name = setting("LogFileName");
    app.m_strLogFileName = name.GetStringValue(QString());
    if (app.m_strLogFileName.isEmpty()) {
        const QString path = defaultLogPath();
        // The state folder may not exist yet on a fresh account.
        QDir().mkpath(QFileInfo(path).absolutePath());
        name.SetStringValue(path);
        app.m_strLogFileName = name.GetStringValue(QString());
    }
    if (create) {
        std::lock_guard lock(app.TraceLock());
        QFile file(app.m_strLogFileName);
        if (!app.m_strLogFileName.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.close();
    }
}

void OwDTrace_SetLogFile(const char* path) { setting("LogFileName").SetStringValue(QString::fromUtf8(path ? path : "")); }

void OwDTrace_SetPrefix(const char* tag, const char* file, int line)
{
    COwUtilApp& app = COwUtilApp::Instance();
    app.m_pszPrefixTag = tag;
    app.m_pszPrefixFile = file;
    app.m_nPrefixLine = line;
}

void OwDTrace_Incr(int level)
{
    if (level == 0)
        return;
    COXRegistryItem indent = setting("Indent");
    indent.SetNumberValue(indent.GetNumberValue(0) + 1u);
}

void OwDTrace_Decr(int level)
{
    if (level == 0)
        return;
    COXRegistryItem indent = setting("Indent");
    // 32-bit arithmetic: 0 - 1 is stored as 4294967295 and reads as -1.
    indent.SetNumberValue(indent.GetNumberValue(0) - 1u);
}

void OwDTrace_ResetIncr() { setting("Indent").SetNumberValue(0); }

} // namespace OWDebug
