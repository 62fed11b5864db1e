#pragma once
// Class and interface identifiers as text: "{FE546FFD-E94C-4049-9321-B6A40A97F7A4}".
#include "com/ComTypes.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <string>

namespace com {

inline bool operator==(const GUID& a, const GUID& b)
{
    return IsEqualGUID(&a, &b) != 0;
}

inline std::string GuidToString(const GUID& g)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

inline std::optional<GUID> GuidFromString(const std::string& text)
{
    if (text.size() != 38 || text.front() != '{' || text.back() != '}')
        return std::nullopt;
    static constexpr int kDash[] = {9, 14, 19, 24};
    for (int d : kDash)
        if (text[size_t(d)] != '-')
            return std::nullopt;
    std::string hex;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        const char c = text[i];
        if (c == '-')
            continue;
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        hex.push_back(c);
    }
    if (hex.size() != 32)
        return std::nullopt;
    auto part = [&](size_t at, size_t n) { return uint32_t(std::stoul(hex.substr(at, n), nullptr, 16)); };
    GUID g{};
    g.Data1 = part(0, 8);
    g.Data2 = uint16_t(part(8, 4));
    g.Data3 = uint16_t(part(12, 4));
    for (size_t i = 0; i < 8; ++i)
        g.Data4[i] = uint8_t(part(16 + 2 * i, 2));
    return g;
}

} // namespace com
