#include "gif/Extension.h"

TExtension::TExtension(TExtensionType type) : FExtType(type)
{
    switch (type) {
    case TExtensionType::etGraphic: FExtRec = TGraphicControlExtension{}; break;
    case TExtensionType::etPlainText: FExtRec = TPlainTextExtension{}; break;
    case TExtensionType::etApplication: FExtRec = TAppExtension{}; break;
    case TExtensionType::etComment: break;
    }
}

int TExtension::FixedSize(TExtensionType type)
{
    switch (type) {
    case TExtensionType::etGraphic: return int(sizeof(TGraphicControlExtension));
    case TExtensionType::etPlainText: return int(sizeof(TPlainTextExtension));
    case TExtensionType::etApplication: return int(sizeof(TAppExtension));
    case TExtensionType::etComment: return 0;
    }
    return 0;
}
