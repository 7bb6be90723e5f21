#include <QtTest>

#include <QPushButton>

#include <memory>

#include "core/thermal_calc.h"
#include "dialogs/print_preview_dialog.h"
#include "mainwindow/view_boxes.h"
#include "support/views_fixtures.h"
#include "views/report/report_paper.h"

using namespace strativex;
using namespace strativex::testing;

namespace {

enum class Box { Strip, Scale, Table };

// The box with a picture, inside its border, of the size the rules are written for.
std::unique_ptr<ViewBox> MakeBox(Box kind, const AppState& state) {
    std::unique_ptr<ViewBox> box;
    QSize picture;
    switch (kind) {
        case Box::Strip:
            box = std::make_unique<LayerStripBox>(state);
            picture = QSize(120, 247);
            break;
        case Box::Scale:
            box = std::make_unique<ScaleViewBox>(state);
            picture = QSize(400, 200);
            break;
        case Box::Table:
            box = std::make_unique<DataTableBox>(state);
            picture = QSize(245, 398);
            break;
    }
    const QMargins border = box->contentsMargins();
    box->resize(picture.grownBy(border));
    return box;
}

// The record a click at a point of the picture selects, or -1.
int Clicked(ViewBox& box, QPoint at, Qt::MouseButton button) {
    QSignalSpy spy(&box, &ViewBox::recordClicked);
    QTest::mouseClick(&box, button, {}, box.contentsRect().topLeft() + at);
    return spy.isEmpty() ? -1 : spy.takeFirst().at(0).toInt();
}

}  // namespace

Q_DECLARE_METATYPE(Box)

class TestViewsBoxes : public QObject {
    Q_OBJECT

private slots:
    void clicks_data() {
        QTest::addColumn<Box>("box");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("record");
        QTest::newRow("strip, slanted side")
            << Box::Strip << "PicLayerSelect" << QPoint(170, 40) << Qt::LeftButton << 1;
        QTest::newRow("strip, left of the slabs")
            << Box::Strip << "PicLayerSelect" << QPoint(20, 40) << Qt::LeftButton << -1;
        QTest::newRow("scale view, right button")
            << Box::Scale << "PicScaleView" << QPoint(300, 50) << Qt::RightButton << 1;
        QTest::newRow("scale view, beside the heat source")
            << Box::Scale << "PicScaleView" << QPoint(300, 5) << Qt::LeftButton << -1;
        QTest::newRow("table, first row")
            << Box::Table << "PicDisplayData" << QPoint(100, 50) << Qt::LeftButton << 0;
        QTest::newRow("table, header")  // 585 twips
            << Box::Table << "PicDisplayData" << QPoint(100, 39) << Qt::LeftButton << -1;
    }

    void clicks() {
        QFETCH(Box, box);
        QFETCH(QString, name);
        QFETCH(QPoint, at);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, record);
        AppState state;
        state.materials = TwoMaterials();
        state.model = TwoLayerModel();
        RecalculateModel(state.model, state.materials);
        const auto view = MakeBox(box, state);
        QCOMPARE(view->objectName(), name);
        QCOMPARE(Clicked(*view, at, button), -1);  // nothing drawn yet
        view->grab();
        QCOMPARE(Clicked(*view, at, button), record);
    }

    void previewWindow() {
        AppState state;
        state.model = TwoLayerModel();
        PrintPreviewDialog preview(state, LayoutPageTwips(DefaultReportPageLayout()));
        auto* picture = preview.findChild<QWidget*>(QStringLiteral("PicPreview"));
        auto* done = preview.findChild<QPushButton*>(QStringLiteral("CmdDone"));
        QVERIFY(picture && done);
        QCOMPARE(picture->size(), QSize(338, 404));
        QCOMPARE(preview.size(), QSize(369, 433));
        QVERIFY(preview.rect().contains(done->geometry()));
        QVERIFY(!done->geometry().intersects(picture->geometry()));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QTest::mouseClick(done, Qt::LeftButton);
        QTRY_VERIFY(!preview.isVisible());
        QCOMPARE(preview.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestViewsBoxes)
#include "test_views_boxes.moc"
