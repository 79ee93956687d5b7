#include "core/shell/PlayerName.h"

#include "core/scores/CodePage.h"
#include "core/scores/HighScore.h"

namespace tilzo {

std::u32string playerNameFrom(std::string_view reply)
{
    const std::u32string cut = fixedText(fromUtf8(reply));
    const auto first = cut.find_first_not_of(U' ');
    if (first == std::u32string::npos)
        return fixedText({});
    return fixedText(std::u32string_view(cut).substr(first, cut.find_last_not_of(U' ') + 1 - first));
}

} // namespace tilzo
