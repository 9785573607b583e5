#pragma once
// The trace log: plain-text lines appended to one file by any module of
// any process of the user, each with an optional tag and source location
// and an indent that shows nesting. The settings that shape the output
// live in the per-user registry key "\Software\Orrery Works\Debugging"
// and are read afresh for every line, so they can be changed while a
// program runs:
//   "LogFileName"      the log file (settled by OwDTrace_Init)
//   "IncludeFileInfo"  0: tag only; 1: "file(line) : [tag] " first;
//                      2: tag first, " : file(line)" after the text
//   "Indent"           the nesting depth (shared by all processes)
//
// A line of level 0 costs nothing and writes nothing: every module passes
// its own trace level, 0 being off. A format that ends in BEL (\a) leaves
// the line open, and the next call continues it without a head. A line is
// at most 511 bytes; a longer one is cut (its line break with it).
//
// Only the format converts: the tag, the file name and a typed variant's
// text are written as they stand, percent signs and all.
#include "platform/types/CPoint.h"
#include "platform/types/CRect.h"
#include "platform/types/CSize.h"

namespace OWDebug {

void OwDTrace(int level, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
// Settles the log file's name from "LogFileName" (writing the default,
// "$XDG_STATE_HOME/Orrery Works/Debug <user>.log", when there is none);
// create empties the file.
void OwDTrace_Init(bool create);
// Stores path as "LogFileName"; lines go there after the next OwDTrace_Init.
void OwDTrace_SetLogFile(const char* path);
// The tag and source location of the lines that follow (texts not copied).
void OwDTrace_SetPrefix(const char* tag, const char* file, int line);
void OwDTrace_Incr(int level);
void OwDTrace_Decr(int level);
void OwDTrace_ResetIncr();
// "Time: " and the local date and time in their long form.
void OwDTrace_Time(int level);
void OwDTrace_Bool(int level, const char* text, const bool& value);
void OwDTrace_Point(int level, const char* text, const CPoint& point);
void OwDTrace_Size(int level, const char* text, const CSize& size);
void OwDTrace_Rect(int level, const char* text, const CRect& rect);
// The value as hexadecimal, then red, green and blue (lowest byte first).
void OwDTrace_Color(int level, const char* text, const unsigned long& color);

// The largest line, terminator included.
constexpr int kTraceLineBuffer = 512;

} // namespace OWDebug

// The module trace macro: each source file that traces defines
//     static int s_nTraceLevel = <level>;   // 0: off
// and writes OW_TRACE("format", args...). Tracing is compiled in only when
// the build switch OWDEBUG_TRACE is on (CMake option LUMIVU_TRACE, off in
// the delivered build); otherwise the calls vanish, arguments and all.
#if defined(OWDEBUG_TRACE) && OWDEBUG_TRACE
#define OW_TRACE(...) OWDebug::OwDTrace(s_nTraceLevel, __VA_ARGS__)
#define OW_TRACE_DO(call) call
#else
#define OW_TRACE(...) ((void)0)
#define OW_TRACE_DO(call) ((void)0)
#endif
