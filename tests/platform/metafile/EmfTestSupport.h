#pragma once
// What the recording tests share: rendering a metafile, comparing two
// renderings, listing records and a reference device like the EmfBuilder's.
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/BoundsBackend.h"
#include "platform/metafile/EmfPlayer.h"

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace emftest {

inline QImage render(HENHMETAFILE mf, int size = 200)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(std::make_unique<QPainterBackend>(&image));
    const RECT rect(0, 0, size, size);
    PlayEnhMetaFile(&dc, mf, &rect);
    dc.Flush();
    return image;
}

// The share of pixels that differ by more than a little.
inline double difference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 48 || std::abs(qGreen(p) - qGreen(q)) > 48 || std::abs(qBlue(p) - qBlue(q)) > 48)
                ++differing;
        }
    return double(differing) / (a.width() * a.height());
}

struct Rec {
    uint32_t type;
    std::vector<uint32_t> params;
};

inline std::vector<Rec> records(HENHMETAFILE mf)
{
    std::vector<Rec> out;
    size_t offset = 0;
    ENHMETARECORD r;
    bool malformed = false;
    while (mf->RecordAt(offset, &r, &malformed)) {
        Rec rec{r.iType, {}};
        for (size_t i = 0; i < (r.nSize - 8) / 4; ++i)
            rec.params.push_back(r.dParm(i));
        out.push_back(rec);
        offset += r.nSize;
    }
    EXPECT_FALSE(malformed);
    return out;
}

inline std::vector<uint32_t> typesOf(const std::vector<Rec>& recs, std::initializer_list<uint32_t> wanted)
{
    std::vector<uint32_t> out;
    for (const Rec& r : recs)
        if (std::find(wanted.begin(), wanted.end(), r.type) != wanted.end())
            out.push_back(r.type);
    return out;
}

// The reference device of the EmfBuilder's metafiles: 1000 pixels on 100 mm.
struct Reference {
    CDC dc{std::make_unique<BoundsBackend>(BoundsBackend::Device{1000, 1000, 100, 100, 96, 32}, [](const QRectF&) {})};
};

} // namespace emftest
