#include "NamedEvent.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>

struct EventObject {
    QString name;
    bool manualReset = true;
    bool signalled = false;
    int handles = 0;
    std::condition_variable changed;
};

namespace {

// One lock for the registry and every event's state: waits are short and
// events few, and one lock keeps Close and Wait free of ordering problems.
std::mutex& lock()
{
    static std::mutex m;
    return m;
}
std::map<QString, EventObject*>& registry()
{
    static std::map<QString, EventObject*> r;
    return r;
}

} // namespace

HANDLE CreateEvent(bool manualReset, bool initialState, const QString& name)
{
    std::lock_guard<std::mutex> guard(lock());
    if (!name.isEmpty()) {
        auto it = registry().find(name);
        if (it != registry().end()) {
            ++it->second->handles;
            return it->second;
        }
    }
    auto* e = new EventObject;
    e->name = name;
    e->manualReset = manualReset;
    e->signalled = initialState;
    e->handles = 1;
    if (!name.isEmpty())
        registry()[name] = e;
    return e;
}

HANDLE OpenEvent(DWORD, bool, const QString& name)
{
    std::lock_guard<std::mutex> guard(lock());
    auto it = registry().find(name);
    if (name.isEmpty() || it == registry().end())
        return nullptr;
    ++it->second->handles;
    return it->second;
}

BOOL SetEvent(HANDLE e)
{
    if (e == nullptr)
        return FALSE;
    std::lock_guard<std::mutex> guard(lock());
    e->signalled = true;
    if (e->manualReset)
        e->changed.notify_all();
    else
        e->changed.notify_one();
    return TRUE;
}

BOOL ResetEvent(HANDLE e)
{
    if (e == nullptr)
        return FALSE;
    std::lock_guard<std::mutex> guard(lock());
    e->signalled = false;
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE e, DWORD timeoutMs)
{
    if (e == nullptr)
        return WAIT_FAILED;
    std::unique_lock<std::mutex> guard(lock());
    auto ready = [e] { return e->signalled; };
    if (timeoutMs == INFINITE)
        e->changed.wait(guard, ready);
    else if (timeoutMs == 0) {
        // A poll (a painting thread asks before every record): a timed wait
        // that has already expired still costs a trip through the kernel.
        if (!ready())
            return WAIT_TIMEOUT;
    } else if (!e->changed.wait_for(guard, std::chrono::milliseconds(timeoutMs), ready))
        return WAIT_TIMEOUT;
    if (!e->manualReset)
        e->signalled = false;
    return WAIT_OBJECT_0;
}

BOOL CloseHandle(HANDLE e)
{
    if (e == nullptr)
        return FALSE;
    std::lock_guard<std::mutex> guard(lock());
    if (--e->handles > 0)
        return TRUE;
    if (!e->name.isEmpty())
        registry().erase(e->name);
    delete e;
    return TRUE;
}

QString QualifiedEventName(const QString& owner, const QString& name)
{
    return owner.isEmpty() ? name : owner + '/' + name;
}

QString UniqueOwnerId(const void* object)
{
    static std::atomic<unsigned long long> serial{0};
    return QStringLiteral("%1.%2").arg(quintptr(object), 0, 16).arg(++serial);
}
