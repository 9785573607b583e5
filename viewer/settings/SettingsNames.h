#pragma once
// The user's preferences: the values of the profile section "Settings" and
// their defaults. Readers read them at the moment of use; only the
// Preferences dialog writes them.
#include <QString>

namespace Settings {

inline QString Section() { return QStringLiteral("Settings"); }

// Integer, 0-5: the fit option of new documents.
inline QString FitOption() { return QStringLiteral("FitOption"); }
// Text, "%.2lf": the zoom factor of new views (1.00 is 100 %).
inline QString Zoom() { return QStringLiteral("Zoom"); }
// Text, "%d": the given width and height, hundredths of a centimetre.
inline QString XSize() { return QStringLiteral("XSize"); }
inline QString YSize() { return QStringLiteral("YSize"); }
// Integers 0/1.
inline QString MaximizeChildren() { return QStringLiteral("MaximizeChildren"); }
inline QString PersistentPos() { return QStringLiteral("PersistentPos"); }
inline QString MinToTaskTray() { return QStringLiteral("MinToTaskTray"); }
inline QString CenterPrintedImage() { return QStringLiteral("CenterPrintedImage"); }

constexpr int DefaultFitOption = 0;
constexpr int DefaultMaximizeChildren = 1;
// 20.32 cm, 8 inches: the given size when none is stored.
constexpr int DefaultGivenSize = 2032;
// The zoom factor is kept within these bounds.
constexpr double MinZoom = 0.01;
constexpr double MaxZoom = 100.0;

} // namespace Settings
