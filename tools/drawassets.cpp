// Draws Tilzo's artwork: the background (100.bmp), the five tiles (101.bmp), the window icon
// (icon.png), the desktop icons (icons/<size>.png), the page's maskable icon and the Windows
// program's icon (tilzo.ico).
// These are drawn from shapes and pixel glyphs defined here, never from system fonts, so they come
// out the same on every machine.
// It also writes glyphs.inc, the frame's text font for core/render/Font.cpp: it is measured from
// how Qt draws the frame's font (Verdana at 11 px, unsmoothed) on this machine, so it follows the
// installed fonts and must be regenerated if they change.
#include "core/Version.h"
#include "core/render/Layout.h"
#include "core/scores/CodePage.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QString>
#include <QTextLayout>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

namespace tilzo {
namespace {

// Code-page bytes as the text Qt lays out, decoded by the game's own table.
QString decoded(const QByteArray& bytes)
{
    return QString::fromStdString(codePageToUtf8(bytes.toStdString()));
}

constexpr int TileSize = CellSize;
constexpr int DotsPerMetre = 2835; // 72 dpi

// Red, blue, green, yellow, purple: the face colour at a tile's centre, in code order.
const QColor TileColours[] = {{213, 74, 41}, {45, 41, 203}, {68, 180, 43}, {213, 195, 41}, {164, 87, 213}};
const QColor GridGrey(79, 79, 79);
const QColor Khaki(191, 191, 142);
const QColor White(255, 255, 255);

QColor mix(const QColor& from, const QColor& to, double t)
{
    auto channel = [t](int a, int b) { return qRound(a + (b - a) * t); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}
QColor lighter(const QColor& c, double t)
{
    return mix(c, White, t);
}
QColor darker(const QColor& c, double t)
{
    return mix(c, Qt::black, t);
}

void dot(QPainter& p, int x, int y, const QColor& c)
{
    p.fillRect(x, y, 1, 1, c);
}
void hline(QPainter& p, int x1, int x2, int y, const QColor& c)
{
    p.fillRect(x1, y, x2 - x1 + 1, 1, c);
}
void vline(QPainter& p, int x, int y1, int y2, const QColor& c)
{
    p.fillRect(x, y1, 1, y2 - y1 + 1, c);
}

QImage blankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    image.setDotsPerMeterX(DotsPerMetre);
    image.setDotsPerMeterY(DotsPerMetre);
    return image;
}

// ---- Tiles ---------------------------------------------------------------------------------

// A bevelled block: two light rings along the top and left, two dark ones along the bottom
// and right, a face shading from light to dark downwards with a small glint at its top left.
// Rows 7 and 8 of the face carry the plain colour, so the centre pixel is exact either way.
void drawTile(QPainter& p, int x0, int y0, const QColor& colour)
{
    for (int y = 2; y <= 13; ++y) {
        const QColor row = y < 7 ? lighter(colour, 0.07 * (7 - y)) : darker(colour, 0.06 * qMax(0, y - 8));
        hline(p, x0 + 2, x0 + 13, y0 + y, row);
    }
    const QColor light[] = {lighter(colour, 0.62), lighter(colour, 0.32)};
    const QColor dark[] = {darker(colour, 0.62), darker(colour, 0.36)};
    for (int ring = 0; ring < 2; ++ring) {
        const int a = ring, b = 15 - ring;
        hline(p, x0 + a, x0 + b - 1, y0 + a, light[ring]);
        vline(p, x0 + a, y0 + a, y0 + b - 1, light[ring]);
        hline(p, x0 + a, x0 + b, y0 + b, dark[ring]);
        vline(p, x0 + b, y0 + a, y0 + b, dark[ring]);
    }
    dot(p, x0 + 3, y0 + 3, lighter(colour, 0.6));
    dot(p, x0 + 4, y0 + 3, lighter(colour, 0.4));
    dot(p, x0 + 3, y0 + 4, lighter(colour, 0.4));
}

QImage tiles()
{
    QImage image = blankImage(TilesSize.width, TilesSize.height);
    QPainter p(&image);
    for (int k = 0; k < 5; ++k)
        drawTile(p, 0, TileSize * k, TileColours[k]);
    return image;
}

// ---- Embossed shapes for the title ---------------------------------------------------------

// Paints the shape held in `mask` (its non-transparent pixels) at `at`: a light edge where
// the shape faces up or left, a dark edge where it faces down or right, a face shading
// downwards, and a dim drop shadow one pixel down and right.
void drawEmbossed(QPainter& p, QPoint at, const QImage& mask, const QColor& colour, const QColor& shadow)
{
    auto inside = [&mask](int x, int y) { return mask.valid(x, y) && qAlpha(mask.pixel(x, y)) > 0; };
    for (int y = 0; y <= mask.height(); ++y)
        for (int x = 0; x <= mask.width(); ++x)
            if (inside(x - 1, y - 1) && !inside(x, y))
                dot(p, at.x() + x, at.y() + y, shadow);
    for (int y = 0; y < mask.height(); ++y) {
        const double t = double(y) / (mask.height() - 1);
        const QColor face = t < 0.5 ? lighter(colour, 0.35 * (0.5 - t)) : darker(colour, 0.45 * (t - 0.5));
        for (int x = 0; x < mask.width(); ++x) {
            if (!inside(x, y))
                continue;
            QColor c = face;
            if (!inside(x, y - 1) || !inside(x - 1, y))
                c = lighter(colour, 0.55);
            else if (!inside(x, y + 1) || !inside(x + 1, y))
                c = darker(colour, 0.5);
            dot(p, at.x() + x, at.y() + y, c);
        }
    }
}

constexpr int LetterWidth = 21;
constexpr int LetterHeight = 25;

// One letter of the product name as a filled outline: 7-pixel stems, 6-pixel bars.
QPainterPath letterShape(char letter)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill); // overlapping bars and stems join
    const QRectF top(0, 0, 21, 6), bottom(0, 19, 21, 6), stem(7, 0, 7, 25);
    switch (letter) {
    case 'T':
        path.addRect(top);
        path.addRect(stem);
        break;
    case 'I':
        path.addRect(3, 0, 15, 6);
        path.addRect(stem);
        path.addRect(3, 19, 15, 6);
        break;
    case 'L':
        path.addRect(0, 0, 7, 25);
        path.addRect(bottom);
        break;
    case 'Z':
        path.addRect(top);
        path.addRect(bottom);
        path.addPolygon(QPolygonF({{13, 6}, {21, 6}, {8, 19}, {0, 19}}));
        break;
    case 'O': {
        QPainterPath hole;
        hole.addRoundedRect(7, 6, 7, 13, 1.5, 1.5);
        path.addRoundedRect(0, 0, 21, 25, 7, 7);
        return path.subtracted(hole);
    }
    }
    return path;
}

QImage letterMask(char letter)
{
    QImage mask(LetterWidth, LetterHeight, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    QPainter p(&mask);
    p.fillPath(letterShape(letter), Qt::white);
    return mask;
}

// Four grey squares in a 2 by 2 block, 15 pixels across.
void drawEmblem(QPainter& p, int x0, int y0)
{
    QImage square(7, 7, QImage::Format_ARGB32);
    square.fill(Qt::white);
    for (int k = 0; k < 4; ++k)
        drawEmbossed(p, {x0 + 8 * (k % 2), y0 + 8 * (k / 2)}, square, QColor(150, 150, 156),
                     QColor(24, 24, 40));
}

// "TILZO" in the tile colours between two emblems, within x 101..263, y 10..36.
void drawTitle(QPainter& p)
{
    drawEmblem(p, 101, 16);
    const char name[] = "TILZO";
    for (int i = 0; i < 5; ++i)
        drawEmbossed(p, {121 + 25 * i, 11}, letterMask(name[i]), TileColours[i], darker(TileColours[i], 0.7));
    drawEmblem(p, 248, 16);
}

// ---- Board frame and grid ------------------------------------------------------------------

// Outer bounds x 48..314, y 47..312: a dark-blue glow above and left, a two-pixel border
// (light top and left, khaki right and bottom) and a one-pixel shadow right and below.
void drawFrame(QPainter& p)
{
    const QColor glow[] = {{0, 0, 52}, {6, 14, 104}, {28, 48, 164}}; // outermost first
    for (int i = 0; i < 3; ++i) {
        // Brightest at the top left corner, dimming along each side.
        QLinearGradient along(48, 47, 314, 312);
        along.setColorAt(0, glow[i]);
        along.setColorAt(1, darker(glow[i], 0.6));
        p.fillRect(QRect(QPoint(48 + i, 47 + i), QPoint(313, 47 + i)), along);
        p.fillRect(QRect(QPoint(48 + i, 47 + i), QPoint(48 + i, 311)), along);
    }
    const QColor light[] = {{244, 244, 214}, {220, 220, 178}};
    for (int ring = 0; ring < 2; ++ring) {
        const int left = 51 + ring, top = 50 + ring, right = 313 - ring, bottom = 311 - ring;
        hline(p, left, right - 1, top, light[ring]);
        vline(p, left, top, bottom - 1, light[ring]);
        vline(p, right, top, bottom, Khaki);
        hline(p, left, right, bottom, Khaki);
    }
    const QColor shadow(52, 52, 40);
    vline(p, 314, 52, 312, shadow);
    hline(p, 53, 314, 312, shadow);
}

// Lines 256 pixels long: singles at the board's edges, pairs between the cells. Each column
// of the grid lies two pixels right of the matching row.
void drawGrid(QPainter& p)
{
    constexpr int first = BoardOrigin - 1;
    constexpr int last = BoardOrigin + BoardSize * CellSize - 2;
    auto line = [&p](int at) {
        hline(p, BoardOrigin + 1, BoardOrigin + BoardSize * CellSize, at, GridGrey);
        vline(p, at + 2, first, last, GridGrey);
    };
    line(first);
    line(last);
    for (int k = 1; k < BoardSize; ++k) {
        line(BoardOrigin + CellSize * k - 2);
        line(BoardOrigin + CellSize * k - 1);
    }
}

// ---- Small pixel font ----------------------------------------------------------------------

// Rows from the top of the capitals; capitals are 6 rows, small letters 4, commas hang below.
const std::map<char, const char*> Glyphs = {
    {'C', ".###./#...#/#..../#..../#...#/.###."},
    {'E', "#####/#..../####./#..../#..../#####"},
    {'G', ".###./#...#/#..../#..##/#...#/.###."},
    {'H', "#...#/#...#/#####/#...#/#...#/#...#"},
    {'I', "###/.#./.#./.#./.#./###"},
    {'O', ".###./#...#/#...#/#...#/#...#/.###."},
    {'R', "####./#...#/####./#.#../#..#./#...#"},
    {'S', ".####/#..../.###./....#/....#/####."},
    {'T', "#####/..#../..#../..#../..#../..#.."},
    {'a', "..../..../.###/#..#/#..#/.###"},
    {'b', "#.../#.../###./#..#/#..#/###."},
    {'c', "..../..../.###/#.../#.../.###"},
    {'d', "...#/...#/.###/#..#/#..#/.###"},
    {'e', "..../..../.##./####/#.../.###"},
    {'h', "#.../#.../###./#..#/#..#/#..#"},
    {'i', "#/./#/#/#/#"},
    {'l', "#./#./#./#./#./.#"},
    {'m', "...../...../####./#.#.#/#.#.#/#.#.#"},
    {'n', "..../..../###./#..#/#..#/#..#"},
    {'o', "..../..../.##./#..#/#..#/.##."},
    {'r', ".../.../#.#/##./#../#.."},
    {'t', ".#./.#./###/.#./.#./..#"},
    {'u', "..../..../#..#/#..#/#..#/.###"},
    {'v', "...../...../#...#/#...#/.#.#./..#.."},
    {'z', "..../..../####/..#./.#../####"},
    {'0', ".##./#..#/#..#/#..#/#..#/.##."},
    {'1', ".#./##./.#./.#./.#./###"},
    {'2', ".##./#..#/...#/..#./.#../####"},
    {'.', "./././././#"},
    {',', "../../../../../.#/#."},
    {'-', "..../..../..../####"},
};
constexpr int SpaceWidth = 3;

int glyphWidth(char c)
{
    const auto found = Glyphs.find(c);
    return found == Glyphs.end() ? SpaceWidth : int(QByteArray(found->second).indexOf('/'));
}

int textWidth(const char* text, int tracking)
{
    int width = -tracking;
    for (const char* c = text; *c; ++c)
        width += glyphWidth(*c) + tracking;
    return width;
}

// Draws `text` with the top of its capitals at y0, `tracking` pixels between letters.
void drawText(QPainter& p, int x0, int y0, const char* text, int tracking, const QColor& colour)
{
    for (const char* c = text; *c; ++c) {
        if (const auto found = Glyphs.find(*c); found != Glyphs.end()) {
            const QList<QByteArray> rows = QByteArray(found->second).split('/');
            for (int y = 0; y < rows.size(); ++y)
                for (int x = 0; x < rows[y].size(); ++x)
                    if (rows[y][x] == '#')
                        dot(p, x0 + x, y0 + y, colour);
        }
        x0 += glyphWidth(*c) + tracking;
    }
}

void drawCentred(QPainter& p, int left, int right, int y0, const char* text, int tracking)
{
    drawText(p, left + (right - left + 1 - textWidth(text, tracking)) / 2, y0, text, tracking, White);
}

// Thin khaki rules fading outwards on both sides of the label.
void drawLabelRules(QPainter& p, int y)
{
    QLinearGradient left(90, 0, 149, 0), right(231, 0, 290, 0);
    left.setColorAt(0, Qt::black);
    left.setColorAt(1, darker(Khaki, 0.2));
    right.setColorAt(0, darker(Khaki, 0.2));
    right.setColorAt(1, Qt::black);
    p.fillRect(90, y, 60, 1, left);
    p.fillRect(231, y, 60, 1, right);
}

// ---- The pictures ----------------------------------------------------------------------------

QImage background()
{
    QImage image = blankImage(FrameSize.width, FrameSize.height);
    QPainter p(&image);
    drawTitle(p);
    drawFrame(p);
    drawGrid(p);
    drawCentred(p, 154, 226, 321, "HIGH SCORE", 2);
    drawLabelRules(p, 323);
    // The version is baked into 100.bmp: a new one means drawing the artwork again (the artwork test fails).
    drawCentred(p, 60, 306, 409, "Tilzo v" TILZO_VERSION " - clear the board, one colour at a time", 1);
    return image;
}

// The tile colours of the icons, left to right, top to bottom: red, blue / purple, green.
constexpr int IconTiles[] = {0, 1, 4, 2};

// The window icon: four tiles in a 2 by 2 block, like the title's emblems.
QImage icon()
{
    QImage image = blankImage(2 * TileSize, 2 * TileSize);
    QPainter p(&image);
    for (int k = 0; k < 4; ++k)
        drawTile(p, TileSize * (k % 2), TileSize * (k / 2), TileColours[IconTiles[k]]);
    return image.convertToFormat(QImage::Format_RGB888);
}

// A tile of any size in the look of drawTile, drawn at that size rather than scaled: the bevel
// is an eighth of the tile in whole pixels (outer half light or dark, inner half milder; a
// single mid-tone ring at the smallest sizes), the face shades downwards as on the 16-pixel
// tile, and the glint grows with the tile.
void drawTileAt(QPainter& p, int x0, int y0, int size, const QColor& colour)
{
    const int bevel = qMax(1, qRound(size / 8.0));
    for (int y = bevel; y < size - bevel; ++y) {
        const double row = (y + 0.5) * TileSize / size - 0.5; // the same height on a 16-pixel tile
        const QColor c
            = row < 7 ? lighter(colour, 0.07 * (7 - row)) : darker(colour, 0.06 * qMax(0.0, row - 8));
        hline(p, x0 + bevel, x0 + size - bevel - 1, y0 + y, c);
    }
    for (int ring = 0; ring < bevel; ++ring) {
        const bool outer = ring < (bevel + 1) / 2;
        const QColor light = lighter(colour, bevel == 1 ? 0.47 : outer ? 0.62 : 0.32);
        const QColor dark = darker(colour, bevel == 1 ? 0.49 : outer ? 0.62 : 0.36);
        const int a = ring, b = size - 1 - ring;
        hline(p, x0 + a, x0 + b - 1, y0 + a, light);
        vline(p, x0 + a, y0 + a, y0 + b - 1, light);
        hline(p, x0 + a, x0 + b, y0 + b, dark);
        vline(p, x0 + b, y0 + a, y0 + b, dark);
    }
    const int glint = qMax(1, size / TileSize), at = bevel + glint;
    p.fillRect(x0 + at, y0 + at, glint, glint, lighter(colour, 0.6));
    p.fillRect(x0 + at + glint, y0 + at, glint, glint, lighter(colour, 0.4));
    p.fillRect(x0 + at, y0 + at + glint, glint, glint, lighter(colour, 0.4));
}

// The desktop icon at `size` pixels: the window icon's four tiles on a transparent ground,
// with a margin of a sixteenth of the size.
QImage desktopIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const int margin = size / 16, tile = (size - 2 * margin) / 2;
    for (int k = 0; k < 4; ++k)
        drawTileAt(p, margin + tile * (k % 2), margin + tile * (k / 2), tile, TileColours[IconTiles[k]]);
    return image;
}

// The page's icon for systems that cut it to their own shape: the tiles on a black ground to
// the edges, within the middle circle of four fifths of the size that every shape keeps.
QImage maskableIcon(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    const int tile = size * 9 / 32, margin = (size - 2 * tile) / 2;
    for (int k = 0; k < 4; ++k)
        drawTileAt(p, margin + tile * (k % 2), margin + tile * (k / 2), tile, TileColours[IconTiles[k]]);
    return image;
}

// ---- The text font -------------------------------------------------------------------------

// The frame's text as Qt draws it: Verdana, 8 points as at 96 dpi, regular, unsmoothed, each
// text a string of code-page bytes. glyphs.inc holds what it takes to draw
// the same pixels without Qt, all of it measured through Qt rather than read from the font file,
// so whatever Qt does (its fallback font, hinting, kerning, ligatures) is what gets recorded.
QFont textFont()
{
    QFont font;
    font.setBold(false);
    font.setPixelSize(11);
    font.setFamily(QStringLiteral("Verdana"));
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Qt places glyphs in 64ths of a pixel; in those units every sum below is exact.
constexpr int Subpixels = 64;
// Rows are written as 16-bit masks.
constexpr int MaxInkWidth = 16;
// How glyphs.inc marks the two bytes that are not glyphs.
constexpr int SkipByte = -1;
constexpr int TabByte = -2;

struct FontGlyph {
    QByteArray bytes; // a text Qt draws as this glyph alone
    std::vector<int> parts; // the glyphs a ligature replaces, or just this glyph
    int advance = 0; // in 64ths
    int left = 0, top = 0; // of the ink, from the pen on the baseline
    int width = 0, height = 0;
    std::vector<quint32> rows; // bit x is column x from the left
};

struct FontLigature {
    std::vector<int> parts;
    int glyph;
};

class FontMeasure {
public:
    explicit FontMeasure(const QFont& font)
        : font_(font)
        , metrics_(font)
    {
    }

    int advance(const QByteArray& bytes) const
    {
        const double width = metrics_.horizontalAdvance(decoded(bytes)) * Subpixels;
        if (width != std::round(width))
            throw std::runtime_error("an advance off the 64ths grid");
        return int(width);
    }

    // The glyphs Qt shapes `bytes` into, by font and index, less those it never prints.
    QStringList glyphs(const QByteArray& bytes) const
    {
        QTextLayout layout(decoded(bytes), font_);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        QStringList keys;
        for (const QGlyphRun& run : layout.glyphRuns()) {
            const QString font = run.rawFont().familyName() + u'/' + run.rawFont().styleName() + u'/';
            for (const quint32 index : run.glyphIndexes())
                keys += font + QString::number(index);
        }
        return keys;
    }

    // The ink of `bytes` drawn as Surface::drawText draws it, from the pen on the baseline.
    void ink(FontGlyph& glyph) const
    {
        constexpr int Margin = 32;
        QImage image(3 * Margin, 2 * Margin, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter p(&image);
            p.setFont(font_);
            p.setPen(Qt::white);
            p.drawText(QPoint(Margin, Margin), decoded(glyph.bytes));
        }
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (pixel != qRgb(255, 255, 255) && pixel != qRgb(0, 0, 0))
                    throw std::runtime_error("a glyph drawn with blended pixels");
                if (pixel != qRgb(0, 0, 0))
                    box |= QRect(x, y, 1, 1);
            }
        }
        if (box.isEmpty())
            return;
        if (!image.rect().adjusted(1, 1, -1, -1).contains(box))
            throw std::runtime_error("a glyph larger than its picture");
        if (box.width() > MaxInkWidth)
            throw std::runtime_error("a glyph wider than a row mask");
        glyph.left = box.left() - Margin;
        glyph.top = box.top() - Margin;
        glyph.width = box.width();
        glyph.height = box.height();
        for (int y = box.top(); y <= box.bottom(); ++y) {
            quint32 row = 0;
            for (int x = 0; x < box.width(); ++x)
                row |= quint32(image.pixel(box.left() + x, y) != qRgb(0, 0, 0)) << x;
            glyph.rows.push_back(row);
        }
    }

private:
    QFont font_;
    QFontMetricsF metrics_;
};

// Glyphs after ligatures: at each glyph the first ligature that matches, longest first.
std::vector<int> ligated(const std::vector<int>& glyphs, const std::vector<FontLigature>& ligatures)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < glyphs.size();) {
        int glyph = glyphs[i];
        std::size_t length = 1;
        for (const FontLigature& ligature : ligatures) {
            const std::size_t end = i + ligature.parts.size();
            const auto& parts = ligature.parts;
            if (end <= glyphs.size() && std::equal(parts.begin(), parts.end(), glyphs.begin() + i)) {
                glyph = ligature.glyph;
                length = ligature.parts.size();
                break;
            }
        }
        out.push_back(glyph);
        i += length;
    }
    return out;
}

QByteArray fontSource()
{
    const QFont font = textFont();
    const FontMeasure measure(font);
    std::vector<FontGlyph> glyphs;
    std::map<QString, int> glyphByKey;
    auto glyphFor = [&](const QString& key, const QByteArray& bytes, std::vector<int> parts) {
        if (const auto found = glyphByKey.find(key); found != glyphByKey.end())
            return found->second;
        const int id = int(glyphs.size());
        FontGlyph glyph;
        glyph.bytes = bytes;
        glyph.parts = parts.empty() ? std::vector<int>{id} : parts;
        glyph.advance = measure.advance(bytes);
        measure.ink(glyph);
        glyphs.push_back(glyph);
        glyphByKey.emplace(key, id);
        return id;
    };

    // A pair the font kerns tells the bytes kerning passes over from those that end it.
    QByteArray kerned;
    for (int a = '!'; a <= '~' && kerned.isEmpty(); ++a) {
        for (int b = '!'; b <= '~' && kerned.isEmpty(); ++b) {
            const QByteArray pair = QByteArray(1, char(a)) + char(b);
            if (measure.glyphs(pair).size() == 2
                && measure.advance(pair) != measure.advance(pair.left(1)) + measure.advance(pair.mid(1)))
                kerned = pair;
        }
    }
    if (kerned.isEmpty())
        throw std::runtime_error("no kerned pair");

    std::set<int> blank;
    int byteGlyphs[256];
    byteGlyphs[0] = SkipByte; // zero bytes never reach the text
    int tabStop = 0;
    for (int b = 1; b < 256; ++b) {
        const QByteArray bytes(1, char(b));
        if (decoded(bytes) == u"\t") {
            byteGlyphs[b] = TabByte;
            tabStop = measure.advance(bytes);
            continue;
        }
        if (measure.advance(bytes) == 0) {
            // Nothing printed: either a glyph that still parts a kerned pair, or nothing at all.
            const QByteArray between = kerned.left(1) + bytes + kerned.mid(1);
            if (measure.advance(between) == measure.advance(kerned)) {
                byteGlyphs[b] = SkipByte;
                continue;
            }
            byteGlyphs[b] = glyphFor(QStringLiteral("blank %1").arg(b), bytes, {});
            if (!glyphs[byteGlyphs[b]].rows.empty())
                throw std::runtime_error("ink from a byte without an advance");
            blank.insert(byteGlyphs[b]);
            continue;
        }
        const QStringList keys = measure.glyphs(bytes);
        if (keys.size() != 1)
            throw std::runtime_error("a byte not shaped into one glyph");
        byteGlyphs[b] = glyphFor(keys.front(), bytes, {});
        if (glyphs[byteGlyphs[b]].advance != measure.advance(bytes))
            throw std::runtime_error("one glyph with two advances");
    }
    if (tabStop <= 0)
        throw std::runtime_error("no tab stop");

    // Ligatures of two printed glyphs, then each one longer by a glyph, as long as there are any.
    // (A blank glyph is never printed, so next to one a glyph would pass for a ligature.)
    std::vector<int> printed;
    for (int g = 0; g < int(glyphs.size()); ++g)
        if (!blank.contains(g))
            printed.push_back(g);
    std::vector<FontLigature> ligatures;
    std::vector<std::vector<int>> shorter;
    for (const int a : printed)
        shorter.push_back({a});
    while (!shorter.empty()) {
        if (shorter.front().size() >= 8)
            throw std::runtime_error("ligatures without end");
        std::vector<std::vector<int>> found;
        for (const std::vector<int>& start : shorter) {
            QByteArray startBytes;
            for (const int part : start)
                startBytes += glyphs[part].bytes;
            for (const int b : printed) {
                const QByteArray bytes = startBytes + glyphs[b].bytes;
                const QStringList keys = measure.glyphs(bytes);
                if (keys.size() != 1)
                    continue;
                std::vector<int> parts = start;
                parts.push_back(b);
                ligatures.push_back({parts, glyphFor(keys.front(), bytes, parts)});
                found.push_back(parts);
            }
        }
        shorter = found;
    }
    const auto longer
        = [](const FontLigature& x, const FontLigature& y) { return x.parts.size() > y.parts.size(); };
    std::stable_sort(ligatures.begin(), ligatures.end(), longer);

    // Kerning between every two glyphs that can stand side by side.
    struct Kern {
        int first, second, delta;
    };
    std::vector<Kern> kerning;
    for (int a = 0; a < int(glyphs.size()); ++a) {
        for (int b = 0; b < int(glyphs.size()); ++b) {
            std::vector<int> parts = glyphs[a].parts;
            parts.insert(parts.end(), glyphs[b].parts.begin(), glyphs[b].parts.end());
            if (ligated(parts, ligatures) != std::vector<int>{a, b})
                continue;
            const int pair = measure.advance(glyphs[a].bytes + glyphs[b].bytes);
            const int delta = pair - glyphs[a].advance - glyphs[b].advance;
            if (delta != 0)
                kerning.push_back({a, b, delta});
        }
    }

    const QFontMetrics wholePixels(font);
    const QFontInfo info(font);
    const QByteArray head = QRawFont::fromFont(font).fontTable("head");
    const double revision = head.size() >= 8 ? qFromBigEndian<qint32>(head.constData() + 4) / 65536.0 : 0;

    QByteArray out;
    auto line = [&out](const QString& text) { out += text.toUtf8() + '\n'; };
    line(QStringLiteral(R"(// Generated by tools/drawassets; do not edit. The frame's text font as Qt draws it
// ("Verdana", 11 pixels, unsmoothed) where it ran: %1 %2, font revision %3.
// Advances, kerning and the tab stop are in 64ths of a pixel; a glyph's ink starts at the
// pen's whole pixel, rounded down, plus its left and top, which count from the baseline.)")
             .arg(info.family(), info.styleName(), QString::number(revision, 'f', 3)));
    line(QString());
    line(QStringLiteral("constexpr int TextAscent = %1;").arg(wholePixels.ascent()));
    line(QStringLiteral("constexpr int TextLineHeight = %1;").arg(wholePixels.height()));
    line(QStringLiteral("constexpr int TabStop = %1;").arg(tabStop));
    line(QString());
    line(QStringLiteral(
        "// The glyph of each byte; Skip: as if the byte were not there; Tab: on to the next tab stop."));
    line(QStringLiteral("constexpr std::int16_t ByteGlyphs[256] = {"));
    for (int b = 0; b < 256; b += 16) {
        QStringList row;
        for (int k = b; k < b + 16; ++k)
            row += byteGlyphs[k] == SkipByte  ? QStringLiteral("Skip")
                   : byteGlyphs[k] == TabByte ? QStringLiteral("Tab")
                                              : QString::number(byteGlyphs[k]);
        line(QStringLiteral("    %1,").arg(row.join(QStringLiteral(", "))));
    }
    line(QStringLiteral("};"));
    line(QString());
    line(QStringLiteral(
        "// {advance, left, top, width, height, first row in GlyphRows}, and the bytes drawn as it."));
    line(QStringLiteral("constexpr GlyphShape GlyphShapes[%1] = {").arg(glyphs.size()));
    int firstRow = 0;
    for (const FontGlyph& glyph : glyphs) {
        QStringList bytes;
        for (const char c : glyph.bytes)
            bytes += QStringLiteral("%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
        line(QStringLiteral("    {%1, %2, %3, %4, %5, %6},  // %7")
                 .arg(glyph.advance)
                 .arg(glyph.left)
                 .arg(glyph.top)
                 .arg(glyph.width)
                 .arg(glyph.height)
                 .arg(firstRow)
                 .arg(bytes.join(u' ')));
        firstRow += glyph.height;
    }
    line(QStringLiteral("};"));
    line(QString());
    line(QStringLiteral("// Each glyph's ink, top row first; bit x is column x from the left."));
    line(QStringLiteral("constexpr std::uint16_t GlyphRows[%1] = {").arg(firstRow));
    QStringList rows;
    for (const FontGlyph& glyph : glyphs)
        for (const quint32 row : glyph.rows)
            rows += QStringLiteral("0x%1").arg(row, 0, 16);
    for (qsizetype k = 0; k < rows.size(); k += 12)
        line(QStringLiteral("    %1,").arg(rows.mid(k, 12).join(QStringLiteral(", "))));
    line(QStringLiteral("};"));
    line(QString());
    line(QStringLiteral(
        "// {length, glyphs replaced, ligature}: at each glyph the first that matches is taken."));
    line(QStringLiteral("constexpr LigatureRule Ligatures[%1] = {").arg(ligatures.size()));
    for (const FontLigature& ligature : ligatures) {
        QStringList parts;
        for (const int part : ligature.parts)
            parts += QString::number(part);
        const QString text = QStringLiteral("    {%1, {%2}, %3},").arg(ligature.parts.size());
        line(text.arg(parts.join(QStringLiteral(", "))).arg(ligature.glyph));
    }
    line(QStringLiteral("};"));
    line(QString());
    line(QStringLiteral("// {first glyph, second glyph, change to the first's advance}, in that order."));
    line(QStringLiteral("constexpr KerningPair Kerning[%1] = {").arg(kerning.size()));
    for (std::size_t k = 0; k < kerning.size(); k += 6) {
        QStringList pairs;
        for (std::size_t j = k; j < std::min(kerning.size(), k + 6); ++j)
            pairs += QStringLiteral("{%1, %2, %3}")
                         .arg(kerning[j].first)
                         .arg(kerning[j].second)
                         .arg(kerning[j].delta);
        line(QStringLiteral("    %1,").arg(pairs.join(QStringLiteral(", "))));
    }
    line(QStringLiteral("};"));
    return out;
}

bool saveFont(const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name);
    QByteArray source;
    try {
        source = fontSource();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tilzo_drawassets: cannot measure the text font: %s\n", error.what());
        return false;
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(source) == source.size()
        && file.flush())
        return true;
    std::fprintf(stderr, "tilzo_drawassets: cannot write %s\n", qPrintable(path));
    return false;
}

bool save(const QImage& image, const QDir& folder, const QString& name, const char* format)
{
    const QString path = folder.filePath(name);
    if (image.save(path, format))
        return true;
    std::fprintf(stderr, "tilzo_drawassets: cannot write %s\n", qPrintable(path));
    return false;
}

// The Windows program's icon: every size of the desktop icon, each stored as a PNG, which
// Windows has read inside .ico files since Vista.
bool saveWindowsIcon(const QDir& folder, const QString& name)
{
    const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
    const int count = int(std::size(sizes));
    QByteArray head;
    QByteArray images;
    const auto put16 = [&head](int value) { head.append(char(value & 0xFF)).append(char(value >> 8)); };
    const auto put32 = [&](int value) { put16(value & 0xFFFF), put16(value >> 16); };
    put16(0);
    put16(1); // an icon
    put16(count);
    for (const int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !desktopIcon(size).save(&buffer, "PNG"))
            return false;
        head.append(char(size % 256)).append(char(size % 256)).append(2, '\0'); // 256 is written 0
        put16(1);
        put16(32);
        put32(int(png.size()));
        put32(6 + 16 * count + int(images.size()));
        images += png;
    }
    QFile file(folder.filePath(name));
    if (file.open(QIODevice::WriteOnly) && file.write(head + images) == head.size() + images.size())
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
    return false;
}

} // namespace
} // namespace tilzo

int main(int argc, char** argv)
{
    using namespace tilzo;
    if (argc != 2) {
        std::fprintf(stderr, "usage: tilzo_drawassets <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    // Qt writes 32-bit images as 24-bit, uncompressed, bottom-up BMPs with our dots per metre.
    const bool written = save(background(), folder, "100.bmp", "BMP")
                         && save(tiles(), folder, "101.bmp", "BMP")
                         && save(icon(), folder, "icon.png", "PNG");
    bool icons = folder.mkpath("icons");
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 192, 256, 512})
        icons = icons && save(desktopIcon(size), folder, QString("icons/%1.png").arg(size), "PNG");
    icons = icons && save(maskableIcon(512), folder, "icons/maskable-512.png", "PNG");
    icons = icons && saveWindowsIcon(folder, "tilzo.ico");
    // Text needs an application and a platform, any platform as they all draw it alike. Only
    // now: with a screen, new pictures would take its resolution instead of their own.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    return written && icons && saveFont(folder, "glyphs.inc") ? 0 : 1;
}
