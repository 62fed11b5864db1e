#include "model/DefaultParam.h"

void TDefaultParam::InitDefault()
{
    *this = TDefaultParam{};
}
