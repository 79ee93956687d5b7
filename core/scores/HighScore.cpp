#include "core/scores/HighScore.h"

#include "core/scores/CodePage.h"

#include <algorithm>

namespace tilzo {

std::u32string fixedText(std::u32string_view text)
{
    std::u32string fixed(text.substr(0, NameLength));
    fixed.resize(NameLength, U' ');
    return fixed;
}

NameBytes nameBytes(std::u32string_view text)
{
    NameBytes bytes;
    const std::u32string fixed = fixedText(text);
    std::transform(fixed.begin(), fixed.end(), bytes.begin(), toCodePage);
    return bytes;
}

std::string HighScore::shownName() const
{
    std::string shown(Name.begin(), Name.end());
    std::erase(shown, '\0');
    const auto first = shown.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return shown.substr(first, shown.find_last_not_of(' ') + 1 - first);
}

} // namespace tilzo
