#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include <memory>

#include "analysis/sweep_exact_point.h"
#include "analysis/sweep_plot_view.h"
#include "analysis/sweep_window.h"
#include "core/material_loader.h"
#include "core/sweep_check.h"
#include "core/thermal_calc.h"
#include "core/units.h"
#include "mainwindow/main_window.h"
#include "persistence/model_file.h"
#include "persistence/preferences.h"
#include "support/file_bytes.h"
#include "support/pdf_text.h"
#include "support/program_folder.h"
#include "support/scripted_desktop.h"
#include "support/sweep_fixtures.h"
#include "support/widget_lookup.h"
#include "views/plot/plot_texts.h"

using namespace strativex;
using namespace strativex::testing;

namespace {

const QString kExamples = QStringLiteral(STRATIVEX_SOURCE_DIR "/examples");
// The 3-D check takes up to a few tenths of a second a point on this machine's slowest day.
constexpr int kExactTimeoutMs = 60000;

Model Example(const QString& name, const MaterialTable& table) {
    Model model;
    LoadModelFile(model, table, ModelDefaults{}, (kExamples + "/" + name).toStdString());
    return model;
}

// The inputs and every result of the model: what a sweep must leave as it found it.
std::string Everything(const Model& model) {
    std::string text = ModelFileText(model);
    for (int i = 1; i <= model.LayerCount; ++i) {
        const Layer& layer = model.Layers[static_cast<std::size_t>(i)];
        text += std::to_string(layer.TopTemp) + " " + std::to_string(layer.Resistance) + " " +
                std::to_string(static_cast<int>(layer.Status)) + "\n";
    }
    return text;
}

QString Celsius(double value) {
    return QString::fromStdString(FormatValue(value, kTemperatureSlot, kDefaultDecimalDigits));
}

// A sweep window on a state of its own, driven through its controls.
struct Session {
    AppState state;
    ScriptedDesktop desktop;
    int commits = 0;
    std::uint64_t revision = 0;
    std::function<bool()> commit = [] { return true; };
    std::unique_ptr<SweepWindow> window;

    explicit Session(Model model, MaterialTable table = SweepMaterials()) {
        state.model = std::move(model);
        state.materials = std::move(table);
        RecalculateModel(state.model, state.materials);
        window = std::make_unique<SweepWindow>(state, desktop, [this] {
            ++commits;
            return commit();
        });
    }

    SweepWindow& W() const { return *window; }
    // What the main window does after every change of the model.
    void ModelChanged() { window->ModelChanged(++revision); }
    template <typename Control>
    Control* C(const char* name) const {
        return Child<Control>(*window, QString::fromLatin1(name));
    }

    void Choose(const char* name, const QString& entry) const {
        auto* combo = C<QComboBox>(name);
        const int index = combo->findText(entry, Qt::MatchStartsWith);
        QVERIFY2(index >= 0, qPrintable(entry));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void Sweep(const QString& quantity, int layer = 0) const {
        Choose("ComboQuantity", quantity);
        if (layer > 0) Choose("ComboLayer", QStringLiteral("Layer %1").arg(layer));
    }
    void Range(const QString& from, const QString& to, int steps) const {
        C<QLineEdit>("TextFrom")->setText(from);
        C<QLineEdit>("TextTo")->setText(to);
        C<QSpinBox>("SpinSteps")->setValue(steps);
    }
    void CheckMaterials(const QStringList& names) const {
        auto* list = C<QListWidget>("ListMaterials");
        for (int row = 0; row < list->count(); ++row) {
            const bool wanted = names.contains(list->item(row)->text());
            list->item(row)->setCheckState(wanted ? Qt::Checked : Qt::Unchecked);
        }
    }
    void Exact(int points) const {
        C<QCheckBox>("CheckExact")->setChecked(true);
        C<QSpinBox>("SpinExactPoints")->setValue(points);
    }
    void Calculate() const { C<QPushButton>("CmdCalculate")->click(); }

    QAbstractItemModel* Table() const { return C<QTableView>("TableSweep")->model(); }
    int Rows() const { return Table()->rowCount(); }
    QString Cell(int row, int column) const {
        return Table()->index(row, column).data().toString();
    }
    QString Header(int column) const {
        return Table()->headerData(column, Qt::Horizontal).toString();
    }
    QString Status() const { return Text(*window, "LblStatus"); }
    QString LastMessage() const {
        return desktop.messages.empty() ? QString() : desktop.messages.back().Text;
    }
    // The plot as the screen last drew it.
    const SweepPlotGeometry& Plot() const {
        auto* plot = C<SweepPlotView>("PlotSweep");
        plot->grab();
        return plot->Geometry();
    }
    bool WaitForExact() const {
        return QTest::qWaitFor([this] { return !C<QPushButton>("CmdCancel")->isVisibleTo(&W()); },
                               kExactTimeoutMs);
    }
};

// Sends the cursor over the plot as the mouse would.
void MoveOver(QWidget* plot, QPointF at) {
    QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
}

SweepRequest PowerRequest(double from, double to, int count) {
    return {QuantityId::Power, 0, from, to, count, SweepSpacing::Linear, {}};
}

}  // namespace

Q_DECLARE_METATYPE(SweepRequest)

class TestSweepWindow : public QObject {
    Q_OBJECT

private slots:
    void exactPointIndices_data() {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("indices");
        QTest::newRow("five of twenty-one, evenly") << 21 << 5 << QList<int>{0, 5, 10, 15, 20};
        QTest::newRow("half-way rounds up") << 10 << 3 << QList<int>{0, 5, 9};
        QTest::newRow("more wanted than there are") << 4 << 10 << QList<int>{0, 1, 2, 3};
        QTest::newRow("both ends of two") << 2 << 2 << QList<int>{0, 1};
        QTest::newRow("one: the first") << 7 << 1 << QList<int>{0};
        QTest::newRow("no points") << 0 << 5 << QList<int>{};
    }

    void exactPointIndices() {
        QFETCH(int, points);
        QFETCH(int, count);
        QFETCH(QList<int>, indices);
        QList<int> got;
        for (const std::size_t i : ExactPointIndices(static_cast<std::size_t>(points), count)) {
            got << static_cast<int>(i);
        }
        QCOMPARE(got, indices);
    }

    // The point's check is the check of the model with the one value changed, to the bit; the
    // model given is left alone.
    void checkedPointIsTheEditedModel() {
        const Model model = DieOnCopper();
        const MaterialTable table = SweepMaterials();
        const std::string before = Everything(model);
        const SweepRequest request{QuantityId::Thickness, 2, 0.02, 0.2, 3,
                                   SweepSpacing::Linear,  {}};
        const ExactPointOutcome outcome = CheckSweepPoint(model, table, request, 1, 0.11f);
        Model edited = model;
        edited.Layers[2].Thickness = 0.11f;
        const exact::ExactResult direct = exact::RunExactCheck(edited, table);
        QCOMPARE(outcome.Status, exact::ExactStatus::Ok);
        QCOMPARE(outcome.Point.Index, std::size_t{1});
        QCOMPARE(*outcome.Point.AverageC, direct.AverageSourceTempC);
        QCOMPARE(*outcome.Point.PeakC, direct.PeakSourceTempC);
        QVERIFY(*outcome.Point.PeakC > *outcome.Point.AverageC);
        QCOMPARE(Everything(model), before);
    }

    void checkedPointWithoutResultSaysWhy() {
        const SweepRequest request{QuantityId::Material, 2, 0, 0, 0, SweepSpacing::Linear,
                                   {kCopperId, 99}};
        const ExactPointOutcome outcome =
            CheckSweepPoint(DieOnCopper(), SweepMaterials(), request, 1, 99.0f);
        QVERIFY(outcome.Status != exact::ExactStatus::Ok);
        QVERIFY(!outcome.Point.AverageC && !outcome.Point.PeakC);
        QVERIFY(!outcome.Message.empty());
    }

    // The worked example of the help: four powers on the IGBT module.
    void powerSweepOfTheExample() {
        const MaterialTable table = StandardMaterials();
        Session s(Example("igbt_on_al2o3_dbc.mdl", table), table);
        s.state.prefs.DecimalDigits[kResistanceSlot] = 3;
        s.Sweep("Power");
        s.Range("50", "200", 4);
        s.Calculate();
        QCOMPARE(s.desktop.messages.size(), std::size_t{0});
        QCOMPARE(s.Header(0), QString("Power (W)"));
        QStringList rows;
        for (int row = 0; row < s.Rows(); ++row) {
            rows << QStringList{s.Cell(row, 0), s.Cell(row, 1), s.Cell(row, 2)}.join(' ');
        }
        QCOMPARE(rows, (QStringList{"50 78.08 0.262", "100 91.81 0.268", "150 106.23 0.275",
                                    "200 121.42 0.282"}));
        QCOMPARE(s.Status(), QString("4 points."));
        // The model's own 150 W is marked on the plot.
        const SweepPlotGeometry& plot = s.Plot();
        QVERIFY(plot.ModelX.has_value());
        QCOMPARE(*plot.ModelX, plot.PointX[2]);
    }

    void everyKindLeavesTheModelAlone_data() {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<int>("layer");
        QTest::addColumn<QStringList>("range");  // from, to; or the materials
        QTest::addColumn<QString>("header");
        QTest::addColumn<SweepRequest>("request");
        const auto row = [](const char* quantity, int layer, const QStringList& range,
                            const char* header, SweepRequest request) {
            QTest::newRow(quantity)
                << QString(quantity) << layer << range << QString(header) << request;
        };
        const auto numeric = [](QuantityId quantity, int layer, double from, double to) {
            return SweepRequest{quantity, layer, from, to, 5, SweepSpacing::Linear, {}};
        };
        row("Power", 0, {"5", "40"}, "Power (W)", numeric(QuantityId::Power, 0, 5, 40));
        row("Isothermal temperature", 0, {"0", "100"}, "Isothermal temperature (\u00B0C)",
            numeric(QuantityId::IsothermalTemp, 0, 0, 100));
        row("Device width", 0, {"2", "8"}, "Device width (mm)",
            numeric(QuantityId::DeviceWidth, 0, 2, 8));
        row("Device length", 0, {"2", "8"}, "Device length (mm)",
            numeric(QuantityId::DeviceLength, 0, 2, 8));
        row("Layer thickness", 2, {"0.02", "0.2"}, "Layer 2 thickness (mm)",
            numeric(QuantityId::Thickness, 2, 0.02, 0.2));
        row("Layer width", 2, {"6", "20"}, "Layer 2 width (mm)",
            numeric(QuantityId::Width, 2, 6, 20));
        row("Layer length", 3, {"10", "40"}, "Layer 3 length (mm)",
            numeric(QuantityId::Length, 3, 10, 40));
        row("Layer spreading angle", 1, {"0", "45"}, "Layer 1 spreading angle (\u00B0)",
            numeric(QuantityId::SpreadAngle, 1, 0, 45));
        row("Layer material", 2, {"Copper", "Solder", "Falling"}, "Layer 2 material",
            SweepRequest{QuantityId::Material, 2, 0, 0, 0, {}, {kCopperId, kSolderId, kFallingId}});
    }

    // Each kind runs as typed (the table equals the engine's sweep of that request) and the
    // model keeps every input and every result.
    void everyKindLeavesTheModelAlone() {
        QFETCH(QString, quantity);
        QFETCH(int, layer);
        QFETCH(QStringList, range);
        QFETCH(QString, header);
        QFETCH(SweepRequest, request);
        Session s(DieOnCopper());
        const std::string before = Everything(s.state.model);
        s.Sweep(quantity, layer);
        if (request.Quantity == QuantityId::Material) {
            s.CheckMaterials(range);
        } else {
            s.Range(range[0], range[1], 5);
        }
        s.Calculate();
        QCOMPARE(s.LastMessage(), QString());
        QCOMPARE(Everything(s.state.model), before);
        QCOMPARE(s.Header(0), header);
        const SweepResult expected = *RunSweep(s.state.model, s.state.materials, request);
        QCOMPARE(s.Rows(), static_cast<int>(expected.Points.size()));
        for (int row = 0; row < s.Rows(); ++row) {
            const SweepPoint& point = expected.Points[static_cast<std::size_t>(row)];
            QCOMPARE(s.Cell(row, 1), Celsius(*point.HeatSourceTempC));
        }
        if (request.Quantity == QuantityId::Material) {
            QCOMPARE(s.Cell(1, 0), QString("Solder"));
        }
    }

    void refusedValues_data() {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<int>("layer");
        QTest::addColumn<QStringList>("range");
        QTest::addColumn<bool>("log");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* quantity, int layer,
                            const QStringList& range, bool log, const char* message) {
            QTest::newRow(name) << QString(quantity) << layer << range << log
                                << QString::fromUtf8(message);
        };
        row("power below its range", "Power", 0, {"0", "10"}, false,
            "Power 0 W is outside the accepted 0.0001 to 1000 W.");
        row("from is no number", "Power", 0, {"ten", "10"}, false,
            "From: \"ten\" is not a number.");
        row("to is empty", "Power", 0, {"5", ""}, false, "To: \"\" is not a number.");
        row("trailing text", "Power", 0, {"5", "10 W"}, false, "To: \"10 W\" is not a number.");
        row("logarithmic through zero", "Isothermal temperature", 0, {"-10", "50"}, true,
            "A logarithmic sweep needs a start and an end above 0.");
        row("one material", "Layer material", 2, {"Copper"}, false,
            "A material sweep needs at least 2 materials.");
    }

    // A sweep the window would refuse is refused with the reason, and nothing is calculated.
    void refusedValues() {
        QFETCH(QString, quantity);
        QFETCH(int, layer);
        QFETCH(QStringList, range);
        QFETCH(bool, log);
        QFETCH(QString, message);
        Session s(DieOnCopper());
        s.Sweep(quantity, layer);
        if (quantity == "Layer material") {
            s.CheckMaterials(range);
        } else {
            s.Range(range[0], range[1], 5);
        }
        if (log) s.Choose("ComboSpacing", "Logarithmic");
        s.Calculate();
        QCOMPARE(s.desktop.messages.size(), std::size_t{1});
        QCOMPARE(s.LastMessage(), message);
        QCOMPARE(s.desktop.messages.back().Title, QString("Sweep"));
        QCOMPARE(s.desktop.messages.back().Icon, MessageIcon::Exclamation);
        QCOMPARE(s.Rows(), 0);
        QVERIFY(!s.C<QPushButton>("CmdExportCsv")->isEnabled());
    }

    void modelWithoutLayers() {
        Model model;
        ResetToNewModel(model, ModelDefaults{});
        Session s(model);
        s.Sweep("Layer thickness");
        s.Calculate();
        QCOMPARE(s.LastMessage(), QString("The model has no layer to sweep."));
        s.Sweep("Power");
        s.Calculate();
        QCOMPARE(s.LastMessage(), QString("The model has no layers to calculate."));
        QCOMPARE(s.Rows(), 0);
    }

    // The form proposes a range around the model's value, in the model's unit, and proposes
    // it anew when the unit changes under a length.
    void unitsFollowTheModel() {
        Model model = DieOnCopper();
        QVERIFY(SelectUnit(model, LengthUnit::Inches));
        Session s(model);
        s.Sweep("Layer thickness", 3);
        QCOMPARE(Text(s.W(), "LblFromUnit"), QString("in."));
        const float inches = s.state.model.Layers[3].Thickness;
        QCOMPARE(Text(s.W(), "TextFrom"), QString::fromStdString(NumberText(inches / 2.0f)));
        s.Calculate();
        QCOMPARE(s.Header(0), QString("Layer 3 thickness (in.)"));
        QVERIFY(SelectUnit(s.state.model, LengthUnit::Millimeters));
        s.ModelChanged();
        QCOMPARE(Text(s.W(), "LblToUnit"), QString("mm"));
        const float millimetres = s.state.model.Layers[3].Thickness;
        QCOMPARE(Text(s.W(), "TextTo"), QString::fromStdString(NumberText(millimetres * 2.0f)));
    }

    // A point without a result is a gap in the plot and its reason in the table.
    void gapShowsItsReason() {
        Model model = DieOnCopper();
        model.Layers[2] = SweepLayer(kDivergingId, 1.0f, 0.0f);
        Session s(model);
        s.Sweep("Power");
        s.Range("1", "20", 25);
        s.Calculate();
        const SweepResult sweep = *RunSweep(model, s.state.materials, PowerRequest(1, 20, 25));
        int gaps = 0;
        for (int row = 0; row < s.Rows(); ++row) {
            const SweepPoint& point = sweep.Points[static_cast<std::size_t>(row)];
            if (point.HasResult()) continue;
            ++gaps;
            QCOMPARE(s.Cell(row, 1), QString("layer 2: no result"));
            QCOMPARE(s.Cell(row, 2), QString());
        }
        QVERIFY(gaps > 0 && gaps < 25);
        QCOMPARE(s.Status(), QString("25 points, %1 without a result.").arg(gaps));
        QVERIFY(!s.Plot().Gaps.empty());
    }

    void outOfDateUntilCalculatedAgain() {
        Session s(DieOnCopper());
        auto* label = s.C<QLabel>("LblOutOfDate");
        s.ModelChanged();
        QVERIFY2(!s.W().IsOutOfDate(), "nothing shown is nothing out of date");
        s.Calculate();
        QVERIFY(!label->isVisibleTo(&s.W()));
        s.ModelChanged();
        QVERIFY(s.W().IsOutOfDate());
        QVERIFY(label->isVisibleTo(&s.W()));
        s.Calculate();
        QVERIFY(!s.W().IsOutOfDate());
        QVERIFY(!label->isVisibleTo(&s.W()));
    }

    // A value the main window refuses to commit stops the calculation. That the value typed
    // is committed before the model is read is the menu test's.
    void refusedCommitStopsTheCalculation() {
        Session s(DieOnCopper());
        s.Calculate();
        s.commit = [] { return false; };
        s.Range("5", "10", 3);
        s.Calculate();
        QCOMPARE(s.commits, 2);
        QCOMPARE(s.W().PlotInputs().sweep.Points.size(), std::size_t{21});
        QCOMPARE(s.desktop.messages.size(), std::size_t{0});
    }

    // The read-out and the table's selection follow the point under the cursor.
    void readoutFollowsCursor() {
        Session s(DieOnCopper());
        s.W().show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.W()));
        s.Sweep("Power");
        s.Range("5", "40", 5);
        s.Calculate();
        auto* plot = s.C<SweepPlotView>("PlotSweep");
        const SweepPlotGeometry& g = s.Plot();
        for (std::size_t p = 0; p < g.PointX.size(); ++p) {
            MoveOver(plot, QPointF(g.PointX[p], g.Area.center().y()));
            QCOMPARE(Text(s.W(), "LblReadout"), PointReadout(s.W().PlotInputs(), p));
            QCOMPARE(s.C<QTableView>("TableSweep")->currentIndex().row(), static_cast<int>(p));
        }
        MoveOver(plot, QPointF(g.Area.left() - 20, g.Area.center().y()));
        QCOMPARE(Text(s.W(), "LblReadout"), QString());
    }

    void exports_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("title");
        const auto row = [](const char* suffix, const char* button, const char* title) {
            QTest::newRow(suffix) << QString(button) << QString(suffix) << QString(title);
        };
        row("csv", "CmdExportCsv", "Export Sweep as CSV");
        row("png", "CmdExportPng", "Export Sweep Plot as PNG");
        row("pdf", "CmdExportPdf", "Export Sweep Plot as PDF");
    }

    void exports() {
        QFETCH(QString, button);
        QFETCH(QString, suffix);
        QFETCH(QString, title);
        QTemporaryDir dir;
        Session s(DieOnCopper());
        s.state.model.ModelFileName = "die.mdl";
        s.state.prefs.ModelsFolder = dir.path().toStdString();
        s.Sweep("Power");
        s.Range("5", "40", 8);
        s.Calculate();
        const QString path = dir.filePath("out." + suffix);
        s.desktop.files.push_back(path);
        s.C<QPushButton>(qPrintable(button))->click();
        QCOMPARE(s.desktop.messages.size(), std::size_t{0});
        const FileDialogRequest& request = s.desktop.fileRequests.back();
        QCOMPARE(request.Title, title);
        QCOMPARE(request.FileName, "die-sweep." + suffix);
        QCOMPARE(request.Folder, dir.path());
        QCOMPARE(request.DefaultSuffix, suffix);
        const QByteArray bytes = ReadBytes(path);
        if (suffix == "csv") {
            const QList<QByteArray> lines = bytes.split('\n');
            QCOMPARE(lines.size(), 10);  // a header, eight points and the last line's end
            QVERIFY(
                lines[0].startsWith("point,power_w,heat_source_temp_c,"
                                    "total_resistance_c_per_w,status,failed_layer,"
                                    "layer_1_top_temp_c"));
            QVERIFY(lines[1].startsWith("1,5,"));
            QVERIFY(bytes.endsWith("\r\n"));
        } else if (suffix == "png") {
            const QSize doubled = s.C<SweepPlotView>("PlotSweep")->size() * 2;
            QCOMPARE(QImage::fromData(bytes, "PNG").size(), doubled);
            // The clipboard gets the same picture.
            QGuiApplication::clipboard()->clear();
            s.C<QPushButton>("CmdCopyPicture")->click();
            QCOMPARE(QGuiApplication::clipboard()->image().size(), doubled);
        } else {
            QVERIFY(bytes.startsWith("%PDF"));
            if (!HasPopplerTools()) QSKIP("pdftotext is not installed");
            const QString text = PdfText(path);
            for (const char* expected :
                 {"Power (W)", "Temperature (\u00B0C)", "Total resistance (\u00B0C/W)",
                  "Heat source temperature"}) {
                QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
            }
        }
    }

    // A file that cannot be written is said so; nothing is left behind.
    void failedExportSaysSo() {
        QTemporaryDir dir;
        Session s(DieOnCopper());
        s.Calculate();
        const QString path = dir.filePath("no-such-folder/out.csv");
        s.desktop.files.push_back(path);
        s.C<QPushButton>("CmdExportCsv")->click();
        QCOMPARE(s.desktop.messages.size(), std::size_t{1});
        QCOMPARE(s.desktop.messages.back().Title, QString("Error Exporting Sweep"));
        QVERIFY(s.LastMessage().startsWith(path + "\r\nThe file could not be written: "));
        QVERIFY(s.LastMessage().endsWith("\r\nSweep not exported."));
        QVERIFY(!QFile::exists(path));
    }

    void csvTemperaturesAreShortest_data() {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QStringList>("range");
        QTest::newRow("power") << "Power" << QStringList{"5", "40"};
        QTest::newRow("isothermal temperature")
            << "Isothermal temperature" << QStringList{"-40", "125"};
    }

    // Every temperature in the CSV reads back to the very kelvin value the calculation stored,
    // and no text one decimal shorter does: "94.29917", never "94.29916748046872".
    void csvTemperaturesAreShortest() {
        QFETCH(QString, quantity);
        QFETCH(QStringList, range);
        QTemporaryDir dir;
        Session s(DieOnCopper());
        s.Sweep(quantity);
        s.Range(range[0], range[1], 12);
        s.Calculate();
        s.desktop.files.push_back(dir.filePath("out.csv"));
        s.C<QPushButton>("CmdExportCsv")->click();
        QList<QByteArray> lines = ReadBytes(dir.filePath("out.csv")).split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        const QList<QByteArray> header = lines.takeFirst().trimmed().split(',');
        const std::vector<SweepPoint>& points = s.W().PlotInputs().sweep.Points;
        QCOMPARE(lines.size(), static_cast<qsizetype>(points.size()));
        for (qsizetype row = 0; row < lines.size(); ++row) {
            const QList<QByteArray> fields = lines[row].trimmed().split(',');
            const SweepPoint& point = points[static_cast<std::size_t>(row)];
            for (int layer = 0; layer <= 3; ++layer) {
                const QByteArray column =
                    layer == 0 ? "heat_source_temp_c"
                               : "layer_" + QByteArray::number(layer) + "_top_temp_c";
                const QByteArray text = fields.value(header.indexOf(column));
                const float kelvin =
                    point.Layers[static_cast<std::size_t>(std::max(layer, 1) - 1)].TopTempK;
                QVERIFY2(static_cast<float>(text.toDouble() + 273.16) == kelvin, text.constData());
                if (!text.contains('.')) continue;
                const qsizetype decimals = text.size() - text.indexOf('.') - 1;
                const double celsius = static_cast<double>(kelvin) - 273.16;
                const double shorter =
                    QByteArray::number(celsius, 'f', static_cast<int>(decimals) - 1).toDouble();
                QVERIFY2(static_cast<float>(shorter + 273.16) != kelvin, text.constData());
            }
        }
    }

    // The 3-D check's points arrive from their thread into the table, the plot and the CSV,
    // each equal to the check of its own edited model.
    void exactPointsArrive() {
        Session s(DieOnCopper());
        s.Sweep("Power");
        s.Range("5", "40", 5);
        s.Exact(3);
        s.Calculate();
        QVERIFY(s.WaitForExact());
        QCOMPARE(s.Status(), QString("5 points. 3-D check at 3 points."));
        QCOMPARE(s.Header(3), QString("3-D average (\u00B0C)"));
        QCOMPARE(s.Header(4), QString("3-D peak (\u00B0C)"));
        const std::vector<float> powers{5.0f, 13.75f, 22.5f, 31.25f, 40.0f};
        for (int row = 0; row < 5; ++row) {
            if (row % 2 == 1) {
                QCOMPARE(s.Cell(row, 3), QString());
                continue;
            }
            Model edited = s.state.model;
            edited.PowerDissipation = powers[static_cast<std::size_t>(row)];
            const exact::ExactResult direct = exact::RunExactCheck(edited, s.state.materials);
            QCOMPARE(s.Cell(row, 3), Celsius(direct.AverageSourceTempC));
            QCOMPARE(s.Cell(row, 4), Celsius(direct.PeakSourceTempC));
        }
        const SweepPlotGeometry& plot = s.Plot();
        QCOMPARE(plot.Exact.size(), std::size_t{2});
        QCOMPARE(plot.Exact[0].Markers.size(), std::size_t{3});
        QTemporaryDir dir;
        s.desktop.files.push_back(dir.filePath("exact.csv"));
        s.C<QPushButton>("CmdExportCsv")->click();
        const QList<QByteArray> lines = ReadBytes(dir.filePath("exact.csv")).split('\n');
        QVERIFY(lines[0].endsWith(",exact_average_temp_c,exact_peak_temp_c\r"));
        QVERIFY(lines[2].endsWith(",,\r"));
        QVERIFY(!lines[1].endsWith(",,\r"));
    }

    void cancelStopsTheCheck() {
        Session s(DieOnCopper());
        s.Sweep("Power");
        s.Range("5", "40", 50);
        s.Exact(50);
        s.Calculate();
        auto* cancel = s.C<QPushButton>("CmdCancel");
        QVERIFY(cancel->isVisibleTo(&s.W()));
        QVERIFY(s.C<QProgressBar>("ProgressExact")->isVisibleTo(&s.W()));
        cancel->click();
        QVERIFY(s.WaitForExact());
        QVERIFY2(s.Status().contains(" 3-D check cancelled after "), qPrintable(s.Status()));
        QVERIFY(s.Status().endsWith(" of 50 points."));
        QVERIFY(!s.C<QProgressBar>("ProgressExact")->isVisibleTo(&s.W()));
    }

    // Closing or destroying the window during a check ends its thread first.
    void closingJoinsTheCheck() {
        Session s(DieOnCopper());
        s.W().show();
        s.Range("5", "40", 50);
        s.Exact(50);
        s.Calculate();
        QVERIFY(s.W().close());
        // A new sweep drops whatever the stopped check had found and not yet delivered.
        s.Exact(2);
        s.Calculate();
        QVERIFY(s.WaitForExact());
        QCOMPARE(s.Status(), QString("50 points. 3-D check at 2 points."));
        s.Exact(50);
        s.Calculate();
        s.window.reset();
    }

    // Analysis -> Sweep... opens one window, raised again when asked twice; the value being
    // typed in the main window is committed before the sweep reads the model, and later
    // changes mark the sweep out of date.
    void openedFromTheMenu() {
        QTemporaryDir dir;
        QVERIFY(PlantProgramFolder(dir.path(), LengthUnit::Millimeters));
        AppState state;
        ScriptedDesktop desktop;
        MainWindow main(state, desktop);
        QVERIFY(main.Start(dir.path()));
        QVERIFY(ShownActive(main));
        main.OpenModelFromPath(kExamples + "/igbt_on_al2o3_dbc.mdl");
        QCOMPARE(state.model.LayerCount, 7);

        QStringList menus;
        for (const QAction* menu : main.menuBar()->actions()) menus << menu->menu()->objectName();
        QCOMPARE(menus.mid(menus.indexOf("mnuPrefs"), 3),
                 QStringList({"mnuPrefs", "mnuAnalysis", "mnuHelp"}));
        auto* open = Child<QAction>(main, "mnuSweep");
        QCOMPARE(open->text(), QString("&Sweep..."));
        open->trigger();
        open->trigger();
        const QList<SweepWindow*> windows = main.findChildren<SweepWindow*>();
        QCOMPARE(windows.size(), 1);
        SweepWindow& sweep = *windows.front();
        QVERIFY(sweep.isVisible());

        auto* power = Child<QLineEdit>(main, "TextThermOutput");
        power->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(power->hasFocus());
        power->selectAll();
        QTest::keyClicks(power, "80");
        Child<QPushButton>(sweep, "CmdCalculate")->click();
        QCOMPARE(state.model.PowerDissipation, 80.0f);
        QCOMPARE(sweep.PlotInputs().sweep.ModelValue, 80.0f);
        QVERIFY(!sweep.IsOutOfDate());
        power->selectAll();
        QTest::keyClicks(power, "90");
        QTest::keyClick(power, Qt::Key_Return);
        QVERIFY(sweep.IsOutOfDate());
    }
};

QTEST_MAIN(TestSweepWindow)
#include "test_sweep_window.moc"
