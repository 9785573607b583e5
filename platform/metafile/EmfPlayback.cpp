#include "platform/metafile/EmfPlayback.h"

#include "platform/metafile/EmfRecordTypes.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcEmf, "lumivu.emf", QtWarningMsg)

namespace {
thread_local EmfPlaybackStats t_last;
}

std::string EmfPlaybackStats::SkippedSummary() const
{
    std::string s;
    for (const auto& [type, count] : skipped) {
        if (!s.empty())
            s += ", ";
        const char* name = EmfRecordName(type);
        s += name ? name : ("type " + std::to_string(type));
        s += " x" + std::to_string(count);
    }
    if (unknown) {
        if (!s.empty())
            s += ", ";
        s += "unknown x" + std::to_string(unknown);
    }
    return s;
}

void EmfPlayback::Skipped(uint32_t type)
{
    if (m_stats.skipped[type]++ == 0)
        qCDebug(lcEmf) << "skipping" << EmfRecordName(type);
}

void EmfPlayback::Unknown(uint32_t type)
{
    if (m_stats.unknown++ == 0)
        qCDebug(lcEmf) << "skipping unknown record type" << type;
}

EmfPlaybackStats LastEmfPlaybackStats() { return t_last; }
void SetLastEmfPlaybackStats(const EmfPlaybackStats& stats) { t_last = stats; }
