#include "raster/RasterMemoryBound.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <limits>

#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr qint64 kFloor = qint64(64) << 20;
constexpr qint64 kUnlimited = std::numeric_limits<qint64>::max();

std::atomic<qint64> g_override{0};

// A limit file of the control group: a number of bytes, or "max".
qint64 cgroupLimit(const char* path)
{
    QFile f(QString::fromLatin1(path));
    if (!f.open(QIODevice::ReadOnly))
        return kUnlimited;
    const QByteArray text = f.read(64).trimmed();
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    // v1 reports "no limit" as a huge page-rounded number; any value beyond
    // the physical memory is ignored by the caller's minimum anyway.
    return ok && value > 0 ? value : kUnlimited;
}

qint64 rlimitBytes(int resource)
{
    rlimit rl{};
    if (getrlimit(resource, &rl) != 0 || rl.rlim_cur == RLIM_INFINITY)
        return kUnlimited;
    return rl.rlim_cur > rlim_t(kUnlimited) ? kUnlimited : qint64(rl.rlim_cur);
}

} // namespace

qint64 RasterMemoryBound::FromMachine()
{
    static const qint64 bound = [] {
        const long pages = sysconf(_SC_PHYS_PAGES);
        const long pageSize = sysconf(_SC_PAGE_SIZE);
        qint64 usable = (pages > 0 && pageSize > 0) ? qint64(pages) * pageSize : qint64(1) << 30;
        usable = std::min({usable, cgroupLimit("/sys/fs/cgroup/memory.max"),
                           cgroupLimit("/sys/fs/cgroup/memory/memory.limit_in_bytes"),
                           rlimitBytes(RLIMIT_AS), rlimitBytes(RLIMIT_DATA)});
        return std::max(usable / 4, kFloor);
    }();
    return bound;
}

qint64 RasterMemoryBound::Bytes()
{
    const qint64 o = g_override.load(std::memory_order_relaxed);
    return o > 0 ? o : FromMachine();
}

void RasterMemoryBound::SetOverride(qint64 bytes)
{
    g_override.store(bytes > 0 ? bytes : 0, std::memory_order_relaxed);
}

bool RasterMemoryBound::Admits(qint64 width, qint64 height, int bytesPerPixel)
{
    if (width <= 0 || height <= 0 || bytesPerPixel <= 0 || width > kMaxSide || height > kMaxSide)
        return false;
    qint64 bytes = 0;
    if (qMulOverflow(width, height, &bytes) || qMulOverflow(bytes, qint64(bytesPerPixel), &bytes))
        return false;
    return bytes <= Bytes();
}
