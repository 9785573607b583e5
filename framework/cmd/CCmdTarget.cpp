#include "CCmdTarget.h"

bool CCmdTarget::OnCmdMsg(UINT id, CCmdUI* update) { return DispatchOwn(id, update); }

void CCmdTarget::OnCommand(UINT id, std::function<void()> handler)
{
    OnCommandRange(id, id, [h = std::move(handler)](UINT) { h(); });
}

void CCmdTarget::OnCommandRange(UINT first, UINT last, std::function<void(UINT)> handler)
{
    Entry& e = m_map[first];
    e.last = last;
    e.handler = std::move(handler);
}

void CCmdTarget::OnUpdateCommand(UINT id, std::function<void(CCmdUI*)> update)
{
    OnUpdateCommandRange(id, id, std::move(update));
}

void CCmdTarget::OnUpdateCommandRange(UINT first, UINT last, std::function<void(CCmdUI*)> update)
{
    Entry& e = m_map[first];
    e.last = last;
    e.update = std::move(update);
}

CCmdTarget::Entry* CCmdTarget::find(UINT id)
{
    auto it = m_map.upper_bound(id);
    if (it == m_map.begin())
        return nullptr;
    --it;
    return id <= it->second.last ? &it->second : nullptr;
}

bool CCmdTarget::DispatchOwn(UINT id, CCmdUI* update)
{
    Entry* e = find(id);
    if (e == nullptr)
        return false;
    if (update != nullptr) {
        if (e->update) {
            e->update(update);
            return true;
        }
        if (e->handler) {
            // A command with a handler and no update handler is enabled.
            update->Enable(TRUE);
            return true;
        }
        return false;
    }
    if (!e->handler)
        return false;
    e->handler(id);
    return true;
}
