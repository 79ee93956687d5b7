#include "PlayerName.h"

#include "scores/HighScores.h"

namespace tilzo {

namespace {

QString trimSpaces(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.sliced(first, last - first);
}

} // namespace

QString playerNameFrom(const QString& reply)
{
    return fixedName(trimSpaces(fixedName(reply)));
}

} // namespace tilzo
