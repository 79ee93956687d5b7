#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tilzo {

// Names in high.dat are single bytes of the Windows-1252 code page, the one the
// file has always been written in, so files from elsewhere read the same here.

// One byte per character; '?' for a character the code page lacks.
QByteArray toCodePage(const QString& text);

// One character per byte; every byte has one.
QString fromCodePage(QByteArrayView bytes);

} // namespace tilzo
