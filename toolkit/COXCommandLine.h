#pragma once
// The program's command-line arguments as the shell split them (the shell
// did the quoting), without the program name.
#include <QString>
#include <QStringList>

class COXCommandLine {
public:
    // arguments as QCoreApplication::arguments() gives them: the program
    // first (kept as ProgramName), then the arguments.
    explicit COXCommandLine(const QStringList& arguments);

    const QString& ProgramName() const { return m_program; }
    int GetNumArgs() const { return int(m_arguments.size()); }
    // The argument at index (0 is the first after the program); empty when out of range.
    QString GetArg(int index) const { return m_arguments.value(index); }
    QString operator[](int index) const { return GetArg(index); }
    const QStringList& Arguments() const { return m_arguments; }

private:
    QString m_program;
    QStringList m_arguments;
};
