// The core's text pixel for pixel as Qt draws the frame's font: every byte, every pair, random table lines.
#include "core/render/Font.h"
#include "core/scores/CodePage.h"
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <random>

struct Text {
    QByteArray bytes;
    QRect window; // the buffer the core draws on, within a 720 by 40 image
    QPoint at = {2, 1};
};

TEST(Font, EveryByteOrPairOfBytesAndRandomTableLinesDrawAsInQt)
{
    std::vector<Text> texts;
    for (int n = 1; n < 256 * 256; ++n) // one byte where the other is zero, and so left out
        texts.push_back({QByteArray(1, char(n >> 8)).append(char(n)), {0, 0, 720, 40}});
    std::mt19937 random(20240611);
    for (int k = 0; k < 20000; ++k) { // a score, a space, up to 20 bytes, often control ones
        QByteArray line = QByteArray::number(qint32(random())) + ' ';
        for (unsigned length = random() % 21; length > 0; --length)
            line += char(random() % 5 == 0 ? random() % 32 : random() % 256);
        const QRect window(random() % 40, random() % 8, 100 + random() % 580, 8 + random() % 24);
        texts.push_back({line, window, QPoint(int(random() % 60) - 30, int(random() % 30) - 15)});
    }
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font);
    EXPECT_EQ(tilzo::textLineHeight(), metrics.height());
    int mismatches = 0;
    for (const auto& [bytes, window, at] : texts) {
        QImage qt(720, 40, QImage::Format_RGB32);
        qt.fill(Qt::black);
        QImage core = qt.copy();
        QPainter painter(&qt);
        painter.setClipRect(window);
        painter.setFont(font);
        painter.setPen(Qt::white);
        const std::string drawn = QByteArray(bytes).replace('\0', QByteArray()).toStdString();
        const QString text = QString::fromStdString(tilzo::codePageToUtf8(drawn));
        painter.drawText(window.topLeft() + at + QPoint(0, metrics.ascent()), text);
        painter.end();
        auto* origin = reinterpret_cast<std::uint32_t*>(core.scanLine(window.y())) + window.x();
        const std::string view = bytes.toStdString();
        tilzo::drawText(origin, window.width(), window.height(), 720, at.x(), at.y(), view, 0xffffff);
        if (qt != core && ++mismatches <= 5)
            ADD_FAILURE() << bytes.toHex(' ').toStdString() << " at " << at.x() << "," << at.y();
    }
    EXPECT_EQ(mismatches, 0);
}
