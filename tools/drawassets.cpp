// Draws Tilzo's artwork: the background (100.bmp), the five tiles (101.bmp), the window icon
// (icon.png) and the desktop icons (icons/<size>.png). Everything is drawn from shapes and pixel glyphs defined here, never from
// system fonts, so the output is the same on every machine.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdio>
#include <map>

namespace tilzo {
namespace {

constexpr int FrameWidth = 364;
constexpr int FrameHeight = 420;
constexpr int TileSize = 16;
constexpr int DotsPerMetre = 2835;  // 72 dpi

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
QColor lighter(const QColor& c, double t) { return mix(c, White, t); }
QColor darker(const QColor& c, double t) { return mix(c, Qt::black, t); }

void dot(QPainter& p, int x, int y, const QColor& c) { p.fillRect(x, y, 1, 1, c); }
void hline(QPainter& p, int x1, int x2, int y, const QColor& c) { p.fillRect(x1, y, x2 - x1 + 1, 1, c); }
void vline(QPainter& p, int x, int y1, int y2, const QColor& c) { p.fillRect(x, y1, 1, y2 - y1 + 1, c); }

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
    QImage image = blankImage(TileSize, TileSize * 5);
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
    path.setFillRule(Qt::WindingFill);  // overlapping bars and stems join
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
        drawEmbossed(p, {x0 + 8 * (k % 2), y0 + 8 * (k / 2)}, square, QColor(150, 150, 156), QColor(24, 24, 40));
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
    const QColor glow[] = {{0, 0, 52}, {6, 14, 104}, {28, 48, 164}};  // outermost first
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
    auto line = [&p](int at) {
        hline(p, 55, 310, at, GridGrey);
        vline(p, at + 2, 53, 308, GridGrey);
    };
    line(53);
    line(308);
    for (int k = 0; k <= 14; ++k) {
        line(68 + 16 * k);
        line(69 + 16 * k);
    }
}

// ---- Small pixel font ----------------------------------------------------------------------

// Rows from the top of the capitals; capitals are 6 rows, small letters 4, commas hang below.
const std::map<char, const char*> Glyphs = {
    {'C', ".###./#...#/#..../#..../#...#/.###."}, {'E', "#####/#..../####./#..../#..../#####"},
    {'G', ".###./#...#/#..../#..##/#...#/.###."}, {'H', "#...#/#...#/#####/#...#/#...#/#...#"},
    {'I', "###/.#./.#./.#./.#./###"},
    {'O', ".###./#...#/#...#/#...#/#...#/.###."}, {'R', "####./#...#/####./#.#../#..#./#...#"},
    {'S', ".####/#..../.###./....#/....#/####."}, {'T', "#####/..#../..#../..#../..#../..#.."},
    {'a', "..../..../.###/#..#/#..#/.###"},       {'b', "#.../#.../###./#..#/#..#/###."},
    {'c', "..../..../.###/#.../#.../.###"},       {'d', "...#/...#/.###/#..#/#..#/.###"},
    {'e', "..../..../.##./####/#.../.###"},       {'h', "#.../#.../###./#..#/#..#/#..#"},
    {'i', "#/./#/#/#/#"},                         {'l', "#./#./#./#./#./.#"},
    {'m', "...../...../####./#.#.#/#.#.#/#.#.#"}, {'n', "..../..../###./#..#/#..#/#..#"},
    {'o', "..../..../.##./#..#/#..#/.##."},       {'r', ".../.../#.#/##./#../#.."},
    {'t', ".#./.#./###/.#./.#./..#"},             {'u', "..../..../#..#/#..#/#..#/.###"},
    {'v', "...../...../#...#/#...#/.#.#./..#.."}, {'z', "..../..../####/..#./.#../####"},
    {'0', ".##./#..#/#..#/#..#/#..#/.##."},       {'1', ".#./##./.#./.#./.#./###"},
    {'2', ".##./#..#/...#/..#./.#../####"},       {'.', "./././././#"},
    {',', "../../../../../.#/#."},                 {'-', "..../..../..../####"},
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
    QImage image = blankImage(FrameWidth, FrameHeight);
    QPainter p(&image);
    drawTitle(p);
    drawFrame(p);
    drawGrid(p);
    drawCentred(p, 154, 226, 321, "HIGH SCORE", 2);
    drawLabelRules(p, 323);
    drawCentred(p, 60, 306, 409, "Tilzo v1.02 - clear the board, one colour at a time", 1);
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
        const double row = (y + 0.5) * TileSize / size - 0.5;  // the same height on a 16-pixel tile
        const QColor c = row < 7 ? lighter(colour, 0.07 * (7 - row)) : darker(colour, 0.06 * qMax(0.0, row - 8));
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

bool save(const QImage& image, const QDir& folder, const QString& name, const char* format)
{
    const QString path = folder.filePath(name);
    if (image.save(path, format))
        return true;
    std::fprintf(stderr, "tilzo_drawassets: cannot write %s\n", qPrintable(path));
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
    const bool written = save(background(), folder, "100.bmp", "BMP") && save(tiles(), folder, "101.bmp", "BMP")
                         && save(icon(), folder, "icon.png", "PNG");
    bool icons = folder.mkpath("icons");
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icons = icons && save(desktopIcon(size), folder, QString("icons/%1.png").arg(size), "PNG");
    return written && icons ? 0 : 1;
}
