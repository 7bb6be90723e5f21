#include <QtTest>

#include <limits>

#include "core/model.h"
#include "support/views_fixtures.h"
#include "views/stack/data_table_geometry.h"
#include "views/stack/layer_strip_geometry.h"
#include "views/stack/scale_view_geometry.h"

using namespace strativex;
using namespace strativex::testing;

using IntList = QList<int>;

namespace {

template <typename Array>
IntList FirstOf(const Array& values, int count) {
    IntList list;
    for (int i = 0; i < count; ++i) list << static_cast<int>(values[i]);
    return list;
}

}  // namespace

class TestViewsGeometry : public QObject {
    Q_OBJECT

private slots:
    void tableOnScreen_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<int>("rowPitch");
        QTest::addColumn<int>("lineOffset");
        QTest::addColumn<IntList>("rowBottoms");
        QTest::newRow("no layers") << 0 << 636 << 110 << IntList{1389};
        QTest::newRow("ten layers")
            << 10 << 424 << 85
            << IntList{1219, 1643, 2067, 2491, 2915, 3339, 3763, 4187, 4611, 5035, 5459};
    }

    void tableOnScreen() {
        QFETCH(int, layers);
        QFETCH(int, rowPitch);
        QFETCH(int, lineOffset);
        QFETCH(IntList, rowBottoms);
        const DataTableGeometry g = ComputeDataTable(layers, 3675, 5970, ViewLayout::Screen);
        QCOMPARE((IntList{g.FontPoints, g.LineOffset, g.LongHeadings, g.BodyTop, g.RowPitch,
                          g.LineHalfGap}),
                 (IntList{8, 85, false, 880, rowPitch, lineOffset}));
        QCOMPARE(FirstOf(g.ColX, 7), (IntList{0, 919, 1532, 2022, 2451, 2941, 3676}));
        QCOMPARE(FirstOf(g.RowBottomY, layers + 1), rowBottoms);
        QCOMPARE(g.RowBottomY[layers + 1], std::int16_t{0});
    }

    void tableFontAndWording_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<IntList>("fontOffsetLong");
        QTest::newRow("short wording up to 6600") << QSize(6600, 5970) << IntList{8, 85, false};
        QTest::newRow("long wording from 6601") << QSize(6601, 5970) << IntList{8, 85, true};
        QTest::newRow("narrow") << QSize(7999, 9000) << IntList{8, 85, true};
        QTest::newRow("low") << QSize(8000, 6499) << IntList{8, 85, true};
        QTest::newRow("medium") << QSize(8000, 6500) << IntList{10, 110, true};
        QTest::newRow("just below large") << QSize(9000, 8999) << IntList{10, 110, true};
        QTest::newRow("large") << QSize(9000, 9000) << IntList{12, 130, true};
    }

    void tableFontAndWording() {
        QFETCH(QSize, size);
        QFETCH(IntList, fontOffsetLong);
        const auto g = ComputeDataTable(3, size.width(), size.height(), ViewLayout::Screen);
        QCOMPARE((IntList{g.FontPoints, g.LineOffset, g.LongHeadings}), fontOffsetLong);
    }

    void tableOnPage() {
        // A4 less quarter-inch margins.
        const DataTableGeometry g = ComputeDataTable(2, 11180, 16120, ViewLayout::Page);
        QCOMPARE((IntList{g.Width, g.Height, g.OriginX, g.OriginY}),
                 (IntList{10062, 7254, 559, 8221}));
        QCOMPARE((IntList{g.FontPoints, g.LongHeadings, g.BodyTop}),
                 (IntList{10, true, 8221 + 1100}));
        QCOMPARE(g.RowBottomY, ClickLimits{});
    }

    void tableClicks_data() {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("record");
        QTest::newRow("header") << 599 << -1;
        QTest::newRow("first row from 600") << 600 << 0;
        QTest::newRow("last twip of row 0") << 1218 << 0;
        QTest::newRow("row 1") << 1219 << 1;
        QTest::newRow("last layer") << 5458 << 10;
        QTest::newRow("isothermal row") << 5459 << -1;
    }

    void tableClicks() {
        QFETCH(int, y);
        QFETCH(int, record);
        const DataTableGeometry g = ComputeDataTable(10, 3675, 5970, ViewLayout::Screen);
        QCOMPARE(DataTableRecordAt(g.RowBottomY, 10, y).value_or(-1), record);
    }

    void stripRows_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<int>("rowHeight");
        const int heights[] = {190, 95, 63, 48, 38, 32, 27, 24, 21, 19, 17};
        for (int n = 0; n <= kMaxLayerCount; ++n) {
            QTest::addRow("%d layers", n) << n << heights[n];
        }
    }

    void stripRows() {
        QFETCH(int, layers);
        QFETCH(int, rowHeight);
        const LayerStripGeometry g = ComputeLayerStrip(StackOf(layers));
        const int top = 47 - 2 * layers;
        const int last = rowHeight * layers + top;
        QCOMPARE((IntList{g.RowHeight, g.TopRow, g.RowY[layers], g.OptLayerTop[layers],
                          g.StripBottomY[layers]}),
                 (IntList{rowHeight, top, last, 15 * last, last + 10}));
    }

    void stripControls_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<int>("current");
        QTest::addColumn<IntList>("optionAndPointerTop");
        QTest::newRow("new model") << 0 << 0 << IntList{705, 564};
        QTest::newRow("heat source of two layers") << 2 << 0 << IntList{645, 516};
        QTest::newRow("layer 1 of two") << 2 << 1 << IntList{645, 1590};
        QTest::newRow("bottom of ten") << 10 << 10 << IntList{405, 2955};
        QTest::newRow("selection beyond the stack") << 2 << 5 << IntList{645, -1};
    }

    void stripControls() {
        QFETCH(int, layers);
        QFETCH(int, current);
        QFETCH(IntList, optionAndPointerTop);
        const LayerStripGeometry g = ComputeLayerStrip(StackOf(layers));
        QCOMPARE((IntList{g.OptLayerTop[0], LayerPointerTop(g, current).value_or(-1)}),
                 optionAndPointerTop);
    }

    void stripClicks_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("record");
        QTest::newRow("left of the slabs") << 2 << QPoint(20, 40) << -1;
        QTest::newRow("right of the slabs") << 2 << QPoint(190, 40) << -1;
        QTest::newRow("left limit") << 2 << QPoint(25, 40) << 0;
        QTest::newRow("right limit, slanted") << 2 << QPoint(185, 10) << 0;
        QTest::newRow("slanted side taken lower") << 2 << QPoint(170, 40) << 1;
        QTest::newRow("straight part") << 2 << QPoint(150, 40) << 0;
        QTest::newRow("row boundary") << 2 << QPoint(50, 53) << 1;
        QTest::newRow("below the bottom layer") << 2 << QPoint(50, 179) << -1;
        QTest::newRow("heat source of a new model") << 0 << QPoint(50, 40) << 0;
    }

    void stripClicks() {
        QFETCH(int, layers);
        QFETCH(QPoint, at);
        QFETCH(int, record);
        const LayerStripGeometry g = ComputeLayerStrip(StackOf(layers));
        QCOMPARE(LayerStripRecordAt(g.StripBottomY, layers, at.x(), at.y()).value_or(-1), record);
    }

    void scaleSlabs() {
        const ScaleViewGeometry g = ComputeScaleView(TwoLayerModel(), 400, 200, ViewLayout::Screen);
        QVERIFY(g.HasSlabs);
        QCOMPARE((IntList{g.ViewWidth, g.ViewHeight, g.OriginX, g.OriginY, g.CentreX}),
                 (IntList{400, 200, 0, 0, 200}));
        QCOMPARE((QList<float>{g.ScaleX, g.ScaleY}), (QList<float>{85.0f, 85.0f}));
        QCOMPARE(g.MinSlabHeight, 2);
        QCOMPARE(FirstOf(g.SlabWidth, 4), (IntList{170, 400, 340, 400}));
        // The heat source has no thickness and is drawn MinSlabHeight high.
        QCOMPARE(FirstOf(g.Top, 5), (IntList{10, 12, 95, 180, 200}));
        QCOMPARE(FirstOf(g.ClickLimits.ScaleHalfWidth, 4), (IntList{85, 200, 170, 200}));
        QCOMPARE(FirstOf(g.ClickLimits.ScaleBottomY, 4), (IntList{11, 94, 179, 199}));
    }

    void scaleThinLayerPushesDown() {
        Model model = TwoLayerModel();
        model.Layers[1].Thickness = 0.001f;
        const ScaleViewGeometry g = ComputeScaleView(model, 400, 1000, ViewLayout::Screen);
        QCOMPARE((IntList{g.MinSlabHeight, g.Top[2] - g.Top[1], g.Top[4]}),
                 (IntList{10, 10, 1000}));
    }

    void scaleCones_data() {
        QTest::addColumn<float>("secondAngle");
        QTest::addColumn<IntList>("secondEdge");  // and whether it is clipped
        // The footprint leaves layer 1 169 wide each side; layer 2 is 170.
        QTest::newRow("meets the slab side") << 45.0f << IntList{169, 1, 1, true};
        QTest::newRow("zero angle") << 0.0f << IntList{169, 0, 85, false};
    }

    void scaleCones() {
        QFETCH(float, secondAngle);
        QFETCH(IntList, secondEdge);
        const ScaleViewGeometry g =
            ComputeScaleView(TwoLayerModel(secondAngle), 400, 200, ViewLayout::Screen);
        // (170 + 1) / 2 = 85.5 rounds to the even 86.
        QCOMPARE((IntList{g.Cone[1].EntryHalfWidth, g.Cone[1].Growth, g.Cone[1].Height,
                          g.Cone[1].Clipped}),
                 (IntList{86, 83, 83, false}));
        QCOMPARE((IntList{g.Cone[2].EntryHalfWidth, g.Cone[2].Growth, g.Cone[2].Height,
                          g.Cone[2].Clipped}),
                 secondEdge);
    }

    void scaleZeroAngleOnOddSlab() {
        // The footprint cut to a slab 87 wide rounds up to 44, half a unit beyond the side;
        // without growth that must not divide by zero.
        Model model = TwoLayerModel(0.0f);
        model.Layers[2].Width = 87.0f / 85.0f;
        model.Layers[3] = MakeLayer(1.0f, 4.0f, 0.0f, 2);
        model.LayerCount = 3;
        const ScaleViewGeometry g = ComputeScaleView(model, 400, 200, ViewLayout::Screen);
        QCOMPARE((IntList{g.SlabWidth[2], g.Cone[2].EntryHalfWidth, g.Cone[2].Growth,
                          g.Cone[2].Clipped}),
                 (IntList{87, 44, 0, false}));
    }

    void scaleOnPage() {
        const ScaleViewGeometry g =
            ComputeScaleView(TwoLayerModel(), 11180, 16120, ViewLayout::Page);
        QCOMPARE((IntList{g.ViewWidth, g.ViewHeight, g.OriginX, g.OriginY, g.CentreX}),
                 (IntList{4472, 6609, 559, 1048, 2795}));
        QCOMPARE((IntList{g.MinSlabHeight, g.Top[0], g.Top[g.LayerCount + 2]}),
                 (IntList{66, 1378, 1048 + 6609}));
    }

    void scaleWithoutSlabs_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<float>("thickness");
        QTest::newRow("no layers") << 0 << 1.0f;
        QTest::newRow("zero thickness from a file") << 1 << 0.0f;
        QTest::newRow("not a number") << 1 << std::numeric_limits<float>::quiet_NaN();
    }

    void scaleWithoutSlabs() {
        QFETCH(int, layers);
        QFETCH(float, thickness);
        Model model = StackOf(layers);
        model.Layers[1].Thickness = thickness;
        const ScaleViewGeometry g = ComputeScaleView(model, 400, 200, ViewLayout::Screen);
        QVERIFY(!g.HasSlabs);
        QCOMPARE(g.ClickLimits.ScaleBottomY, ClickLimits{});
    }

    void scaleClicks_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("record");
        QTest::newRow("heat source") << QPoint(200, 5) << 0;
        QTest::newRow("beside the heat source") << QPoint(300, 5) << -1;
        QTest::newRow("unlimited layer") << QPoint(300, 50) << 1;
        QTest::newRow("left edge of the view") << QPoint(0, 50) << -1;
        QTest::newRow("inside the narrow layer") << QPoint(31, 150) << 2;
        QTest::newRow("beside the narrow layer") << QPoint(30, 150) << -1;
        QTest::newRow("isothermal base") << QPoint(200, 190) << -1;
    }

    void scaleClicks() {
        QFETCH(QPoint, at);
        QFETCH(int, record);
        const ScaleViewGeometry g = ComputeScaleView(TwoLayerModel(), 400, 200, ViewLayout::Screen);
        QCOMPARE(ScaleViewRecordAt(g.ClickLimits, 2, 400, at.x(), at.y()).value_or(-1), record);
    }
};

QTEST_GUILESS_MAIN(TestViewsGeometry)
#include "test_views_geometry.moc"
