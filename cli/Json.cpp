// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Json.h"

#include <cstdio>

#include "arith/PolyText.h"

namespace ravelon {

namespace {

// The length of the valid UTF-8 sequence starting at s[i], or 0.
std::size_t Utf8Length(const std::string& s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    std::size_t len = 0;
    unsigned minimum = 0, cp = 0;
    if (b < 0x80) return 1;
    if ((b & 0xE0) == 0xC0) len = 2, cp = b & 0x1F, minimum = 0x80;
    else if ((b & 0xF0) == 0xE0) len = 3, cp = b & 0x0F, minimum = 0x800;
    else if ((b & 0xF8) == 0xF0) len = 4, cp = b & 0x07, minimum = 0x10000;
    else return 0;
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

}  // namespace

std::string JsonString(const std::string& Text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < Text.size();) {
        const unsigned char c = static_cast<unsigned char>(Text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
            ++i;
        } else if (const std::size_t len = Utf8Length(Text, i); len > 0) {
            out.append(Text, i, len);
            i += len;
        } else {
            out += "\\ufffd";
            ++i;
        }
    }
    return out + "\"";
}

std::string JsonPoly(const TPoly& P, const std::string& VarName) {
    std::string out = "{\"text\": " + JsonString(PolyText(P, VarName)) + ", \"terms\": [";
    bool first = true;
    for (const TTextTerm& t : NonZeroTerms(P)) {
        if (!first) out += ", ";
        first = false;
        out += "[" + std::to_string(t.Num) + ", " + std::to_string(t.Den) + ", " + t.Coefficient.get_str() + "]";
    }
    return out + "]}";
}

}  // namespace ravelon
