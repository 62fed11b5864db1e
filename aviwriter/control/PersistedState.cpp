#include "aviwriter/control/PersistedState.h"

#include "aviwriter/control/TypeLibrary.h"

#include "com/BStr.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <variant>

namespace avi {

namespace {

// Value tags of the component stream.
enum TValueType : uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
};

const char* const kClassName = "TAviWriterEngine";
const char* const kBadStream = "Invalid stream format";

class TStateWriter {
public:
    void Bytes(const void* p, size_t n)
    {
        const auto* b = static_cast<const uint8_t*>(p);
        fOut.insert(fOut.end(), b, b + n);
    }
    void Byte(uint8_t b) { fOut.push_back(b); }
    void Int32(int32_t v) { Bytes(&v, 4); } // little-endian host
    void Short(const std::string& s)
    {
        Byte(uint8_t(s.size()));
        Bytes(s.data(), s.size());
    }
    void Integer(const std::string& name, int32_t v)
    {
        Short(name);
        if (v >= -128 && v <= 127) {
            Byte(vaInt8);
            Byte(uint8_t(int8_t(v)));
        } else if (v >= -32768 && v <= 32767) {
            Byte(vaInt16);
            const int16_t s = int16_t(v);
            Bytes(&s, 2);
        } else {
            Byte(vaInt32);
            Int32(v);
        }
    }
    void Boolean(const std::string& name, bool v)
    {
        Short(name);
        Byte(v ? vaTrue : vaFalse);
    }
    void Ident(const std::string& name, const std::string& ident)
    {
        Short(name);
        Byte(vaIdent);
        Short(ident);
    }
    void String(const std::string& name, const std::string& text)
    {
        Short(name);
        const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return uint8_t(c) < 0x80; });
        if (!ascii) {
            Byte(vaUTF8String);
            Int32(int32_t(text.size()));
        } else if (text.size() <= 255) {
            Byte(vaString);
            Byte(uint8_t(text.size()));
        } else {
            Byte(vaLString);
            Int32(int32_t(text.size()));
        }
        Bytes(text.data(), text.size());
    }
    std::vector<uint8_t> Take() { return std::move(fOut); }

private:
    std::vector<uint8_t> fOut;
};

using TValue = std::variant<int64_t, bool, std::string>; // number, boolean, text or identifier

// Reads the stream with every length checked against what is left.
class TStateReader {
public:
    explicit TStateReader(const std::vector<uint8_t>& in) : fIn(in) {}

    bool AtEnd() const { return fPos >= fIn.size(); }
    uint8_t Byte()
    {
        Need(1);
        return fIn[fPos++];
    }
    void Read(void* p, size_t n)
    {
        Need(n);
        std::memcpy(p, fIn.data() + fPos, n);
        fPos += n;
    }
    void Skip(size_t n)
    {
        Need(n);
        fPos += n;
    }
    int32_t Int32()
    {
        int32_t v = 0;
        Read(&v, 4);
        return v;
    }
    uint32_t Count()
    {
        const int32_t n = Int32();
        if (n < 0)
            throw EAviWriterError(kBadStream);
        return uint32_t(n);
    }
    std::string Text(size_t n)
    {
        Need(n);
        std::string s(reinterpret_cast<const char*>(fIn.data() + fPos), n);
        fPos += n;
        return s;
    }
    std::string Short() { return Text(Byte()); }

    // One value; lists, sets and binary data are read past and give nothing.
    std::optional<TValue> Value(int depth = 0)
    {
        if (depth > 16)
            throw EAviWriterError(kBadStream);
        switch (Byte()) {
        case vaInt8: return int64_t(int8_t(Byte()));
        case vaInt16: {
            int16_t v = 0;
            Read(&v, 2);
            return int64_t(v);
        }
        case vaInt32: return int64_t(Int32());
        case vaInt64: {
            int64_t v = 0;
            Read(&v, 8);
            return v;
        }
        case vaFalse: return false;
        case vaTrue: return true;
        case vaString: case vaIdent: return Short();
        case vaLString: case vaUTF8String: return Text(Count());
        case vaWString: {
            const uint32_t units = Count();
            if (units > (fIn.size() - fPos) / 2)
                throw EAviWriterError(kBadStream);
            std::u16string s(units, u'\0');
            Read(s.data(), size_t(units) * 2);
            return com::Utf16ToUtf8(s);
        }
        case vaNil: case vaNull: return std::nullopt;
        case vaExtended: Skip(10); return std::nullopt;
        case vaSingle: Skip(4); return std::nullopt;
        case vaCurrency: case vaDate: Skip(8); return std::nullopt;
        case vaBinary: Skip(Count()); return std::nullopt;
        case vaSet:
            while (!Short().empty()) {
            }
            return std::nullopt;
        case vaList:
            while (Peek() != vaNull)
                Value(depth + 1);
            Byte();
            return std::nullopt;
        default: throw EAviWriterError(kBadStream);
        }
    }
    uint8_t Peek()
    {
        Need(1);
        return fIn[fPos];
    }

private:
    void Need(size_t n) const
    {
        if (n > fIn.size() - fPos)
            throw EAviWriterError(kBadStream);
    }

    const std::vector<uint8_t>& fIn;
    size_t fPos = 0;
};

int32_t AsInt(const TValue& v)
{
    if (const auto* n = std::get_if<int64_t>(&v); n && *n >= INT32_MIN && *n <= INT32_MAX)
        return int32_t(*n);
    throw EAviWriterError(kBadStream);
}

bool AsBool(const TValue& v)
{
    if (const auto* b = std::get_if<bool>(&v))
        return *b;
    throw EAviWriterError(kBadStream);
}

const std::string& AsText(const TValue& v)
{
    if (const auto* s = std::get_if<std::string>(&v))
        return *s;
    throw EAviWriterError(kBadStream);
}

} // namespace

std::vector<uint8_t> SaveEngineState(const TAviWriterEngine& engine, const TWindowBounds& bounds)
{
    TStateWriter w;
    w.Bytes("TPF0", 4);
    w.Short(kClassName);
    w.Short(std::string()); // the engine control has no name of its own
    w.Integer("Left", bounds.Left);
    w.Integer("Top", bounds.Top);
    w.Integer("Width", bounds.Width);
    w.Integer("Height", bounds.Height);
    w.Integer("AHeight", engine.AHeight());
    w.Integer("AWidth", engine.AWidth());
    w.Integer("FrameTime", engine.FrameTime());
    w.String("TempFileName", engine.TempFileName());
    w.Boolean("Stretch", engine.Stretch());
    w.Ident("PixelFormat", std::string(EnumName(GUID_TxPixelFormat, int32_t(engine.PixelFormat()))));
    if (!engine.filename().empty())
        w.String("filename", engine.filename());
    if (!engine.WavFileName().empty())
        w.String("WavFileName", engine.WavFileName());
    w.Byte(vaNull); // end of the properties
    w.Byte(vaNull); // end of the (no) child components
    return w.Take();
}

void LoadEngineState(const std::vector<uint8_t>& stream, TAviWriterEngine& engine, TWindowBounds& bounds)
{
    TStateReader r(stream);
    if (r.Text(4) != "TPF0")
        throw EAviWriterError(kBadStream);
    // Optional flags before the class name (0xF0 | flags, a position for child order).
    if ((r.Peek() & 0xF0) == 0xF0) {
        const uint8_t flags = r.Byte();
        if (flags & 0x02)
            r.Value();
    }
    if (r.Short() != kClassName)
        throw EAviWriterError(kBadStream);
    r.Short(); // object name

    // Everything is read before anything is applied.
    std::vector<std::pair<std::string, TValue>> values;
    while (r.Peek() != vaNull) {
        std::string name = r.Short();
        if (auto v = r.Value())
            values.emplace_back(std::move(name), std::move(*v));
    }
    r.Byte();
    if (r.Byte() != vaNull) // the engine control holds no components
        throw EAviWriterError(kBadStream);

    TWindowBounds b = bounds;
    std::optional<int32_t> aHeight, aWidth, frameTime, pixelFormat;
    std::optional<bool> stretch;
    std::optional<std::string> temp, file, wave;
    for (const auto& [name, v] : values) {
        if (name == "Left") b.Left = AsInt(v);
        else if (name == "Top") b.Top = AsInt(v);
        else if (name == "Width") b.Width = AsInt(v);
        else if (name == "Height") b.Height = AsInt(v);
        else if (name == "AHeight") aHeight = AsInt(v);
        else if (name == "AWidth") aWidth = AsInt(v);
        else if (name == "FrameTime") frameTime = AsInt(v);
        else if (name == "TempFileName") temp = AsText(v);
        else if (name == "Stretch") stretch = AsBool(v);
        else if (name == "filename") file = AsText(v);
        else if (name == "WavFileName") wave = AsText(v);
        else if (name == "PixelFormat") {
            const int32_t value = EnumValue(GUID_TxPixelFormat, AsText(v));
            if (BitsOf(TxPixelFormat(value)) == 0)
                throw EAviWriterError(kBadStream);
            pixelFormat = value;
        }
    }
    if (wave && !wave->empty()) {
        const size_t dot = wave->rfind('.');
        std::string ext = dot == std::string::npos ? std::string() : wave->substr(dot);
        for (char& c : ext)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        if (ext != ".wav")
            throw EAviWriterError(kBadStream);
    }

    bounds = b;
    if (aHeight) engine.SetAHeight(*aHeight);
    if (aWidth) engine.SetAWidth(*aWidth);
    if (frameTime) engine.SetFrameTime(*frameTime);
    if (temp) engine.SetTempFileName(*temp);
    if (stretch) engine.SetStretch(*stretch);
    if (pixelFormat) engine.SetPixelFormat(TxPixelFormat(*pixelFormat));
    if (file) engine.Setfilename(*file);
    if (wave) engine.SetWavFileName(*wave);
}

} // namespace avi
