#include "COXCommandLine.h"

COXCommandLine::COXCommandLine(const QStringList& arguments)
{
    if (!arguments.isEmpty()) {
        m_program = arguments.front();
        m_arguments = arguments.mid(1);
    }
}
