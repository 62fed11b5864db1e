#include "model/DefaultFields.h"

#include <array>

std::span<const TDefaultField> DefaultFields()
{
    using D = TDefaultParam;
    static const std::array<TDefaultField, 27> fields{{
        {qpCenter, &D::Center},           {qpArrow1, &D::Arrow1},           {qpArrow2, &D::Arrow2},
        {qpChCn, &D::ChCn},               {qpLine, &D::Line},               {qpTransparent, &D::Transparent},
        {qpPointX, &D::PointX},           {qpPointY, &D::PointY},           {qpPadding, &D::Padding},
        {qpBorderWidth, &D::BorderWidth}, {qpShadowWidth, &D::ShadowWidth}, {qpTextSize, &D::TextSize},
        {qpAngle, &D::Angle},             {qpTextFill, &D::TextFill},       {qpTextSpeech, &D::TextSpeech},
        {qpOrient, &D::Orient},           {qpLeft, &D::Left},               {qpTop, &D::Top},
        {qpWidth, &D::Width},             {qpHeight, &D::Height},           {qpBackColor, &D::BackColor},
        {qpShadowColor, &D::ShadowColor}, {qpBorderColor, &D::BorderColor}, {qpTextColor, &D::TextColor},
        {qpTextName, &D::TextName},       {qpTextValue, &D::TextValue},     {qpTextStyle, &D::TextStyle},
    }};
    return fields;
}

const TDefaultField* DefaultField(TQPropName name)
{
    for (const TDefaultField& field : DefaultFields())
        if (field.Name == name)
            return &field;
    return nullptr;
}

bool SetDefaultValue(TDefaultParam& param, const TQPropValue& value)
{
    const TDefaultField* field = DefaultField(value.Name);
    if (!field)
        return false;
    if (auto* b = std::get_if<bool TDefaultParam::*>(&field->Member))
        param.*(*b) = value.BoolValue;
    else if (auto* i = std::get_if<int32_t TDefaultParam::*>(&field->Member))
        param.*(*i) = value.IntValue;
    else if (auto* c = std::get_if<TColor TDefaultParam::*>(&field->Member))
        param.*(*c) = value.Color;
    else if (auto* st = std::get_if<TFontStyles TDefaultParam::*>(&field->Member))
        param.*(*st) = value.Style;
    else
        return false;
    return true;
}

std::optional<TQPropValue> DefaultValue(const TDefaultParam& param, TQPropName name)
{
    const TDefaultField* field = DefaultField(name);
    if (!field)
        return std::nullopt;
    if (auto* b = std::get_if<bool TDefaultParam::*>(&field->Member))
        return TQPropValue::OfBool(name, param.*(*b));
    if (auto* i = std::get_if<int32_t TDefaultParam::*>(&field->Member))
        return TQPropValue::OfInt(name, param.*(*i));
    if (auto* c = std::get_if<TColor TDefaultParam::*>(&field->Member))
        return TQPropValue::OfColor(name, param.*(*c));
    if (auto* st = std::get_if<TFontStyles TDefaultParam::*>(&field->Member))
        return TQPropValue::OfStyle(param.*(*st));
    return std::nullopt;
}

std::optional<QString> DefaultText(const TDefaultParam& param, TQPropName name)
{
    const TDefaultField* field = DefaultField(name);
    if (!field)
        return std::nullopt;
    if (auto* text = std::get_if<QString TDefaultParam::*>(&field->Member))
        return param.*(*text);
    return std::nullopt;
}
