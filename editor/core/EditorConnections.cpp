// TEditorCore: lines attached to figures during group drags.
#include "editor/core/EditorCore.h"

bool TEditorCore::IsTiedConnector(const TDrawObject&) const
{
    return false;
}

void TEditorCore::FollowConnectionsOf(TDrawObject&)
{
}
