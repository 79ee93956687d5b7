#include "scores/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tilzo {

namespace {

constexpr char CodePageName[] = "windows-1252";
constexpr char Unmapped = '?';

// The length of the character that starts at index: two for a surrogate pair.
qsizetype characterLength(const QString& text, qsizetype index)
{
    const bool pair = text.at(index).isHighSurrogate() && index + 1 < text.size()
        && text.at(index + 1).isLowSurrogate();
    return pair ? 2 : 1;
}

} // namespace

QByteArray toCodePage(const QString& text)
{
    // For a character the code page lacks the converter writes SUB (26), itself a
    // character of the code page, and some invisible ones (a zero-width joiner, a
    // byte order mark) it drops altogether. So each character is converted on its
    // own and kept only when it comes back unchanged; anything else becomes '?'.
    QStringEncoder encoder(CodePageName, QStringConverter::Flag::Stateless);
    QStringDecoder decoder(CodePageName, QStringConverter::Flag::Stateless);
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = characterLength(text, i);
        const QStringView character = QStringView(text).sliced(i, length);
        const QByteArray encoded = encoder.encode(character);
        const bool kept = encoded.size() == 1 && QString(decoder.decode(encoded)) == character;
        bytes.append(kept ? encoded.front() : Unmapped);
        i += length;
    }
    return bytes;
}

QString fromCodePage(QByteArrayView bytes)
{
    QStringDecoder decoder(CodePageName, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace tilzo
