#pragma once
// lumivu-render's batch conversion: every input converted into one output
// folder, each by a lumivu-render process of its own (so that one file that
// fails, or even crashes, never stops the others), N at a time, with
// progress and a closing summary. A file is written under a temporary name
// and renamed once complete: a failed conversion leaves an older output of
// the same name as it was.
#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

class BatchProgress;
class QEventLoop;
class QProcess;

class BatchConverter : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString outDir;
        QString format = QStringLiteral("png");
        int jobs = 0; // 0: the number of cores
        // The options of one conversion (--width 800, --fit page...), given to each.
        QStringList renderOptions;
        QStringList inputs;
    };

    // Separates the batch options (--out-dir, --format, --jobs) from
    // lumivu-render's arguments. *batch is set when any was given; then
    // options holds the rest, the inputs apart. False with a message on a
    // usage error.
    static bool ParseArguments(const QStringList& args, Options* options, bool* batch, QString* error);
    // One output file per input in outDir: the input's name with the
    // format's extension; inputs that would share a name keep their own
    // extension too ("a.emf.png"), then take a number ("a-2.png").
    static QStringList OutputNames(const QStringList& inputs, const QString& outDir, const QString& format);
    // The reason in a lumivu-render message ("lumivu-render: in.emf: why").
    static QString ReasonFrom(const QString& message, const QString& input);

    BatchConverter(Options options, QString program);
    ~BatchConverter() override;
    // Converts everything, printing progress on standard error and the
    // summary on standard output; 0 when every file was converted.
    int Run();

private:
    struct Item {
        QString input;
        QString output;
        QString temporary;
        bool converted = false;
        QString reason;
    };
    void startNext();
    void finished(QProcess* process, size_t index);

    Options m_options;
    QString m_program;
    std::vector<Item> m_items;
    size_t m_next = 0;
    int m_running = 0;
    BatchProgress* m_progress = nullptr;
    QEventLoop* m_loop = nullptr;
};
