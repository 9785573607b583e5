// The typed trace variants: the caller's text, then the value.
#include "Trace.h"

#include <ctime>
#include <string>

namespace OWDebug {

namespace {

// The caller's text as a format that writes it as it stands.
std::string literal(const char* text)
{
    std::string out;
    for (const char* p = text ? text : ""; *p; ++p) {
        out += *p;
        if (*p == '%')
            out += '%';
    }
    return out;
}

} // namespace

void OwDTrace_Time(int level)
{
    if (level == 0)
        return;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    // The long date-and-time form: "Wednesday, December 09, 2026 12:30:05".
    if (std::strftime(text, sizeof text, "%A, %B %d, %Y %H:%M:%S", &local) == 0)
        text[0] = '\0';
    OwDTrace(level, "Time: %s", text);
}

void OwDTrace_Bool(int level, const char* text, const bool& value)
{
    const std::string format = literal(text) + " Bool=%s";
    OwDTrace(level, format.c_str(), value ? "true" : "false");
}

void OwDTrace_Point(int level, const char* text, const CPoint& point)
{
    const std::string format = literal(text) + " Point: (%d, %d)";
    OwDTrace(level, format.c_str(), int(point.x), int(point.y));
}

void OwDTrace_Size(int level, const char* text, const CSize& size)
{
    const std::string format = literal(text) + " Size: (%d, %d)";
    OwDTrace(level, format.c_str(), int(size.cx), int(size.cy));
}

void OwDTrace_Rect(int level, const char* text, const CRect& rect)
{
    const std::string format = literal(text) + " Rect: (%d, %d)-(%d, %d) (%d, %d)";
    OwDTrace(level, format.c_str(), int(rect.left), int(rect.top), int(rect.right), int(rect.bottom),
             int(rect.right - rect.left), int(rect.bottom - rect.top));
}

void OwDTrace_Color(int level, const char* text, const unsigned long& color)
{
    const std::string format = literal(text) + " Color: %lX (%d, %d, %d)";
    OwDTrace(level, format.c_str(), color, int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

} // namespace OWDebug
