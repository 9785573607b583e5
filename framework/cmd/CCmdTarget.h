#pragma once
// Command routing as the framework does it: each target keeps a map from
// command ids to a handler and an optional update handler, and OnCmdMsg
// routes a command (or its update) through the targets a class names.
#include "CCmdUI.h"
#include "framework/app/CObject.h"

#include <functional>
#include <map>

class CCmdTarget : public CObject {
public:
    ~CCmdTarget() override = default;

    // Executes the command (update == nullptr) or asks for its state. Returns
    // true when this target, or one it routes to, handled it.
    virtual bool OnCmdMsg(UINT id, CCmdUI* update);

protected:
    void OnCommand(UINT id, std::function<void()> handler);
    void OnCommandRange(UINT first, UINT last, std::function<void(UINT)> handler);
    void OnUpdateCommand(UINT id, std::function<void(CCmdUI*)> update);
    void OnUpdateCommandRange(UINT first, UINT last, std::function<void(CCmdUI*)> update);

    // This target's own map only.
    bool DispatchOwn(UINT id, CCmdUI* update);

private:
    struct Entry {
        UINT last = 0;
        std::function<void(UINT)> handler;
        std::function<void(CCmdUI*)> update;
    };
    Entry* find(UINT id);
    std::map<UINT, Entry> m_map; // keyed by the first id of a range
};
