#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include <memory>

#include "mainwindow/main_window.h"
#include "persistence/model_file.h"
#include "support/main_window_session.h"
#include "support/scripted_desktop.h"
#include "support/widget_lookup.h"

using namespace strativex;

namespace {

// Three layers of constant conductivity (W/cm-K) under a 10 mm square source, without spreading:
// each layer's resistance is its thickness over K times the source's area.
constexpr std::array<int, 3> kMaterialIds{28, 29, 30};
constexpr std::array<double, 3> kConductivity{0.173, 0.11, 0.1};
constexpr std::array<float, 3> kThicknessMm{1.0f, 2.0f, 3.0f};

Model ThreeLayerModel() {
    Model model;
    ResetToNewModel(model, ModelDefaults{});
    model.UnitSystem = LengthUnit::Millimeters;
    model.Layers[0].Width = 10.0f;
    model.Layers[0].Length = 10.0f;
    model.PowerDissipation = 10.0f;
    model.LayerCount = 3;
    for (int i = 1; i <= 3; ++i) {
        Layer& layer = model.Layers[i];
        layer.MaterialId = static_cast<std::int16_t>(kMaterialIds[i - 1]);
        layer.ColorIndex = static_cast<std::int16_t>(i - 1);
        layer.Thickness = kThicknessMm[i - 1];
        layer.Description = "L" + std::to_string(i);
    }
    return model;
}

using Session = MainWindowSession;

std::string Bytes(const Session& s) {
    return ModelFileText(s.state.model);
}

// The window on the three-layer model, opened from a file, with layer 2 selected.
std::unique_ptr<Session> Start() {
    auto s = StartSession();
    if (!s || !s->started) return nullptr;
    const QString path = s->Path("stack.mdl");
    if (!SaveModelFile(ThreeLayerModel(), path.toStdString()).Ok) return nullptr;
    s->window->OpenModelFromPath(path);
    s->Select(2);
    return s;
}

// Types into a field and leaves it, as Tab would.
void Enter(const Session& s, const char* name, const QString& text) {
    Type(s.Edit(name), text);
    Leave(s, s.Edit(name));
}

void WriteComments(const Session& s, const QString& text) {
    s.Click("CmdComments");
    QDialog* dialog = s.W().findChild<QDialog*>("FrmComments");
    QVERIFY(dialog);
    Child<QPlainTextEdit>(*dialog, "TxtComments")->setPlainText(text);
    QTest::mouseClick(Child<QPushButton>(*dialog, "CmdOK"), Qt::LeftButton);
}

// One change of every kind the window makes, by the controls a user would use.
void Perform(const Session& s, const QString& kind) {
    if (kind == "thickness") Enter(s, "TextThickness", "2.5");
    if (kind == "layer width") Enter(s, "TextDevWidth", "7");
    if (kind == "layer length") Enter(s, "TextDevLength", "8");
    if (kind == "description") Enter(s, "TextLayerDescrip", "solder");
    if (kind == "model name") Enter(s, "TextModelName", "stack B");
    if (kind == "material") {
        QComboBox* list = Child<QComboBox>(s.W(), "ComboMaterials");
        list->setCurrentIndex(list->findData(50));
        emit list->activated(list->currentIndex());
    }
    if (kind == "angle") {
        Child<QScrollBar>(s.W(), "HScrAngle")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    if (kind == "colour") QTest::mousePress(Child<QWidget>(s.W(), "PicColor"), Qt::LeftButton);
    if (kind == "add") s.Click("CmdAddLayer");
    if (kind == "copy") s.Click("CmdCopyLayer");
    if (kind == "delete") s.Click("CmdDeleteLayer");
    if (kind == "move up") s.Click("CmdMoveLayerUp");
    if (kind == "move down") s.Click("CmdMoveLayerDown");
    if (kind == "units") s.Action("mnuInches")->trigger();
    if (kind == "comments") WriteComments(s, "cooled from below");
    if (kind == "source width" || kind == "power" || kind == "isotherm") {
        s.Select(0);
        const char* field = kind == "power"      ? "TextThermOutput"
                            : kind == "isotherm" ? "TextIsotherm"
                                                 : "TextDevWidth";
        Enter(s, field, "12");
    }
}

}  // namespace

class TestDocument : public QObject {
    Q_OBJECT

private slots:
    void everyChangeUndoesAndRedoesToTheSavedBytes_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("selectedAfter");
        const struct {
            const char* kind;
            const char* step;
            int selectedAfter;
        } rows[] = {{"thickness", "Thickness of layer 2", 2},
                    {"layer width", "Width of layer 2", 2},
                    {"layer length", "Length of layer 2", 2},
                    {"description", "Description of layer 2", 2},
                    {"material", "Material of layer 2", 2},
                    {"angle", "Spreading angle of layer 2", 2},
                    {"colour", "Colour of layer 2", 2},
                    {"add", "Add layer", 4},
                    {"copy", "Copy layer 2", 4},
                    {"delete", "Delete layer 2", 2},
                    {"move up", "Move layer 2 up", 1},
                    {"move down", "Move layer 2 down", 3},
                    {"model name", "Model name", 2},
                    {"units", "Units", 2},
                    {"comments", "Comments", 2},
                    {"source width", "Width of heat source", 0},
                    {"power", "Thermal output", 0},
                    {"isotherm", "Isothermal temperature", 0}};
        for (const auto& row : rows)
            QTest::newRow(row.kind) << row.kind << row.step << row.selectedAfter;
    }

    // Undo gives back the very bytes the file held before the change, redo those after it, and
    // the record the change was made on is shown again.
    void everyChangeUndoesAndRedoesToTheSavedBytes() {
        QFETCH(QString, kind);
        QFETCH(QString, step);
        QFETCH(int, selectedAfter);
        auto s = Start();
        QVERIFY(s);
        QAction* undo = s->Action("mnuUndo");
        QAction* redo = s->Action("mnuRedo");
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        const int selectedBefore =
            kind == "source width" || kind == "power" || kind == "isotherm" ? 0 : 2;
        const std::string before = Bytes(*s);
        Perform(*s, kind);
        const std::string after = Bytes(*s);
        QVERIFY(after != before);
        QVERIFY(s->W().isWindowModified());
        QCOMPARE(undo->text(), "&Undo " + step);
        QVERIFY(undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(s->W().Document().CurrentLayer(), selectedAfter);

        undo->trigger();
        QCOMPARE(Bytes(*s), before);
        QVERIFY(!s->W().isWindowModified());
        QCOMPARE(s->W().Document().CurrentLayer(), selectedBefore);
        QCOMPARE(redo->text(), "&Redo " + step);
        QVERIFY(!undo->isEnabled() && redo->isEnabled());

        redo->trigger();
        QCOMPARE(Bytes(*s), after);
        QCOMPARE(s->W().Document().CurrentLayer(), selectedAfter);
        QVERIFY(s->W().isWindowModified());
    }

    // The mark follows the saved state: undoing back to it is unchanged, and away from it is
    // changed again; new and open start a history of their own.
    void changedFollowsTheSavedState() {
        auto s = Start();
        QVERIFY(s);
        Enter(*s, "TextThickness", "2.5");
        s->Action("mnuSave")->trigger();
        QVERIFY(!s->W().isWindowModified());
        Enter(*s, "TextThickness", "3.5");
        QVERIFY(s->W().isWindowModified());
        s->Action("mnuUndo")->trigger();
        QVERIFY(!s->W().isWindowModified());
        s->Action("mnuUndo")->trigger();
        QVERIFY(s->W().isWindowModified());
        s->Action("mnuRedo")->trigger();
        QVERIFY(!s->W().isWindowModified());
        QVERIFY(s->desktop.messages.empty());

        s->desktop.answers.push_back(MessageAnswer::No);
        s->Action("mnuNew")->trigger();
        QVERIFY(!s->Action("mnuUndo")->isEnabled() && !s->Action("mnuRedo")->isEnabled());
        QVERIFY(!s->W().isWindowModified());
    }

    // Deleting a layer and undoing it brings back the layer's results, which are those of a
    // slab without spreading: thickness over conductivity and area.
    void undoAcrossADeleteRestoresItsResults() {
        auto s = Start();
        QVERIFY(s);
        s->Click("CmdDeleteLayer");
        QCOMPARE(s->state.model.LayerCount, 2);
        s->Action("mnuUndo")->trigger();
        const Model& model = s->state.model;
        QCOMPARE(model.LayerCount, 3);
        const double areaCm2 = 1.0;
        double below = 0.0;
        for (int i = 3; i >= 1; --i) {
            const double expected = kThicknessMm[i - 1] / 10.0 / (kConductivity[i - 1] * areaCm2);
            QVERIFY2(std::abs(model.Layers[i].Resistance - expected) <= 1e-4 * expected,
                     qPrintable(QString::number(i)));
            below += expected;
        }
        // Kelvin at the top of the stack: the base's temperature plus the power through all three.
        const double top = model.IsothermalTemp + kKelvinOffset + model.PowerDissipation * below;
        QVERIFY(std::abs(model.Layers[1].TopTemp - top) <= 1e-4 * top);
    }

    // Ctrl+Z in a field being typed in takes back the typing; once the field has none to take
    // back, the model's last step. Ctrl+Y gives the step back.
    void ctrlZUndoesTypingFirstThenTheModel() {
        auto s = Start();
        QVERIFY(s);
        Enter(*s, "TextThickness", "2.5");
        QLineEdit* width = s->Edit("TextDevWidth");
        const QString shown = width->text();
        Type(width, "9");
        QTest::keyClick(width, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(width->text(), shown);
        QCOMPARE(s->state.model.Layers[2].Thickness, 2.5f);
        QTest::keyClick(width, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s->state.model.Layers[2].Thickness, 2.0f);
        QCOMPARE(s->Edit("TextThickness")->text(), QStringLiteral("2.00"));
        QTest::keyClick(width, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(s->state.model.Layers[2].Thickness, 2.5f);
        QTest::keyClick(Child<QWidget>(s->W(), "CmdAddLayer"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s->state.model.Layers[2].Thickness, 2.0f);
    }

    // The steps of one drag of the angle undo as one.
    void aDraggedAngleUndoesAsOneStep() {
        auto s = Start();
        QVERIFY(s);
        auto* bar = Child<QScrollBar>(s->W(), "HScrAngle");
        for (int i = 0; i < 5; ++i) bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s->state.model.Layers[2].SpreadAngle, 5.0f);
        s->Action("mnuUndo")->trigger();
        QCOMPARE(s->state.model.Layers[2].SpreadAngle, 0.0f);
        QCOMPARE(bar->value(), 0);
        QVERIFY(!s->Action("mnuUndo")->isEnabled());
    }
};

QTEST_MAIN(TestDocument)
#include "test_document.moc"
