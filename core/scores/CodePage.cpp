#include "core/scores/CodePage.h"

#include <algorithm>
#include <array>

namespace tilzo {

namespace {

// 0x80..0x9F; the five bytes the code page leaves undefined stand for the C1 controls
// of the same number, so every byte reads and writes back unchanged.
constexpr std::array<char32_t, 32> High
    = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
       0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
       0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t Replacement = 0xFFFD;

} // namespace

char toCodePage(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    const auto found = std::find(High.begin(), High.end(), character);
    return found == High.end() ? '?' : static_cast<char>(0x80 + (found - High.begin()));
}

char32_t fromCodePage(char byte)
{
    const auto code = static_cast<unsigned char>(byte);
    return code >= 0x80 && code < 0xA0 ? High[code - 0x80] : code;
}

std::u32string fromUtf8(std::string_view text)
{
    std::u32string decoded;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                           : lead >= 0xE0 && lead < 0xF0 ? 3
                           : lead >= 0xF0 && lead < 0xF5 ? 4
                                                         : 0;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        int taken = 1;
        while (taken < length && i + taken < text.size() && (text[i + taken] & 0xC0) == 0x80)
            code = code << 6 | (text[i + taken++] & 0x3F);
        // Overlong forms, surrogates and values past U+10FFFF are not characters.
        static constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
        const bool valid = length != 0 && taken == length && code >= Least[length] && code <= 0x10FFFF
                           && (code < 0xD800 || code > 0xDFFF);
        decoded += valid ? code : Replacement;
        i += taken;
    }
    return decoded;
}

std::string toUtf8(std::u32string_view text)
{
    std::string encoded;
    for (char32_t code : text) {
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            code = Replacement;
        if (code < 0x80) {
            encoded += static_cast<char>(code);
            continue;
        }
        const int length = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
        encoded += static_cast<char>((0xF00 >> length) | (code >> (6 * (length - 1))));
        for (int k = length - 2; k >= 0; --k)
            encoded += static_cast<char>(0x80 | ((code >> (6 * k)) & 0x3F));
    }
    return encoded;
}

std::string codePageToUtf8(std::string_view bytes)
{
    std::u32string text;
    for (const char byte : bytes)
        text += fromCodePage(byte);
    return toUtf8(text);
}

} // namespace tilzo
