// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/TextTokens.h"

#include <cctype>
#include <limits>
#include <utility>

namespace ravelon {

namespace {

// The bytes of the UTF-8 character starting at Text[I], or 1 for a byte that
// starts none.
std::size_t CharacterBytes(const std::string& Text, std::size_t I) {
    const auto lead = static_cast<unsigned char>(Text[I]);
    const std::size_t bytes = lead >= 0xF0 && lead < 0xF8 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (lead >= 0xF8 || I + bytes > Text.size()) return 1;
    for (std::size_t k = 1; k < bytes; ++k)
        if ((static_cast<unsigned char>(Text[I + k]) & 0xC0) != 0x80) return 1;
    return bytes;
}

// A character no notation holds, as the message shows it: itself when it is
// printable, else its byte in hexadecimal.
std::string Shown(const std::string& Text, std::size_t I, std::size_t Bytes) {
    const auto lead = static_cast<unsigned char>(Text[I]);
    if (Bytes > 1 || (lead > ' ' && lead < 0x7F)) return Text.substr(I, Bytes);
    constexpr char Hex[] = "0123456789ABCDEF";
    return std::string("0x") + Hex[lead >> 4] + Hex[lead & 15];
}

bool IsPunctuation(unsigned char Ch) {
    return Ch == '[' || Ch == ']' || Ch == '(' || Ch == ')' || Ch == '{' || Ch == '}' || Ch == ',' || Ch == '-';
}

}  // namespace

std::vector<TTextToken> TextTokens(const std::string& Text) {
    std::vector<TTextToken> out;
    std::size_t column = 1;
    for (std::size_t i = 0; i < Text.size();) {
        const auto ch = static_cast<unsigned char>(Text[i]);
        const std::size_t first = i;
        TTextToken token{0, {}, 0, column};
        if (std::isspace(ch)) {
            ++i;
        } else if (IsPunctuation(ch)) {
            token.Kind = static_cast<char>(ch);
            ++i;
        } else if (std::isdigit(ch)) {
            long long v = 0;
            token.Kind = 'n';
            for (; i < Text.size() && std::isdigit(static_cast<unsigned char>(Text[i])); ++i) {
                if (v <= std::numeric_limits<int>::max()) v = v * 10 + (Text[i] - '0');
                if (v > std::numeric_limits<int>::max()) token.Kind = 'N';
            }
            token.Value = token.Kind == 'n' ? static_cast<int>(v) : 0;
        } else if (std::isalpha(ch)) {
            token.Kind = 'w';
            while (i < Text.size() && std::isalpha(static_cast<unsigned char>(Text[i]))) ++i;
        } else {
            token.Kind = '?';
            i += CharacterBytes(Text, i);
        }
        token.Text = token.Kind == '?' ? Shown(Text, first, i - first) : Text.substr(first, i - first);
        if (token.Kind != 0) out.push_back(std::move(token));
        // Each character counts once, whatever its bytes.
        for (std::size_t k = first; k < i; ++k) column += (static_cast<unsigned char>(Text[k]) & 0xC0) != 0x80;
    }
    return out;
}

std::string PlaceOf(const TTextToken& Token) { return std::to_string(Token.Column) + " 文字目の「" + Token.Text + "」"; }

}  // namespace ravelon
