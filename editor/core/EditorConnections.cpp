// TEditorCore: lines attached to figures while figures are dragged.
#include "editor/core/EditorCore.h"

#include "drawobjects/Connector.h"
#include "drawobjects/Solid.h"

bool TEditorCore::IsTiedConnector(const TDrawObject& obj) const
{
    const auto* line = dynamic_cast<const TConnector*>(&obj);
    if (!line)
        return false;
    const TSolid* ends[] = {line->Connection1(), line->Connection2()};
    for (const TSolid* end : ends)
        if (end && !end->Focused())
            return true;
    return false;
}

void TEditorCore::FollowConnectionsOf(TDrawObject& obj)
{
    auto* solid = dynamic_cast<TSolid*>(&obj);
    if (!solid)
        return;
    // Copy: following may attach or detach lines.
    const std::vector<TConnector*> lines = solid->ConnectorList();
    for (TConnector* line : lines) {
        line->FollowConnections();
        line->SmallRedraw = true;
        line->BigRedraw = true;
    }
}
