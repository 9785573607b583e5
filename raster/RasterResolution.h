#pragma once
// Resolutions as files state them, checked before they are believed: a
// resolution outside 1 to 100000 dots per inch is taken as not stated, so
// that no view divides by zero or lays an image out at an absurd size.
class RasterResolution {
public:
    static constexpr int kDefaultDpi = 96;
    static constexpr double kMaxDpi = 100000.0;

    // A stated resolution in dots per inch, rounded; 0 when implausible.
    static int Checked(double dpi);
    // From dots per metre, as Qt keeps them; 0 when implausible.
    static int FromDotsPerMeter(double dpm);
    // From dots per centimetre.
    static int FromDotsPerCentimeter(double dpcm);
    // The resolution to report: the stated one, or 96 when none was stated.
    static int OrDefault(int statedDpi) { return statedDpi > 0 ? statedDpi : kDefaultDpi; }
};
