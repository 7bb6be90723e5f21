#include <QtTest>

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "core/csv_fields.h"
#include "core/quantity.h"
#include "mainwindow/main_window.h"
#include "persistence/model_file.h"
#include "support/main_window_session.h"
#include "support/run_program.h"
#include "support/scripted_desktop.h"
#include "support/widget_lookup.h"

using namespace strativex;

namespace {

const QString kCalc = QStringLiteral(STRATIVEX_BIN_DIR "/strativex-calc");
constexpr int kSweptLayer = 2;

// What the user types for each quantity, what its field shows then, and the values a
// command-line sweep goes between. A quantity added to the table without a row here fails
// everyQuantityHasARow.
struct QuantityCase {
    const char* key;
    const char* control;  // the window's control that edits it
    const char* typed;
    float value;
    const char* shown;
    const char* sweep;  // after "key="
    const char* column;
    float firstPoint;
};

const std::vector<QuantityCase>& Cases() {
    static const std::vector<QuantityCase> cases{
        {"power", "TextThermOutput", "12.5 W", 12.5f, "12.50", "0.5:7:2", "power_w", 0.5f},
        {"isothermal", "TextIsotherm", "-12.25 C", -12.25f, "-12.25", "-40:80:2",
         "isothermal_temp_c", -40.0f},
        {"device_width", "TextDevWidth", "3.5 mm", 3.5f, "3.50", "2:9:2", "device_width_mm", 2.0f},
        {"device_length", "TextDevLength", "4.25", 4.25f, "4.25", "2.5:9:2", "device_length_mm",
         2.5f},
        {"thickness", "TextThickness", "0.75 mm", 0.75f, "0.75", "0.125:1:2",
         "layer_2_thickness_mm", 0.125f},
        {"width", "TextDevWidth", "(infinite)", 0.0f, "(infinite)", "6:12:2", "layer_2_width_mm",
         6.0f},
        {"length", "TextDevLength", "9.5", 9.5f, "9.50", "0:12:2", "layer_2_length_mm", 0.0f},
        {"angle", "HScrAngle", "30", 30.0f, "30\u00B0", "45:0:2", "layer_2_spread_angle_deg",
         45.0f},
        {"material", "ComboMaterials", "", 0.0f, "", "", "layer_2_material_id", 0.0f},
    };
    return cases;
}

using Session = MainWindowSession;

// A window on a model of two layers in millimetres, each of a material of the shipped table.
std::unique_ptr<Session> Start() {
    auto s = StartSession();
    if (!s || !s->started) return nullptr;
    s->Click("CmdAddLayer");
    s->Click("CmdAddLayer");
    return s;
}

std::vector<int> MaterialIds(const Session& s) {
    std::vector<int> ids;
    for (const auto& entry : MaterialListEntries(s.state.materials)) ids.push_back(entry.Id);
    return ids;
}

// The value typed, picked or scrolled to in the control that edits it; the text it shows then.
QString EnterInWindow(const Session& s, const QuantityCase& c, float value) {
    const QString control = QString::fromLatin1(c.control);
    if (control == "ComboMaterials") {
        auto* list = Child<QComboBox>(*s.window, c.control);
        list->setCurrentIndex(list->findData(static_cast<int>(value)));
        emit list->activated(list->currentIndex());
        return list->currentText();
    }
    if (control == "HScrAngle") {
        Child<QScrollBar>(*s.window, c.control)->setValue(static_cast<int>(value));
        return Child<QLabel>(*s.window, "LabelThermAngValue")->text();
    }
    auto* edit = Child<QLineEdit>(*s.window, c.control);
    Type(edit, QString::fromUtf8(c.typed));
    Leave(s, edit);
    return edit->text();
}

QStringList SweepArguments(const QuantityDescriptor& quantity, const QString& values) {
    QStringList args{"--sweep", QString::fromLatin1(quantity.Key.data(),
                                                    static_cast<qsizetype>(quantity.Key.size())) +
                                    "=" + values};
    if (quantity.OfLayer) args << "--layer" << QString::number(kSweptLayer);
    return args;
}

}  // namespace

class TestQuantities : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QFile::exists(kCalc), "build strativex-calc first"); }

    void everyQuantityHasARow() {
        std::set<std::string> keys;
        for (const QuantityCase& c : Cases()) keys.insert(c.key);
        QCOMPARE(keys.size(), Quantities().size());
        for (const QuantityDescriptor& quantity : Quantities()) {
            QVERIFY2(keys.count(std::string(quantity.Key)) == 1, quantity.Key.data());
            QCOMPARE(QuantityKeyed(quantity.Key), std::optional<QuantityId>(quantity.Id));
        }
    }

    void roundTrip_data() {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < Cases().size(); ++i) {
            QTest::newRow(Cases()[i].key) << static_cast<int>(i);
        }
    }

    // A value entered in the window is the value stored, shows as the user expects, and the
    // calculator takes it by the same name and gives it back under a column named for it.
    void roundTrip() {
        QFETCH(int, index);
        QuantityCase c = Cases()[static_cast<std::size_t>(index)];
        const auto id = QuantityKeyed(c.key);
        QVERIFY(id);
        const QuantityDescriptor& quantity = QuantityOf(*id);
        auto s = Start();
        QVERIFY(s);
        const std::vector<int> ids = MaterialIds(*s);
        QVERIFY(ids.size() >= 3);
        for (int i = 1; i <= 2; ++i) {
            s->state.model.Layers[static_cast<std::size_t>(i)].MaterialId =
                static_cast<std::int16_t>(ids[static_cast<std::size_t>(i - 1)]);
        }
        const int record = quantity.OfLayer ? kSweptLayer : 0;
        s->Select(record);
        const bool material = quantity.Unit == UnitFamily::MaterialId;
        const float value = material ? static_cast<float>(ids[2]) : c.value;
        const QString shown = EnterInWindow(*s, c, value);
        if (!s->desktop.messages.empty()) QFAIL(qPrintable(s->desktop.messages.back().Text));
        QCOMPARE(quantity.Read(s->state.model, record), value);
        if (!material) QCOMPARE(shown, QString::fromUtf8(c.shown));

        const QString path = s->dir.filePath("model.mdl");
        QVERIFY(SaveModelFile(s->state.model, path.toStdString()).Ok);
        const QString values = material ? QStringLiteral("%1,%2").arg(ids[0]).arg(ids[1])
                                        : QString::fromLatin1(c.sweep);
        const float first = material ? static_cast<float>(ids[0]) : c.firstPoint;
        const QStringList common{"--materials", s->dir.filePath("Materials")};
        const QStringList sweep = SweepArguments(quantity, values) + QStringList{path};

        const Run json = RunProgram(kCalc, common + QStringList{"--format", "json"} + sweep);
        QCOMPARE(json.ExitCode, 0);
        const QJsonObject object = QJsonDocument::fromJson(json.Out).object();
        QCOMPARE(object["quantity"].toString(), QString::fromLatin1(c.key));
        QCOMPARE(object["swept_column"].toString(), QString::fromLatin1(c.column));
        QCOMPARE(static_cast<float>(object["model_value"].toDouble()), value);
        const QJsonObject point = object["points"].toArray().at(0).toObject();
        QCOMPARE(static_cast<float>(point[c.column].toDouble()), first);

        const Run csv = RunProgram(kCalc, common + QStringList{"--format", "csv"} + sweep);
        QCOMPARE(csv.ExitCode, 0);
        const std::string text = csv.Out.toStdString();
        const std::vector<std::string_view> lines = SplitCsvLines(text);
        QVERIFY(lines.size() > 2);
        const auto header = SplitCsvFields(lines[0]);
        const auto firstLine = SplitCsvFields(lines[1]);
        QVERIFY(header && firstLine);
        const auto column = std::find(header->begin(), header->end(), c.column);
        QVERIFY2(column != header->end(), text.c_str());
        const std::string cell = (*firstLine)[static_cast<std::size_t>(column - header->begin())];
        QCOMPARE(std::stof(cell), first);
    }
};

QTEST_MAIN(TestQuantities)
#include "test_quantities.moc"
