// The defaults record seen through the property table: each field holds the
// value kind its property has, and no property or field comes twice (the
// settings file is written by walking this list; its layout test checks the order).
#include "model/DefaultFields.h"
#include "model/PropertyTable.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TQValueKind KindOf(const TDefaultMember& member)
{
    switch (member.index()) {
    case 0:
        return TQValueKind::Bool;
    case 1:
        return TQValueKind::Int;
    case 2:
        return TQValueKind::Color;
    case 3:
        return TQValueKind::String;
    default:
        return TQValueKind::Style;
    }
}

} // namespace

TEST(DefaultFields, EachFieldHoldsItsPropertysValueKindOnce)
{
    std::set<int> names;
    const std::span<const TDefaultField> fields = DefaultFields();
    for (size_t i = 0; i < fields.size(); ++i) {
        const TDefaultField& field = fields[i];
        EXPECT_TRUE(names.insert(field.Name).second) << int(field.Name);
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(fields[j].Member == field.Member) << int(field.Name);
        EXPECT_EQ(KindOf(field.Member), PropertyInfo(field.Name).Value) << int(field.Name);
    }
    EXPECT_EQ(DefaultFields().size(), 27u);
}
