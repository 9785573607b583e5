#pragma once
// What a batch conversion shows while it runs: on a terminal, one line
// redrawn in place with a bar, the count and the file that finished last;
// elsewhere (a log, a pipe), one plain line per finished file.
#include <QString>
#include <cstdio>

class BatchProgress {
public:
    BatchProgress(FILE* out, int total, bool terminal);
    // Whether out is a terminal that a redrawn line suits.
    static bool IsTerminal(FILE* out);

    void Finished(const QString& input, const QString& output, bool converted, const QString& reason);
    // Clears the bar, so that what follows starts on a clean line.
    void Done();
    // The bar's line for done of total, at most width characters.
    static QString BarLine(int done, int total, const QString& name, int width);

private:
    int columns() const;

    FILE* m_out;
    int m_total;
    int m_done = 0;
    bool m_terminal;
};
