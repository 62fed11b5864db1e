#pragma once
// The property table: each property a key frame can carry is described once -
// the value field it uses, how the project file encodes it, how it is carried
// between key frames - and each figure kind lists the properties it has, in
// the order a key frame stores them, with the accessors on its drawing object.
// Storing and loading a key frame and the project file's values iterate it;
// adding a property is an entry here and the accessors of the class that has it.
#include "model/Records.h"

#include <QString>
#include <array>
#include <span>

class TDrawObject;

// The value field of TQPropValue a property uses.
enum class TQValueKind { Bool, Int, Color, String, Style, Node, Bitmap };

// How the project file holds a property's value after its name byte.
enum class TQEncoding {
    Bool,   // one byte
    Int,    // Int32
    None,   // nothing: the format keeps no value (the value reads back as 0)
    Color,  // Int32 COLORREF
    String, // Int32 index into the string table
    Style,  // one byte of style bits
    Node,   // Int32 node number, then X and Y
    Bitmap, // IsGIF byte, Bitmap Int32, FNum Int32 (files with a header)
};

struct TQPropertyInfo {
    TQPropName Name;
    TQValueKind Value;
    TQEncoding Encoding;
    TQPropKind Between; // carried between key frames
};

// The description of every property, indexed by its name.
const TQPropertyInfo& PropertyInfo(TQPropName name);

// A property of a figure kind with its accessors. Get/Set serve the Bool,
// Int, Color and Style values; GetText/SetText the string properties (their
// values index the string table). The node count, the nodes and the picture
// are stored by the engine itself (their entries give their place only).
struct TFigureProperty {
    TQPropName Name;
    TQPropValue (*Get)(const TDrawObject&) = nullptr;
    void (*Set)(TDrawObject&, const TQPropValue&) = nullptr;
    QString (*GetText)(const TDrawObject&) = nullptr;
    void (*SetText)(TDrawObject&, const QString&) = nullptr;
};

// The properties figures of one kind have.
class TFigureProperties {
public:
    // In the order a key frame stores them.
    std::span<const TFigureProperty* const> InOrder() const { return {fOrder.data(), fCount}; }
    // The entry of a property, or nullptr when the kind does not have it.
    const TFigureProperty* Find(TQPropName name) const { return fByName[name]; }

private:
    friend const TFigureProperties& FigureProperties(TQFigName kind);
    std::array<const TFigureProperty*, kPropNameCount + 8> fOrder{};
    size_t fCount = 0;
    std::array<const TFigureProperty*, kPropNameCount> fByName{};
};

// The table of a figure kind (an empty one for kinds without a class).
const TFigureProperties& FigureProperties(TQFigName kind);
