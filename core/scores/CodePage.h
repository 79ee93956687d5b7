#pragma once

#include <string>
#include <string_view>

namespace tilzo {

// Names in high.dat are single bytes of the Windows-1252 code page, the one the file has
// always been written in. The table is our own, so every build reads and writes the same
// bytes, whatever converters its system offers.

// The byte for a character; '?' for one the code page lacks, never a look-alike.
char toCodePage(char32_t character);
char32_t fromCodePage(char byte);

// Text crosses into and out of the core as UTF-8. A malformed sequence decodes to
// U+FFFD, which the code page lacks like any other foreign character.
std::u32string fromUtf8(std::string_view text);
std::string toUtf8(std::u32string_view text);
std::string codePageToUtf8(std::string_view bytes);

} // namespace tilzo
