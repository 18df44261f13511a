#include "arenagrid.h"
#include "entrants.h"
#include "mappainter.h"
#include "mappixels.h"
#include "scripttext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

using namespace ostrel;

namespace {

using namespace MapColour;

// A grid built for an arena and drawn in full, as after a load. The grid
// refers to the entrant table, so a map never moves.
struct Map {
    ScriptHeader header;
    std::vector<Entrant> entrants;
    ArenaGrid grid;

    Map(int columns, int rows, std::vector<Entrant> table) : entrants(std::move(table))
    {
        header.Xsize = columns;
        header.Ysize = rows;
        header.EntrantCount = int(entrants.size());
        grid.Build(header, entrants);
        grid.DrawAll();
    }
    Map(Map &&) = delete;

    void Redraw(int column, int row, int index) { grid.RedrawCell(column, row, index); }
    void Highlight(int column, int row, int index) { grid.HighlightCell(column, row, index); }
    QImage Image() const { return RenderMap(grid); }
    QImage Cell(int column, int row) const { return Image().copy(CellInterior(column, row)); }
    std::set<QRgb> Colours(int column, int row) const { return CellColours(Image(), column, row); }
};

// The pixel rows (or columns) of the lines through 10, 35, 60 ...: a line
// through c covers c - 1 and c.
std::vector<int> LinePixels(int lines)
{
    std::vector<int> pixels;
    for (int j = 0; j < lines; ++j) {
        pixels.push_back(9 + 25 * j);
        pixels.push_back(10 + 25 * j);
    }
    return pixels;
}

std::vector<int> GrayRowsAtX(const QImage &image, int x)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) == GridLine)
            rows.push_back(y);
    return rows;
}

std::vector<int> GrayColumnsAtY(const QImage &image, int y)
{
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == GridLine)
            columns.push_back(x);
    return columns;
}

// ---------------------------------------------------------------- geometry

struct GeometryCase {
    int Columns;
    int Rows;
    QSize Bitmap;
    int HorizontalLines;
    int VerticalLines;
};

void PrintTo(const GeometryCase &c, std::ostream *out)
{
    *out << c.Columns << "x" << c.Rows;
}

class MapGeometry : public testing::TestWithParam<GeometryCase> {};

TEST_P(MapGeometry, BitmapSizeLinesAndUntouchedInteriors)
{
    const GeometryCase &c = GetParam();
    const Map map(c.Columns, c.Rows, {});
    const QImage image = map.Image();
    ASSERT_EQ(image.size(), c.Bitmap);

    // Scans through the middle of the first column and the first row of cells.
    const std::vector<int> rows = GrayRowsAtX(image, 22);
    const std::vector<int> columns = GrayColumnsAtY(image, 22);
    EXPECT_EQ(rows, LinePixels(c.HorizontalLines));
    EXPECT_EQ(columns, LinePixels(c.VerticalLines));

    const std::set<int> lineRows(rows.begin(), rows.end());
    const std::set<int> lineColumns(columns.begin(), columns.end());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!lineRows.count(y) && !lineColumns.count(x)) {
                ASSERT_EQ(image.pixel(x, y), Background) << "at " << x << "," << y;
            }
        }
    }
    for (int row = 0; row < c.Rows; ++row)
        for (int column = 0; column < c.Columns; ++column)
            EXPECT_EQ(map.Colours(column, row), std::set<QRgb>{Background});
}

INSTANTIATE_TEST_SUITE_P(Arenas, MapGeometry, testing::Values(
    GeometryCase{1, 1, {45, 45}, 2, 2},
    GeometryCase{10, 8, {270, 220}, 9, 11},
    GeometryCase{3, 1, {95, 45}, 2, 4},
    GeometryCase{1, 4, {45, 120}, 5, 2}));

TEST(MapGeometry, OneCellArenaHasItsLinesOnPixels9And10And34And35)
{
    const Map map(1, 1, {});
    EXPECT_EQ(GrayColumnsAtY(map.Image(), 20), (std::vector<int>{9, 10, 34, 35}));
    EXPECT_EQ(GrayRowsAtX(map.Image(), 20), (std::vector<int>{9, 10, 34, 35}));
}

TEST(MapGeometry, ASecondArenaReplacesTheFirstMap)
{
    ScriptHeader header;
    header.Xsize = 1;
    header.Ysize = 1;
    header.EntrantCount = 1;
    std::vector<Entrant> entrants{MakeEntrant("AB", 0, 0)};
    ArenaGrid grid;
    grid.Build(header, entrants);
    grid.DrawAll();
    ASSERT_EQ(RenderMap(grid).size(), QSize(45, 45));

    header.Xsize = 10;
    header.Ysize = 8;
    entrants = {MakeEntrant("AB", 9, 7, 60)};
    grid.Build(header, entrants);
    grid.DrawAll();
    grid.HighlightCell(9, 7, 0);

    const QImage second = RenderMap(grid);
    ASSERT_EQ(second.size(), QSize(270, 220));
    EXPECT_EQ(GrayRowsAtX(second, 22), LinePixels(9));
    EXPECT_EQ(GrayColumnsAtY(second, 22), LinePixels(11));
    EXPECT_EQ(CellColours(second, 9, 7), (std::set<QRgb>{Teal, Lime}));
    EXPECT_EQ(CellColours(second, 0, 0), (std::set<QRgb>{Background}));
}

// ------------------------------------------------------------- label colour

struct ColourCase {
    int Status;
    int Rate;
    QRgb Colour;
};

void PrintTo(const ColourCase &c, std::ostream *out)
{
    *out << "status " << c.Status << ", rate " << c.Rate;
}

class LabelColour : public testing::TestWithParam<ColourCase> {};

TEST_P(LabelColour, FollowsStatusThenRateBands)
{
    const ColourCase &c = GetParam();
    EXPECT_EQ(ArenaGrid::LabelColor(MakeEntrant("AB", 0, 0, c.Rate, c.Status)), c.Colour)
        << "status " << c.Status << ", rate " << c.Rate;
}

INSTANTIATE_TEST_SUITE_P(BandEdges, LabelColour, testing::Values(
    ColourCase{-1, 50, Fuchsia}, ColourCase{-1, 51, Lime},
    ColourCase{-1, 70, Lime}, ColourCase{-1, 71, Aqua},
    ColourCase{-1, 85, Aqua}, ColourCase{-1, 86, Yellow},
    ColourCase{-1, 95, Yellow}, ColourCase{-1, 96, White},
    ColourCase{-1, 100, White}, ColourCase{-1, 127, White},
    ColourCase{-1, 0, Fuchsia}, ColourCase{-1, -5, Fuchsia}, ColourCase{-1, INT_MIN, Fuchsia},
    ColourCase{-9, 90, Yellow}));

INSTANTIATE_TEST_SUITE_P(OutStatuses, LabelColour, testing::Values(
    ColourCase{8, 100, Red}, ColourCase{16, 100, Red}, ColourCase{8, 30, Red},
    ColourCase{16, 60, Red}, ColourCase{24, 90, Red}, ColourCase{40, 100, Red},
    ColourCase{0, 100, Blue}, ColourCase{4, 100, Blue}, ColourCase{32, 100, Blue},
    ColourCase{0, 10, Blue}, ColourCase{4, 75, Blue}, ColourCase{32, 90, Blue},
    ColourCase{7, 55, Blue}));

// ---------------------------------------------------------------- occupancy

TEST(Occupancy, HoldsEachEntrantPlusOneRowByRow)
{
    const Map map(3, 2, {MakeEntrant("AB", 2, 0), MakeEntrant("AB", 0, 1), MakeEntrant("AB", 1, 1)});
    const int expected[2][3] = {{0, 0, 1}, {2, 3, 0}};
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(map.grid.CellAt(column, row), expected[row][column]) << column << "," << row;
}

TEST(Occupancy, TwoEntrantsInOneStartingCellRecordTheLaterAndDrawBoth)
{
    const Map both(2, 2, {MakeEntrant("AB", 1, 0), MakeEntrant("CD", 1, 0)});
    EXPECT_EQ(both.grid.CellAt(1, 0), 2);

    const Map first(2, 2, {MakeEntrant("AB", 1, 0)});
    const Map second(2, 2, {MakeEntrant("CD", 1, 0)});
    const QRect cell = CellInterior(1, 0);
    const QImage firstImage = first.Image();
    const QImage secondImage = second.Image();
    const QImage bothImage = both.Image();
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const bool inked = firstImage.pixel(x, y) == White || secondImage.pixel(x, y) == White;
            ASSERT_EQ(bothImage.pixel(x, y), inked ? White : Background) << "at " << x << "," << y;
        }
}

struct OutsideCase {
    int X;
    int Y;
};

void PrintTo(const OutsideCase &c, std::ostream *out)
{
    *out << c.X << "," << c.Y;
}

class OutsideTheArena : public testing::TestWithParam<OutsideCase> {};

// (3, 0) and (-1, 1) would land on (0, 1) and (2, 0) if the cell were found
// by its index in the array alone.
TEST_P(OutsideTheArena, EntrantLeavesNoMarkInTheGrid)
{
    const OutsideCase &c = GetParam();
    Map map(3, 2, {MakeEntrant("AB", c.X, c.Y)});
    map.grid.SetCell(c.X, c.Y, 7);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(map.grid.CellAt(column, row), 0) << column << "," << row;
            EXPECT_EQ(map.Colours(column, row), std::set<QRgb>{Background});
        }
    EXPECT_EQ(map.grid.CellAt(c.X, c.Y), 0);
}

INSTANTIATE_TEST_SUITE_P(Cells, OutsideTheArena, testing::Values(
    OutsideCase{3, 0}, OutsideCase{-1, 1}, OutsideCase{0, 2}, OutsideCase{0, -1},
    OutsideCase{3, 2}, OutsideCase{INT_MAX, 0}, OutsideCase{0, INT_MAX},
    OutsideCase{INT_MIN, INT_MIN}, OutsideCase{INT_MAX, INT_MIN}));

TEST(OutsideTheArena, LabelIsDrawnWhereTheCoordinatesSay)
{
    // Column 1 of a one-cell arena starts at x = 35; its label at x = 38
    // falls into the right margin.
    const Map right(1, 1, {MakeEntrant("AB", 1, 0)});
    EXPECT_GT(CountPixels(right.Image(), QRect(QPoint(36, 0), QPoint(44, 44)), White), 0);
    EXPECT_EQ(right.Colours(0, 0), std::set<QRgb>{Background});

    const Map below(1, 1, {MakeEntrant("AB", 0, 1)});
    EXPECT_GT(CountPixels(below.Image(), QRect(QPoint(0, 36), QPoint(44, 44)), White), 0);
    EXPECT_EQ(below.Colours(0, 0), std::set<QRgb>{Background});
}

TEST(OutsideTheArena, CellOperationsOnFarAwayCellsChangeNothing)
{
    Map map(2, 2, {MakeEntrant("AB", INT_MAX, INT_MIN, 40)});
    const QImage before = map.Image();
    map.grid.RedrawCell(INT_MAX, INT_MIN, -1);
    map.grid.RedrawCell(INT_MAX, INT_MIN, 0);
    map.grid.HighlightCell(INT_MAX, INT_MIN, 0);
    map.grid.HighlightCell(-2, -2, 5);
    map.grid.HighlightCell(2, 3, 0);
    EXPECT_TRUE(map.Image() == before);
}

// ----------------------------------------------------------- cell drawing

TEST(CellDrawing, OperationsBeforeTheFirstBuildChangeNothing)
{
    ArenaGrid grid;
    grid.DrawAll();
    grid.RedrawCell(0, 0, -1);
    grid.RedrawCell(0, 0, 0);
    grid.HighlightCell(1, 1, 0);
    EXPECT_FALSE(grid.HasCells());
    EXPECT_FALSE(grid.IsDrawn());

    // The DrawAll before the build did not count: the map stays blank.
    ScriptHeader header;
    header.Xsize = 3;
    header.Ysize = 3;
    header.EntrantCount = 1;
    const std::vector<Entrant> entrants{MakeEntrant("AB", 1, 1)};
    grid.Build(header, entrants);
    grid.HighlightCell(1, 1, 0);
    grid.RedrawCell(1, 1, 0);
    const QImage image = RenderMap(grid);
    EXPECT_EQ(ColoursIn(image, image.rect()), std::set<QRgb>{Background});
    EXPECT_EQ(grid.CellAt(1, 1), 1);
}

TEST(CellDrawing, FillsCoverExactlyTheInterior)
{
    Map map(3, 3, {});
    const QImage before = map.Image();
    map.Highlight(1, 1, -1);
    const QImage after = map.Image();

    const QRect interior(QPoint(36, 36), QPoint(58, 58));
    EXPECT_EQ(DifferenceBounds(before, after), interior);
    EXPECT_EQ(ColoursIn(after, interior), std::set<QRgb>{Teal});
    map.Redraw(1, 1, -1);
    EXPECT_TRUE(map.Image() == before);
}

TEST(CellDrawing, HighlightFillsTheInteriorTealUnderTheLabelColour)
{
    Map map(3, 3, {MakeEntrant("AB", 1, 1, 60)});
    const QImage before = map.Image();
    map.Highlight(1, 1, 0);

    EXPECT_EQ(map.Colours(1, 1), (std::set<QRgb>{Teal, Lime}));
    EXPECT_TRUE(CellInterior(1, 1).contains(DifferenceBounds(before, map.Image())));
}

TEST(CellDrawing, LabelGoesToTheEntrantsOwnCellWhateverCellIsNamed)
{
    Map map(3, 3, {MakeEntrant("AB", 1, 1, 80)});
    map.Redraw(1, 1, -1);
    map.Redraw(0, 0, 0);
    EXPECT_EQ(map.Colours(0, 0), std::set<QRgb>{Background});
    EXPECT_EQ(map.Colours(1, 1), (std::set<QRgb>{Background, Aqua}));
}

TEST(CellDrawing, FullDrawingShowsEveryLabelWhite)
{
    const Map map(3, 1, {MakeEntrant("AB", 0, 0, 30), MakeEntrant("CD", 1, 0, 100, 8), MakeEntrant("EF", 2, 0, 60, 0)});
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(map.Colours(column, 0), (std::set<QRgb>{Background, White})) << "column " << column;
}

TEST(CellDrawing, LabelStartsThreeRightAndFourBelowTheCellCorner)
{
    const Map origin(3, 3, {MakeEntrant("AB", 0, 0)});
    const Map moved(3, 3, {MakeEntrant("AB", 2, 1)});
    EXPECT_TRUE(origin.Cell(0, 0) == moved.Cell(2, 1));

    int left = INT_MAX;
    int top = INT_MAX;
    const QImage image = origin.Image();
    const QRect cell = CellInterior(0, 0);
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (image.pixel(x, y) == White) {
                left = std::min(left, x);
                top = std::min(top, y);
            }
    EXPECT_GE(left, 13);
    EXPECT_GE(top, 14);
    EXPECT_LE(left, 13 + 3);
    EXPECT_LE(top, 14 + 8);
}

struct InkCase {
    const char *Name;
    std::string Emblem;
    int Rate;
    int Status;
    QRgb Colour;
};

void PrintTo(const InkCase &c, std::ostream *out)
{
    *out << c.Name;
}

class LabelInk : public testing::TestWithParam<InkCase> {};

// Without antialiasing a label cell holds exactly two colours.
TEST_P(LabelInk, OnlyTheFillAndTheLabelColourAppear)
{
    const InkCase &c = GetParam();
    Map map(2, 2, {MakeEntrant(c.Emblem, 1, 0, c.Rate, c.Status)});
    map.Highlight(1, 0, 0);
    EXPECT_EQ(map.Colours(1, 0), (std::set<QRgb>{Teal, c.Colour}));
    map.Redraw(1, 0, -1);
    map.Redraw(1, 0, 0);
    EXPECT_EQ(map.Colours(1, 0), (std::set<QRgb>{Background, c.Colour}));
}

INSTANTIATE_TEST_SUITE_P(Labels, LabelInk, testing::Values(
    InkCase{"Latin", "AB", 60, -1, Lime},
    InkCase{"Descender", "gj", 90, -1, Yellow},
    InkCase{"Symbols", "@%", 40, -1, Fuchsia},
    InkCase{"Kanji", Sjis("竜"), 100, 16, Red},
    InkCase{"Square", Sjis("■"), 80, -1, Aqua},
    InkCase{"HalfWidthKana", Sjis("ｱｲ"), 100, 4, Blue}),
    [](const testing::TestParamInfo<InkCase> &info) { return std::string(info.param.Name); });

struct CutCase {
    const char *Name;
    std::string Emblem;
    std::string DrawnAs;
};

void PrintTo(const CutCase &c, std::ostream *out)
{
    *out << c.Name;
}

class LabelCut : public testing::TestWithParam<CutCase> {};

TEST_P(LabelCut, DrawsTheEmblemCutAfterTwoBytes)
{
    const CutCase &c = GetParam();
    const Map map(1, 1, {MakeEntrant(c.Emblem, 0, 0)});
    const Map reference(1, 1, {MakeEntrant(c.DrawnAs, 0, 0)});
    ASSERT_GT(CountPixels(reference.Image(), CellInterior(0, 0), White), 0);
    EXPECT_TRUE(map.Cell(0, 0) == reference.Cell(0, 0));
}

INSTANTIATE_TEST_SUITE_P(Emblems, LabelCut, testing::Values(
    CutCase{"OneByte", "A", "A "},
    CutCase{"LongerLatin", "ABCD", "AB"},
    CutCase{"LongerDoubleByte", Sjis("竜王"), Sjis("竜")},
    CutCase{"SecondByteIsALoneLeadByte", std::string("A").append(Sjis("竜")), "A"},  // not "A" + ...: a false GCC 12 warning
    CutCase{"FullCapacity", std::string(31, 'W'), "WW"}),
    [](const testing::TestParamInfo<CutCase> &info) { return std::string(info.param.Name); });

TEST(LabelCut, EmptyEmblemDrawsNothing)
{
    Map map(1, 1, {MakeEntrant("", 0, 0, 60)});
    EXPECT_EQ(map.Colours(0, 0), std::set<QRgb>{Background});
    map.Highlight(0, 0, 0);
    EXPECT_EQ(map.Colours(0, 0), std::set<QRgb>{Teal});
}

} // namespace

// Control characters draw as boxes wider than a cell, so the label reaches
// over the grid line into the next cell. A fill covers only its own
// interior: the pixels over the line stay until a label covers them, those
// in the next cell go with that cell's fill.
TEST(LabelSpill, PixelsBeyondTheCellFollowTheCellsTheyFallIn)
{
    Map map(3, 1, {MakeEntrant("\x01\x01", 0, 0)});
    const QRect line(QPoint(34, 11), QPoint(35, 33));
    const QRect next = CellInterior(1, 0);
    if (CountPixels(map.Image(), next, White) == 0)
        GTEST_SKIP() << "the label font draws this label inside its cell";
    const int overLine = CountPixels(map.Image(), line, White);

    map.Highlight(0, 0, -1);
    QImage image = map.Image();
    EXPECT_EQ(map.Colours(0, 0), std::set<QRgb>{Teal});
    EXPECT_EQ(CountPixels(image, line, White), overLine);
    EXPECT_GT(CountPixels(image, next, White), 0);

    map.Redraw(1, 0, -1);
    image = map.Image();
    EXPECT_EQ(map.Colours(1, 0), std::set<QRgb>{Background});
    EXPECT_EQ(CountPixels(image, line, White), overLine);

    // Drawn again, in another colour, the label covers its old pixels.
    map.entrants[0].HitPointRate = 60;
    map.Redraw(0, 0, 0);
    image = map.Image();
    EXPECT_EQ(CountPixels(image, line, White), 0);
    EXPECT_EQ(CountPixels(image, line, Lime), overLine);
    EXPECT_EQ(ColoursIn(image, next), (std::set<QRgb>{Background, Lime}));
}

TEST(LabelSpill, AnyPartOfTheMapPaintsAsTheWholeMapShowsIt)
{
    Map map(4, 3, {MakeEntrant("\x01\x01", 0, 0), MakeEntrant("AB", 2, 1, 40), MakeEntrant("\x02\x02", -1, 2),
                   MakeEntrant("CD", 3, 2)});
    map.Highlight(2, 1, 1);
    map.Redraw(0, 0, -1);
    const QImage whole = map.Image();
    for (const QRect &area : {QRect(0, 0, 7, 9), QRect(30, 20, 41, 33), QRect(33, 8, 5, 60), QRect(60, 60, 60, 35)}) {
        QImage part(area.size(), QImage::Format_RGB32);
        PaintMap(map.grid, part, area);
        EXPECT_TRUE(part == whole.copy(area)) << area.x() << "," << area.y() << " " << area.width() << "x" << area.height();
    }
}
