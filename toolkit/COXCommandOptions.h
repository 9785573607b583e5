#pragma once
// The table of a program's command-line options and the parser that fills it.
//
// Grammar:
//  - An option is "-name", "--name" or "/name"; names compare without regard
//    to case. "-name=value" gives a value in the same argument.
//  - "/" also starts every absolute path, so "/name" is an option only when
//    name is a defined option (or the help option "/?"); otherwise it is an
//    ordinary argument.
//  - A switch (flags 0) takes nothing. COD_ARGOK alone takes the next
//    argument as its value; COD_ASSOCIATIONS takes every argument up to the
//    next option (19 = a list of such values). With COD_LIST the values of
//    repeated occurrences add up; otherwise the last occurrence counts.
//  - "--" ends the options: every argument after it is ordinary.
//  - The first ordinary argument is the parser's result (a file to open);
//    further ones go to the caller's list, or are reported and ignored.
//  - "-h", "--help", "-?" and "/?" print the options with their descriptions
//    on standard output and end the process with exit code 0.
//  - An option that is not defined is reported on standard error and ignored.
#include "COXCommandLine.h"
#include "COXCommandOptionDesc.h"

#include <QString>
#include <QStringList>
#include <vector>

class COXCommandOptions {
public:
    // Defines an option. Returns false (and defines nothing) for an empty
    // name, a name that starts with a prefix character, or one already defined.
    bool Add(const QString& name, int flags, const QString& description,
             const QString& defaultValue = QString());

    // Parses cmdLine against the table, replacing the results of any earlier
    // parse. Returns the first argument that belongs to no option (empty when
    // there is none); further ones are appended to fileNames when given.
    QString ParseCmdLine(COXCommandLine& cmdLine, QStringList* fileNames = nullptr);

    // Whether the option was given on the command line.
    bool IsEnabled(const QString& name) const;
    // The option's values in the order given; when it was given without any,
    // its default value (if that is not empty).
    QStringList GetValues(const QString& name) const;
    // The option's first value, or its default when it has none.
    QString GetValue(const QString& name) const;

    // The help text: the program's synopsis and one line per option.
    QString Usage(const QString& program) const;

    const std::vector<COXCommandOptionDesc>& Options() const { return m_options; }

private:
    struct Result {
        bool enabled = false;
        QStringList values;
    };

    int find(const QString& name) const;
    static bool isHelp(const QString& name);
    [[noreturn]] void showHelp(const QString& program) const;
    void addValue(int option, const QString& value);

    std::vector<COXCommandOptionDesc> m_options;
    std::vector<Result> m_results;
};
