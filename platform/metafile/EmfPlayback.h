#pragma once
// What one enumeration of a metafile keeps beside the device context: the
// save level it started at (a metafile never restores past it) and the
// records it skipped.
#include <array>
#include <cstdint>
#include <map>
#include <string>

class EnhMetaFile;

struct EmfPlaybackStats {
    uint64_t played = 0;
    // Records of types the engine does not play yet, and of unknown types.
    std::map<uint32_t, uint64_t> skipped;
    uint64_t unknown = 0;
    bool malformed = false; // a record that did not fit ended playback

    // "EMR_EXTTEXTOUTW x12, EMR_BITBLT x1" (empty when nothing was skipped).
    std::string SkippedSummary() const;
};

class EmfPlayback {
public:
    EmfPlayback(const EnhMetaFile* metafile, int baseSaveLevel)
        : m_metafile(metafile), m_baseLevel(baseSaveLevel) {}

    const EnhMetaFile* Metafile() const { return m_metafile; }
    int BaseSaveLevel() const { return m_baseLevel; }
    EmfPlaybackStats& Stats() { return m_stats; }
    const EmfPlaybackStats& Stats() const { return m_stats; }

    void Skipped(uint32_t type);
    void Unknown(uint32_t type);

private:
    const EnhMetaFile* m_metafile;
    int m_baseLevel;
    EmfPlaybackStats m_stats;
};

// The statistics of the last enumeration that ended on the calling thread.
EmfPlaybackStats LastEmfPlaybackStats();
void SetLastEmfPlaybackStats(const EmfPlaybackStats& stats);
