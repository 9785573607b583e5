#include "raster/RasterResolution.h"

#include <cmath>

int RasterResolution::Checked(double dpi)
{
    if (!std::isfinite(dpi))
        return 0;
    const double rounded = std::round(dpi);
    return rounded >= 1.0 && rounded <= kMaxDpi ? int(rounded) : 0;
}

int RasterResolution::FromDotsPerMeter(double dpm)
{
    return Checked(dpm * 0.0254);
}

int RasterResolution::FromDotsPerCentimeter(double dpcm)
{
    return Checked(dpcm * 2.54);
}
