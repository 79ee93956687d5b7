#include "scores/HighScore.h"

#include <algorithm>

namespace tilzo {

QString fixedName(const QString& text)
{
    qsizetype length = std::min<qsizetype>(text.size(), NameLength);
    // A cut between the two halves of a surrogate pair would leave half a character.
    if (length == NameLength && text.size() > NameLength && text.at(NameLength - 1).isHighSurrogate())
        --length;
    return text.left(length).leftJustified(NameLength, QLatin1Char(' '));
}

QString HighScore::shownName() const
{
    QString shown = Name;
    shown.remove(QChar(0));
    qsizetype first = 0;
    qsizetype end = shown.size();
    while (first < end && shown.at(first) == QLatin1Char(' '))
        ++first;
    while (end > first && shown.at(end - 1) == QLatin1Char(' '))
        --end;
    return shown.sliced(first, end - first);
}

} // namespace tilzo
