#pragma once
// The default figure properties seen through the property table: the property
// each field of TDefaultParam holds, in the order the settings file stores
// them. The settings file iterates it; a new default is one entry here.
#include "model/DefaultParam.h"
#include "model/Records.h"

#include <optional>
#include <span>
#include <variant>

// A field of the defaults record, of one of the value kinds a property has.
using TDefaultMember = std::variant<bool TDefaultParam::*, int32_t TDefaultParam::*, TColor TDefaultParam::*,
                                    QString TDefaultParam::*, TFontStyles TDefaultParam::*>;

struct TDefaultField {
    TQPropName Name;
    TDefaultMember Member;
};

std::span<const TDefaultField> DefaultFields();
// The field that holds property `name`, or nullptr when no default does.
const TDefaultField* DefaultField(TQPropName name);
// Writes a Bool, Int, Color or Style value into the field of its property;
// false when no field of that kind holds it.
bool SetDefaultValue(TDefaultParam& param, const TQPropValue& value);
// The default of property `name` as a Bool, Int, Color or Style value;
// nothing for a string property or one no default holds.
std::optional<TQPropValue> DefaultValue(const TDefaultParam& param, TQPropName name);
// The default of a string property (a text, a font name); nothing otherwise.
std::optional<QString> DefaultText(const TDefaultParam& param, TQPropName name);
