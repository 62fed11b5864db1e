#pragma once
// TBStr: an automation string owned by one side (freed with it), and the
// conversions between automation strings and UTF-8 text.
#include "com/ComTypes.h"

#include <new>
#include <string>
#include <string_view>
#include <utility>

namespace com {

// UTF-16 units of UTF-8 text; malformed bytes become U+FFFD.
inline std::u16string Utf8ToUtf16(std::string_view s)
{
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        char32_t c = 0xFFFD;
        size_t n = 1;
        if (b < 0x80) {
            c = b;
        } else if ((b >> 5) == 0x6 || (b >> 4) == 0xE || (b >> 3) == 0x1E) {
            n = (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : 4;
            char32_t v = b & (0x3F >> (n - 1));
            bool ok = i + n <= s.size();
            for (size_t k = 1; ok && k < n; ++k) {
                const auto t = static_cast<unsigned char>(s[i + k]);
                ok = (t >> 6) == 0x2;
                v = (v << 6) | (t & 0x3F);
            }
            static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
            if (ok && v >= kMin[n] && v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF))
                c = v;
            else
                n = 1;
        }
        if (c >= 0x10000) {
            out.push_back(char16_t(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(char16_t(c));
        }
        i += n;
    }
    return out;
}

// UTF-8 text of UTF-16 units; a lone surrogate becomes U+FFFD.
inline std::string Utf16ToUtf8(std::u16string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        if (c < 0x80) {
            out.push_back(char(c));
        } else if (c < 0x800) {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(char(0xE0 | (c >> 12)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (c >> 18)));
            out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

// The units of an automation string (a null string is empty).
inline std::u16string_view View(BSTR s)
{
    return s ? std::u16string_view(reinterpret_cast<const char16_t*>(s), SysStringLen(s)) : std::u16string_view();
}

inline std::string ToUtf8(BSTR s)
{
    return Utf16ToUtf8(View(s));
}

class TBStr {
public:
    TBStr() = default;
    explicit TBStr(std::u16string_view s) : fS(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(s.data()), UINT(s.size())))
    {
        if (!fS)
            throw std::bad_alloc();
    }
    static TBStr FromUtf8(std::string_view s) { return TBStr(Utf8ToUtf16(s)); }
    // Takes over a string the caller owns.
    static TBStr Attach(BSTR s)
    {
        TBStr r;
        r.fS = s;
        return r;
    }
    TBStr(const TBStr&) = delete;
    TBStr& operator=(const TBStr&) = delete;
    TBStr(TBStr&& other) noexcept : fS(std::exchange(other.fS, nullptr)) {}
    TBStr& operator=(TBStr&& other) noexcept
    {
        std::swap(fS, other.fS);
        return *this;
    }
    ~TBStr() { SysFreeString(fS); }

    BSTR Get() const { return fS; }
    // Gives the string away (to an out parameter or a variant).
    BSTR Detach() { return std::exchange(fS, nullptr); }
    BSTR* Put()
    {
        SysFreeString(std::exchange(fS, nullptr));
        return &fS;
    }
    std::u16string_view View() const { return com::View(fS); }
    std::string Utf8() const { return ToUtf8(fS); }

private:
    BSTR fS = nullptr;
};

} // namespace com
