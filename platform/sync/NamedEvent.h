#pragma once
// Manual- and auto-reset events addressed by name within this process, with
// the platform's calls (CreateEvent, OpenEvent, SetEvent, ResetEvent,
// WaitForSingleObject, CloseHandle). An event exists while a handle to it is
// open; the last CloseHandle removes it and frees its name. Names are never
// shared with other processes: callers qualify them so that two owners in
// one process never meet either (see QualifiedEventName).
#include "platform/types/Win32Types.h"

#include <QString>

struct EventObject;
using HANDLE = EventObject*;

enum : DWORD {
    WAIT_OBJECT_0 = 0,
    WAIT_TIMEOUT = 258,
    WAIT_FAILED = 0xFFFFFFFF,
    INFINITE = 0xFFFFFFFF,
    EVENT_ALL_ACCESS = 0x1F0003,
};

// A new event, or a new handle to the event of that name when it exists
// (its state is then left as it is). An empty name makes an unnamed event.
HANDLE CreateEvent(bool manualReset, bool initialState, const QString& name);
// A new handle to the existing event of that name, or null.
HANDLE OpenEvent(DWORD access, bool inheritHandle, const QString& name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
// WAIT_OBJECT_0 when the event is (or becomes) set within timeoutMs
// (INFINITE: no limit), WAIT_TIMEOUT otherwise, WAIT_FAILED for no handle.
// An auto-reset event is reset by the wait that sees it set.
DWORD WaitForSingleObject(HANDLE event, DWORD timeoutMs);
BOOL CloseHandle(HANDLE event);

// "owner/name": owner is a text unique to what the event belongs to (an
// application object, a document), so that equal names of different
// owners address different events.
QString QualifiedEventName(const QString& owner, const QString& name);
// A text unique to an object for the life of the process (its address and
// a serial number, so that a later object at the same address differs).
QString UniqueOwnerId(const void* object);
