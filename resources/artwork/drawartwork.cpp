// ostrel-artwork: draws the window's icon, title bitmap and toolbar images.
//
// Every picture is drawn here from scratch, so the files in resources/images
// can always be rebuilt: `ostrel-artwork <outdir>` writes view.png, view.ico,
// titlebar.png and toolbar0.png ... toolbar8.png. The output is deterministic;
// the title texture comes from seeded noise, and the lettering uses the
// pixel glyphs below rather than a system font, so that the pictures do not
// depend on what fonts a machine has.

#include <QBuffer>
#include <QColor>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <vector>

namespace {

constexpr int kIconSize = 32;
constexpr int kToolSize = 30;
constexpr int kTitleWidth = 476;
constexpr int kTitleHeight = 32;

// The image list keys its masks on this colour, so fully transparent pixels
// carry it too: a reader that ignores alpha still sees the button face.
const QRgb kSilverKey = qRgba(192, 192, 192, 0);

// A glyph is drawn from rows of '#' (ink) and '.' (blank).
using Glyph = std::vector<const char *>;

const Glyph kGlyphV = {
    "##...##",
    "##...##",
    "##...##",
    ".##.##.",
    ".##.##.",
    ".##.##.",
    "..###..",
    "..###..",
    "...#...",
};
const Glyph kGlyphI = {
    "##",
    "..",
    "##",
    "##",
    "##",
    "##",
    "##",
    "##",
    "##",
};
const Glyph kGlyphE = {
    ".....",
    ".....",
    ".###.",
    "##.##",
    "##.##",
    "#####",
    "##...",
    "##..#",
    ".###.",
};
const Glyph kGlyphW = {
    ".......",
    ".......",
    "##...##",
    "##...##",
    "##.#.##",
    "##.#.##",
    "#######",
    ".##.##.",
    ".#...#.",
};
const Glyph kGlyphOne = {
    "..##.",
    ".###.",
    "####.",
    "..##.",
    "..##.",
    "..##.",
    "..##.",
    "#####",
};
const Glyph kGlyphTwo = {
    ".###.",
    "##.##",
    "...##",
    "..##.",
    ".##..",
    "##...",
    "##...",
    "#####",
};

int GlyphWidth(const Glyph &glyph)
{
    return static_cast<int>(std::strlen(glyph.front()));
}

void ForEachInk(const Glyph &glyph, QPoint origin, const std::function<void(QPoint)> &visit)
{
    for (int row = 0; row < static_cast<int>(glyph.size()); ++row)
        for (int col = 0; glyph[row][col] != '\0'; ++col)
            if (glyph[row][col] == '#')
                visit(origin + QPoint(col, row));
}

// A one-pixel halo all round keeps a glyph legible on any background.
void DrawGlyph(QPainter &painter, const Glyph &glyph, QPoint origin, QColor ink, QColor halo)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    ForEachInk(glyph, origin, [&](QPoint p) { painter.drawRect(p.x() - 1, p.y() - 1, 3, 3); });
    painter.setBrush(ink);
    ForEachInk(glyph, origin, [&](QPoint p) { painter.drawRect(p.x(), p.y(), 1, 1); });
    painter.restore();
}

using Paint = void (*)(QPainter &);

// A square picture painted with antialiasing onto a transparent ground.
QImage PaintSquare(int size, Paint paint)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return image;
}

// Outlined shapes: a darker edge makes pale fills stand out on a grey face.
// Straight edges are placed on half pixels so that the one-pixel outline
// covers whole pixels instead of smearing over two.
void FillOutlined(QPainter &painter, const QPainterPath &path, const QBrush &fill, QColor edge)
{
    painter.setPen(QPen(edge, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(fill);
    painter.drawPath(path);
}

QPainterPath Polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QLinearGradient CyanFill(qreal top, qreal bottom)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0.0, QColor(170, 255, 255));
    gradient.setColorAt(0.5, QColor(0, 230, 240));
    gradient.setColorAt(1.0, QColor(0, 170, 200));
    return gradient;
}

const QColor kCyanEdge(0, 80, 110);

void PaintIcon(QPainter &painter)
{
    // Lit from the upper left, so the ball reads as round even at 16 pixels.
    QRadialGradient shade(QPointF(16, 16), 15.5, QPointF(11, 9));
    shade.setColorAt(0.0, QColor(255, 236, 170));
    shade.setColorAt(0.45, QColor(255, 160, 30));
    shade.setColorAt(1.0, QColor(214, 92, 0));
    painter.setPen(QPen(QColor(150, 60, 0), 1.0));
    painter.setBrush(shade);
    painter.drawEllipse(QPointF(16, 16), 15, 15);

    struct Letter { const Glyph &glyph; QColor ink; };
    const std::array<Letter, 4> word = {{
        {kGlyphV, QColor(20, 60, 220)},
        {kGlyphI, QColor(0, 150, 40)},
        {kGlyphE, QColor(210, 0, 40)},
        {kGlyphW, QColor(130, 30, 190)},
    }};
    int width = -1;
    for (const Letter &letter : word)
        width += GlyphWidth(letter.glyph) + 1;
    QPoint origin((kIconSize - width) / 2, 7);
    for (const Letter &letter : word) {
        DrawGlyph(painter, letter.glyph, origin, letter.ink, Qt::white);
        origin.rx() += GlyphWidth(letter.glyph) + 1;
    }
}

// Smooth value noise from a hashed lattice: the same seed gives the same
// texture on every machine, unlike the standard library's distributions.
class ValueNoise
{
public:
    explicit ValueNoise(std::uint32_t seed) : seed_(seed) {}

    double At(double x, double y) const
    {
        const int x0 = static_cast<int>(std::floor(x));
        const int y0 = static_cast<int>(std::floor(y));
        const double fx = Smooth(x - x0);
        const double fy = Smooth(y - y0);
        const double top = Lerp(Lattice(x0, y0), Lattice(x0 + 1, y0), fx);
        const double bottom = Lerp(Lattice(x0, y0 + 1), Lattice(x0 + 1, y0 + 1), fx);
        return Lerp(top, bottom, fy);
    }

    // Sum of octaves, each half as strong and twice as fine; about 0..1.
    double Turbulence(double x, double y, int octaves) const
    {
        double sum = 0.0, weight = 0.5, scale = 1.0;
        for (int i = 0; i < octaves; ++i) {
            sum += weight * At(x * scale, y * scale);
            weight *= 0.5;
            scale *= 2.0;
        }
        return sum;
    }

private:
    static double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }
    static double Lerp(double a, double b, double t) { return a + (b - a) * t; }

    double Lattice(int x, int y) const
    {
        std::uint32_t h = seed_ ^ (static_cast<std::uint32_t>(x) * 0x8da6b343u)
                          ^ (static_cast<std::uint32_t>(y) * 0xd8163841u);
        h ^= h >> 13;
        h *= 0x5bd1e995u;
        h ^= h >> 15;
        return (h & 0xffffu) / 65535.0;
    }

    std::uint32_t seed_;
};

// Sixteen pale shades, running light blue → lilac → pink, so that the navy
// title lettering stays readable on every one of them.
QList<QRgb> MarblePalette()
{
    const std::array<QColor, 4> stops = {
        QColor(214, 234, 255), QColor(222, 212, 248), QColor(250, 214, 234), QColor(246, 240, 252)};
    QList<QRgb> palette;
    for (int i = 0; i < 16; ++i) {
        const double t = i / 15.0 * (stops.size() - 1);
        const int k = std::min(static_cast<int>(t), static_cast<int>(stops.size()) - 2);
        const double f = t - k;
        const QColor &a = stops[k];
        const QColor &b = stops[k + 1];
        palette.append(qRgb(qRound(a.red() + (b.red() - a.red()) * f),
                            qRound(a.green() + (b.green() - a.green()) * f),
                            qRound(a.blue() + (b.blue() - a.blue()) * f)));
    }
    return palette;
}

QImage DrawTitleBar()
{
    QImage image(kTitleWidth, kTitleHeight, QImage::Format_Indexed8);
    const QList<QRgb> palette = MarblePalette();
    image.setColorTable(palette);

    // Veins follow a sine across the strip that turbulence bends into swirls;
    // a 4×4 ordered dither softens the steps between the sixteen shades.
    static constexpr std::array<std::array<int, 4>, 4> bayer = {{
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}}};
    const ValueNoise noise(0x05172e1u);
    const int last = static_cast<int>(palette.size()) - 1;
    for (int y = 0; y < kTitleHeight; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < kTitleWidth; ++x) {
            const double swirl = noise.Turbulence(x / 40.0, y / 40.0, 5);
            const double vein = 0.5 + 0.5 * std::sin(x / 23.0 + y / 9.0 + swirl * 9.0);
            const double level = vein * last + (bayer[y % 4][x % 4] + 0.5) / 16.0 - 0.5;
            line[x] = static_cast<uchar>(std::clamp(qRound(level), 0, last));
        }
    }
    return image;
}

void PaintPlayArrow(QPainter &painter)
{
    const QPainterPath arrow = Polygon({{4.5, 11.5}, {14.5, 11.5}, {14.5, 5.5}, {25.5, 15},
                                        {14.5, 24.5}, {14.5, 18.5}, {4.5, 18.5}});
    FillOutlined(painter, arrow, CyanFill(5, 25), kCyanEdge);
}

void PaintFastForward(QPainter &painter)
{
    for (qreal left : {3.5, 14.5})
        FillOutlined(painter, Polygon({{left, 6.5}, {left + 12, 15}, {left, 23.5}}),
                     CyanFill(6, 24), kCyanEdge);
}

void PaintCross(QPainter &painter)
{
    const std::array<QLineF, 2> strokes = {QLineF(8, 8, 22, 22), QLineF(22, 8, 8, 22)};
    // Both dark edges first, then both red cores, so the crossing has no seam.
    painter.setPen(QPen(QColor(120, 0, 0), 7.5, Qt::SolidLine, Qt::SquareCap));
    painter.drawLines(strokes.data(), static_cast<int>(strokes.size()));
    painter.setPen(QPen(QColor(235, 20, 20), 5.0, Qt::SolidLine, Qt::SquareCap));
    painter.drawLines(strokes.data(), static_cast<int>(strokes.size()));
}

// A lens with a black rim and a handle running down to the right.
void DrawMagnifier(QPainter &painter, QPointF centre, qreal radius, QPointF handleEnd)
{
    const QLineF axis(centre, handleEnd);
    const QPointF rimPoint = axis.pointAt(radius / axis.length());
    painter.setPen(QPen(QColor(60, 40, 20), 4.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(rimPoint, handleEnd);

    QRadialGradient glass(centre, radius, centre - QPointF(radius / 2, radius / 2));
    glass.setColorAt(0.0, QColor(255, 255, 255, 235));
    glass.setColorAt(1.0, QColor(170, 215, 245, 215));
    painter.setPen(QPen(QColor(30, 30, 30), 2.0));
    painter.setBrush(glass);
    painter.drawEllipse(centre, radius, radius);
}

void PaintMagnifierWithDigit(QPainter &painter, const Glyph &digit)
{
    DrawMagnifier(painter, QPointF(12, 12), 9, QPointF(26, 26));
    const QPoint origin(12 - GlyphWidth(digit) / 2, 12 - static_cast<int>(digit.size()) / 2);
    DrawGlyph(painter, digit, origin, QColor(0, 0, 140), Qt::white);
}

void PaintMagnifierOne(QPainter &painter) { PaintMagnifierWithDigit(painter, kGlyphOne); }
void PaintMagnifierTwo(QPainter &painter) { PaintMagnifierWithDigit(painter, kGlyphTwo); }

void PaintEject(QPainter &painter)
{
    QLinearGradient fill(0, 5, 0, 24);
    fill.setColorAt(0.0, QColor(110, 110, 120));
    fill.setColorAt(1.0, QColor(30, 30, 40));
    const QColor edge(10, 10, 10);
    FillOutlined(painter, Polygon({{15, 4.5}, {25.5, 16.5}, {4.5, 16.5}}), fill, edge);
    QPainterPath bar;
    bar.addRect(QRectF(4.5, 19.5, 21, 5));
    FillOutlined(painter, bar, fill, edge);
}

void PaintMagnifierOverPage(QPainter &painter)
{
    const QPainterPath page = Polygon({{3.5, 2.5}, {16.5, 2.5}, {21.5, 7.5}, {21.5, 27.5}, {3.5, 27.5}});
    FillOutlined(painter, page, Qt::white, QColor(80, 80, 80));
    painter.setPen(QPen(QColor(80, 80, 80), 1.0));
    painter.drawPolyline(QPolygonF({{16.5, 2.5}, {16.5, 7.5}, {21.5, 7.5}}));

    // Text lines on whole pixels stay crisp; the first one stops short of the
    // folded corner.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(40, 40, 150));
    for (int y = 6; y <= 24; y += 3)
        painter.drawLine(6, y, y < 9 ? 13 : 18, y);

    painter.setRenderHint(QPainter::Antialiasing);
    DrawMagnifier(painter, QPointF(17, 17), 6.5, QPointF(27, 27));
}

void PaintPause(QPainter &painter)
{
    for (qreal left : {7.5, 17.5}) {
        QPainterPath bar;
        bar.addRect(QRectF(left, 5.5, 6, 19));
        FillOutlined(painter, bar, CyanFill(5, 25), kCyanEdge);
    }
}

void PaintOpenFolder(QPainter &painter)
{
    const QColor edge(120, 85, 0);

    // The back of the folder with its tab, then the front flap tipped open.
    const QPainterPath back = Polygon({{2.5, 10.5}, {4.5, 8.5}, {10.5, 8.5}, {12.5, 10.5},
                                       {21.5, 10.5}, {21.5, 26.5}, {2.5, 26.5}});
    FillOutlined(painter, back, QColor(225, 180, 30), edge);
    QLinearGradient front(0, 15, 0, 26);
    front.setColorAt(0.0, QColor(255, 240, 120));
    front.setColorAt(1.0, QColor(250, 205, 40));
    FillOutlined(painter, Polygon({{7.5, 15.5}, {27.5, 15.5}, {21.5, 26.5}, {2.5, 26.5}}), front, edge);

    // The arrow leaves the folder and bends over to the right.
    QPainterPath shaft(QPointF(13, 14));
    shaft.cubicTo(QPointF(13, 7), QPointF(17, 5), QPointF(22, 5));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 90, 0), 4.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(shaft);
    painter.setPen(QPen(QColor(40, 190, 40), 2.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(shaft);
    FillOutlined(painter, Polygon({{21, 0.5}, {27.5, 5}, {21, 9.5}}), QColor(40, 190, 40), QColor(0, 90, 0));
}

// A toolbar picture in straight alpha, with the key colour under every fully
// transparent pixel.
QImage ToolbarImage(Paint paint)
{
    QImage image = PaintSquare(kToolSize, paint).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) == 0)
                line[x] = kSilverKey;
    }
    return image;
}

// A Windows icon file with one 32-bit image: colour rows with alpha, then the
// AND mask that older readers use for transparency, both stored bottom-up.
QByteArray EncodeIco(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    const int maskStride = ((width + 31) / 32) * 4;
    const quint32 colourBytes = static_cast<quint32>(width * height * 4);
    const quint32 maskBytes = static_cast<quint32>(maskStride * height);
    constexpr quint32 kHeaderBytes = 6 + 16;
    constexpr quint32 kInfoBytes = 40;

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(1);
    out << quint8(width) << quint8(height) << quint8(0) << quint8(0) << quint16(1) << quint16(32)
        << quint32(kInfoBytes + colourBytes + maskBytes) << kHeaderBytes;
    out << kInfoBytes << qint32(width) << qint32(height * 2) << quint16(1) << quint16(32)
        << quint32(0) << quint32(colourBytes + maskBytes) << qint32(0) << qint32(0) << quint32(0)
        << quint32(0);
    for (int y = height - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            out << quint8(qBlue(line[x])) << quint8(qGreen(line[x])) << quint8(qRed(line[x]))
                << quint8(qAlpha(line[x]));
    }
    for (int y = height - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < width; ++x)
            if (qAlpha(line[x]) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        out.writeRawData(row.constData(), row.size());
    }
    return bytes;
}

QByteArray EncodePng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

// Returns false, after saying why on stderr, when the file was not written.
bool WriteFile(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QSaveFile file(dir.filePath(name));
    if (!bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
        && file.commit())
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Draws the viewer's icon, title bitmap and toolbar images into a folder.");
    parser.addHelpOption();
    parser.addPositionalArgument("outdir", "Folder to write the pictures into.");
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    const QDir outDir(parser.positionalArguments().front());
    if (!QDir().mkpath(outDir.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(outDir.path()));
        return 1;
    }

    const QImage icon = PaintSquare(kIconSize, PaintIcon);
    bool ok = WriteFile(outDir, "view.png", EncodePng(icon));
    ok &= WriteFile(outDir, "view.ico", EncodeIco(icon));
    ok &= WriteFile(outDir, "titlebar.png", EncodePng(DrawTitleBar()));

    // In image-list order: the index is the toolbar's image number.
    const std::array<Paint, 9> toolbar = {
        PaintPlayArrow,    PaintFastForward,  PaintCross,
        PaintMagnifierOne, PaintMagnifierTwo, PaintEject,
        PaintMagnifierOverPage, PaintPause,   PaintOpenFolder,
    };
    for (std::size_t i = 0; i < toolbar.size(); ++i)
        ok &= WriteFile(outDir, QString("toolbar%1.png").arg(i), EncodePng(ToolbarImage(toolbar[i])));

    return ok ? 0 : 1;
}
