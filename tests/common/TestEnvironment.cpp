#include "TestEnvironment.h"

#include "platform/ui/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>

#include <sys/stat.h>

namespace testenv {
namespace {

std::unique_ptr<QTemporaryDir>& tempDir()
{
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}
std::vector<RecordedMessage>& messages()
{
    static std::vector<RecordedMessage> m;
    return m;
}
int& answer()
{
    static int a = IDOK;
    return a;
}

} // namespace

void Install()
{
    auto& dir = tempDir();
    dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/lumivu-test-XXXXXX");
    const QString home = dir->path();
    const struct {
        const char* var;
        const char* sub;
    } folders[] = {
        {"XDG_CONFIG_HOME", ".config"}, {"XDG_DATA_HOME", ".local/share"},
        {"XDG_CACHE_HOME", ".cache"},   {"XDG_STATE_HOME", ".local/state"},
        {"XDG_RUNTIME_DIR", "runtime"},
    };
    qputenv("HOME", home.toLocal8Bit());
    for (const auto& f : folders) {
        const QString path = home + "/" + f.sub;
        QDir().mkpath(path);
        qputenv(f.var, path.toLocal8Bit());
    }
    ::chmod((home + "/runtime").toLocal8Bit().constData(), 0700);

    SetMessageBoxHook([](const QString& text, const QString& caption, UINT type) {
        messages().push_back({text, caption, type});
        return answer();
    });
}

QString Home() { return tempDir() ? tempDir()->path() : QString(); }
const std::vector<RecordedMessage>& Messages() { return messages(); }
void ClearMessages() { messages().clear(); }
void SetMessageBoxAnswer(int a) { answer() = a; }
QString DataDir() { return QStringLiteral(LUMIVU_TEST_DATA_DIR); }
QString CorpusDir() { return QStringLiteral(LUMIVU_CORPUS_DIR); }
QString BuildDir() { return QStringLiteral(LUMIVU_BUILD_DIR); }
QString SourceDir() { return QStringLiteral(LUMIVU_SOURCE_DIR); }

std::vector<std::string> CorpusFiles(const std::function<bool(const QString& format)>& accept)
{
    std::vector<std::string> files;
    QFile index(CorpusDir() + QStringLiteral("/INDEX.tsv"));
    if (!index.open(QIODevice::ReadOnly))
        return files;
    QTextStream in(&index);
    in.readLine();
    while (!in.atEnd()) {
        const QStringList cols = in.readLine().split(QLatin1Char('\t'));
        if (cols.size() > 3 && accept(cols[3]))
            files.push_back(cols[0].toStdString());
    }
    return files;
}

} // namespace testenv
