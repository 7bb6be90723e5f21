#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/material_loader.h"
#include "core/number_format.h"
#include "core/quantity.h"
#include "core/thermal_calc.h"
#include "exact/exact_check.h"
#include "exact/transient_check.h"
#include "persistence/model_file.h"
#include "support/file_bytes.h"
#include "support/float_compare.h"
#include "support/flux_channel_series.h"
#include "support/material_folders.h"
#include "support/pdf_text.h"
#include "support/rc_oracles.h"
#include "support/run_program.h"
#include "tools/helpdocs/help_field_table.h"

using namespace strativex;

namespace {

const QString kBinDir = QStringLiteral(STRATIVEX_BIN_DIR);
const QString kTool = kBinDir + QStringLiteral("/strativex-helpdocs");
const QString kTopics = QStringLiteral("SX-Topics.pdf");
const QString kHowTo = QStringLiteral("SX-How To.pdf");
const QString kGlossary = QStringLiteral("SX-Glossary.pdf");
const QByteArray kPreviousOutput = "the previous document";

const MaterialTable& ShippedMaterials() {
    static const MaterialTable table = StandardMaterials();
    return table;
}

std::int16_t ShippedId(const std::string& name) {
    const MaterialTable& table = ShippedMaterials();
    for (int i = 1; i <= table.LastLoadedIndex(); ++i) {
        if (table.Materials[static_cast<std::size_t>(i)].Name == name) {
            return table.Materials[static_cast<std::size_t>(i)].Id;
        }
    }
    return 0;
}

struct ExampleLayer {
    std::string Material;
    float Thickness;
    float Angle;
    float Size;  // width and length; 0 for no limit
};

// A millimetre model as the help documents describe it, computed by the program's engine.
Model ExampleModel(float deviceSize, float power, float base,
                   const std::vector<ExampleLayer>& layers) {
    Model model;
    ResetToNewModel(model, ModelDefaults{});
    model.UnitSystem = LengthUnit::Millimeters;
    model.PowerDissipation = power;
    model.IsothermalTemp = base;
    model.Layers[0].Width = deviceSize;
    model.Layers[0].Length = deviceSize;
    model.LayerCount = static_cast<std::int16_t>(layers.size());
    for (std::size_t i = 0; i < layers.size(); ++i) {
        Layer& layer = model.Layers[i + 1];
        layer.MaterialId = ShippedId(layers[i].Material);
        layer.Thickness = layers[i].Thickness;
        layer.SpreadAngle = layers[i].Angle;
        layer.Width = layers[i].Size;
        layer.Length = layers[i].Size;
    }
    RecalculateModel(model, ShippedMaterials());
    return model;
}

QString Decimals(double value, int decimals) {
    return QString::fromStdString(FormatDecimals(value, decimals));
}

// A shipped example's row of the 3-D check's table, as the program computes it.
QString CheckedExampleRow(const char* file) {
    Model model;
    const std::string path = STRATIVEX_SOURCE_DIR "/examples/" + std::string(file) + ".mdl";
    if (!LoadModelFile(model, ShippedMaterials(), ModelDefaults{}, path).Ok) return {};
    const exact::ExactResult r = exact::RunExactCheck(model, ShippedMaterials());
    if (r.Status != exact::ExactStatus::Ok || !r.EstimateSourceTempC || !r.EquivalentAngleDeg) {
        return {};
    }
    return QStringLiteral("%1 %2 %3 %4 % %5°")
        .arg(Decimals(*r.EstimateSourceTempC, 2), Decimals(r.AverageSourceTempC, 2),
             Decimals(r.PeakSourceTempC, 2), Decimals(*r.EstimateErrorPercent, 1),
             Decimals(*r.EquivalentAngleDeg, 1));
}

// The documents' flux channel: a 2 mm square source of 10 W on a 10 mm square plate 1 mm thick
// of K = 1.5 W/cm-K, on a base at 25 C; the series takes centimetres.
const flux_channel::Channel kDocumentedChannel{1.0, 1.0, 0.2, 0.2, 10.0, {{0.1, 1.5}}};

// The aluminium nitride of the fitting example, with the A and B the documents give for it.
QString FittedConductivity(double celsius) {
    MaterialTable table;
    table.Materials[1] = Material{"AlN fit", 1, 107.5f, -0.7178f};
    table.FirstCustomIndex = 2;
    Model model;
    model.LayerCount = 1;
    model.Layers[1].MaterialId = 1;
    return Decimals(LayerConductivity(model, table, 1, static_cast<float>(celsius + 273.16)), 2);
}

// The transient's worked example: a 2 mm square source over the whole top of a 2 mm square
// layer 1 mm thick, K = 1.5 W/cm-K, 2330 kg/m3 and 712 J/kg-K, on an isothermal base.
const rc_oracles::Slab kSlab{1e-3, 4e-6, 150.0, 2330.0, 712.0};

struct DocumentedTime {
    const char* Label;
    double Seconds;
};
const std::vector<DocumentedTime> kSlabTimes{
    {"0.1 ms", 1e-4}, {"1 ms", 1e-3}, {"10 ms", 1e-2}, {"20 ms", 2e-2}};

const exact::TransientResult& SolvedSlab() {
    static const exact::TransientResult result = [] {
        exact::Stack stack;
        const double half = 50.0 * std::sqrt(kSlab.Area);  // cm
        stack.SourceHalfWidth = half;
        stack.SourceHalfLength = half;
        stack.Power = 10.0;
        stack.BaseTempK = 25.0 + kKelvinOffset;
        stack.Layers.push_back({kSlab.Thickness * 1e2, half, half, kSlab.Conductivity * 1e-2, 0.0});
        return exact::SolveTransient(stack, {kSlab.Density * kSlab.SpecificHeat});
    }();
    return result;
}

void AddRefusal(const char* name, const std::optional<QByteArray>& source, const QString& output,
                const QString& message) {
    QTest::newRow(name) << source.has_value() << source.value_or(QByteArray()) << output << message;
}

// The row of the fields table naming a quantity: its caption among the row's fields, on the
// record it applies to.
std::optional<helpdocs::FieldRangeRow> RowOf(const QuantityDescriptor& quantity) {
    for (const helpdocs::FieldRangeRow& row : helpdocs::FieldRangeRows()) {
        if (row.Field.split(QStringLiteral(", ")).contains(QString::fromUtf8(quantity.Label)) &&
            row.AppliesTo == QString::fromUtf8(quantity.AppliesTo)) {
            return row;
        }
    }
    return std::nullopt;
}

// The bounds a reader takes from "0.025 to 250 mm, or 0 for no limit" or "0° to 45°".
std::optional<AcceptedRange> BoundsRead(const QString& text) {
    static const QRegularExpression range(QStringLiteral("^(\\S+?)°? to (\\S+?)°?( |,|$)"));
    const QRegularExpressionMatch match = range.match(QString(text).replace(QChar(0x2212), '-'));
    bool lowOk = false;
    bool highOk = false;
    const AcceptedRange read{match.captured(1).toFloat(&lowOk), match.captured(2).toFloat(&highOk)};
    if (!match.hasMatch() || !lowOk || !highOk) return std::nullopt;
    return read;
}

// Headings of varied spacing, so that many of them are moved to the next page. Qt once left
// the text after such a move unlaid, and it went missing from the pages.
QByteArray LongSource(int sections) {
    QByteArray source = "# Long help\n\n";
    for (int k = 1; k <= sections; ++k) {
        const QByteArray marker = "Marker" + QByteArray::number(k);
        source += "## Section " + QByteArray::number(k) + "\n\n";
        for (int line = 0; line < k % 7 + 1; ++line) source += "Filler text to vary the length. ";
        source += marker + "end.\n\n";
        if (k % 4 == 0) source += "- " + marker + "item.\n- Another item.\n\n";
    }
    return source;
}

}  // namespace

class TestHelpDocuments : public QObject {
    Q_OBJECT

private slots:
    // The headings, and what the documents must say plainly.
    void documents_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("phrases");
        const auto row = [](const char* name, const QString& file, const char* title,
                            const char* phrases) {
            QTest::newRow(name) << file << QString(title) << QString(phrases).split('|');
        };
        row("topics", kTopics, "Strativex Topics",
            "What Strativex computes|The main window|The thermal model|The spreading footprint|"
            "When the estimate is optimistic|The 3-D check|Using the equivalent angle|The base|"
            "What makes a check slow|estimate + heat sink|The transient|"
            "The networks in a circuit simulator|The structure function|"
            "Fitting A and B from two datasheet values|Units|Fields and their ranges|"
            "Files and folders|Custom materials|Printing and PDF export|"
            "The command-line calculator|shape of the stack, not its proportions|"
            "t must be in centimetres|The header items are off until you choose them|"
            "Calculation details");
        row("how to", kHowTo, "Strativex How To",
            "Build a first model|Select, add, copy, move and delete layers|Choose a material|"
            "Define a custom material from datasheet values|Account for an interface resistance|"
            "with t in centimetres|Switch between inches and millimetres|"
            "Change the number of decimal digits|Save, open and reopen models|"
            "None of them is printed until you tick it|Print, preview or export the report|"
            "Check the estimate in 3-D and calibrate the angle|Use the calculator in scripts");
        row("glossary", kGlossary, "Strativex Glossary",
            "The model|Heat and temperature|Materials|The program and its files|"
            "Spreading angle|Junction temperature|Conductivity law|Equivalent angle|"
            "horizontal and vertical scales differ");
    }

    void documents() {
        QFETCH(QString, file);
        QFETCH(QString, title);
        QFETCH(QStringList, phrases);
        const QString path = kBinDir + '/' + file;
        QVERIFY2(QFile::exists(path), qPrintable(path));
        if (!HasPopplerTools()) QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed");

        const int pages = PdfInfo(path, QStringLiteral("Pages")).toInt();
        QVERIFY2(pages >= 2 && pages <= 16, qPrintable(QStringLiteral("%1 pages").arg(pages)));
        QCOMPARE(PdfInfo(path, QStringLiteral("Title")), title);
        const QString text = PdfText(path);
        QVERIFY(text.startsWith(title));
        for (const QString& phrase : phrases) QVERIFY2(text.contains(phrase), qPrintable(phrase));
        QVERIFY(text.contains(QStringLiteral("Page %1 of %1").arg(pages)));
    }

    // Every line of the contents names a heading and the page it stands on, and links there;
    // the PDF's outline has a bookmark for each.
    void contentsGiveThePages_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("lines");
        QTest::newRow("topics") << kTopics << 20;
        QTest::newRow("how to") << kHowTo << 12;
        QTest::newRow("glossary") << kGlossary << 4;
    }

    void contentsGiveThePages() {
        QFETCH(QString, file);
        QFETCH(int, lines);
        if (!HasPopplerTools()) QSKIP("pdftotext (poppler-utils) is not installed");
        const QString path = kBinDir + '/' + file;
        const Run run =
            RunProgram(QStringLiteral("pdftotext"), {"-layout", "-enc", "UTF-8", path, "-"});
        const QStringList pages = QString::fromUtf8(run.Out).split('\f');
        // pdftohtml lists the bookmarks and the links; a superscript reads as "^" in the one
        // and as a plain letter in the other.
        const QString outline =
            QString::fromUtf8(
                RunProgram(QStringLiteral("pdftohtml"), {"-xml", "-i", "-stdout", path}).Out)
                .remove('^');
        const QStringList contents = pages[0].section(QStringLiteral("Contents\n"), 1).split('\n');
        static const QRegularExpression entry(QStringLiteral("^\\s*(\\S.*\\S)\\s{2,}(\\d+)$"));
        int found = 0;
        for (const QString& text : contents) {
            const QRegularExpressionMatch match = entry.match(text);
            if (!match.hasMatch()) break;
            const QString heading = match.captured(1);
            const int page = match.captured(2).toInt();
            QVERIFY2(page >= 1 && page < pages.size(), qPrintable(heading));
            const QStringList pageLines = pages[page - 1].split('\n');
            const bool onPage =
                std::any_of(pageLines.begin(), pageLines.end(),
                            [&](const QString& l) { return l.trimmed() == heading; });
            QVERIFY2(onPage, qPrintable(heading + QStringLiteral(" not on page %1").arg(page)));
            QVERIFY2(outline.contains(QStringLiteral("<item page=\"%1\">%2</item>")
                                          .arg(page)
                                          .arg(heading.toHtmlEscaped())),
                     qPrintable(heading + " has no bookmark"));
            ++found;
        }
        QVERIFY2(found >= lines, qPrintable(QString::number(found)));
        QVERIFY(outline.count(QStringLiteral("<a href=")) >= found);
    }

    // Drawn at build time by the program: the main window, the scale view, the report page.
    void topicsShowThePrograms() {
        if (!HasPopplerTools()) QSKIP("pdfimages (poppler-utils) is not installed");
        const Run run = RunProgram(QStringLiteral("pdfimages"), {"-list", kBinDir + '/' + kTopics});
        QSet<QString> objects;
        for (const QString& row : QString::fromUtf8(run.Out).split('\n').mid(2)) {
            const QStringList cells = row.simplified().split(' ');
            if (cells.size() > 10) objects << cells[10];
        }
        QCOMPARE(objects.size(), 3);
    }

    void examplesAgreeWithTheCalculation_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("phrase");
        const auto row = [](const char* name, const QString& file, const QString& phrase) {
            QTest::newRow(name) << file << phrase;
        };
        const Model worked = ExampleModel(
            4.0f, 5.0f, 40.0f, {{"SAC305", 0.1f, 45.0f, 0.0f}, {"CuW 10/90", 1.0f, 45.0f, 5.0f}});
        row("solder resistance", kTopics, Decimals(worked.Layers[1].Resistance, 4) + " C/W");
        row("carrier resistance", kTopics, Decimals(worked.Layers[2].Resistance, 4) + " C/W");
        row("total resistance", kTopics,
            "The total resistance is " + Decimals(*TotalResistance(worked), 4) + " C/W");
        row("carrier top", kTopics, "= " + Decimals(worked.Layers[2].TopTemp - 273.16, 2) + " °C");
        row("device", kTopics, "= " + Decimals(*HeatSourceTempC(worked), 2) + " °C");

        const Model first = ExampleModel(5.0f, 12.0f, 50.0f,
                                         {{"Si", 0.3f, 45.0f, 0.0f},
                                          {"SAC305", 0.1f, 45.0f, 0.0f},
                                          {"Cu OFHC", 2.0f, 45.0f, 20.0f},
                                          {"TIM grease typ", 0.05f, 0.0f, 0.0f}});
        row("first model junction", kHowTo,
            "about " + Decimals(*HeatSourceTempC(first), 2) + " °C");
        row("first model total", kHowTo, "about " + Decimals(*TotalResistance(first), 2) + " C/W");

        for (const char* file : {"gaas_mmic_on_cuw_carrier", "gan_hemt_on_cumo_flange",
                                 "igbt_on_al2o3_dbc", "led_on_metal_core_board"}) {
            row(file, kTopics, CheckedExampleRow(file));
        }

        row("flux channel average", kTopics,
            "average rise of " + Decimals(flux_channel::AverageRise(kDocumentedChannel), 2) + " K");
        row("flux channel centre", kTopics,
            "rise of " + Decimals(flux_channel::CentroidRise(kDocumentedChannel), 2) + " K at");

        row("fit at 25 C", kTopics, FittedConductivity(25.0) + " W/cm-K at 25 °C");
        row("fit at 150 C", kTopics, FittedConductivity(150.0) + " at 150 °C");
        row("fit at 100 C", kTopics, FittedConductivity(100.0) + " at 100 °C");

        row("slab resistance", kTopics,
            "R = L / (K·area) = " + Decimals(kSlab.Resistance(), 4) + " K/W");
        QString slabRow = QStringLiteral("Zth, K/W");
        for (const DocumentedTime& t : kSlabTimes)
            slabRow += ' ' + Decimals(kSlab.Zth(t.Seconds), 4);
        row("slab impedance", kTopics, slabRow);
    }

    void examplesAgreeWithTheCalculation() {
        QFETCH(QString, file);
        QFETCH(QString, phrase);
        if (!HasPopplerTools()) QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY2(PdfText(kBinDir + '/' + file).contains(phrase), qPrintable(phrase));
    }

    // The worked example's numbers, which the text gives from the series, are what the
    // transient computes.
    void transientExampleFollowsTheSlabSeries_data() {
        QTest::addColumn<double>("time");
        for (const DocumentedTime& t : kSlabTimes) QTest::newRow(t.Label) << t.Seconds;
    }

    void transientExampleFollowsTheSlabSeries() {
        QFETCH(double, time);
        const exact::TransientResult& result = SolvedSlab();
        QCOMPARE(result.Status, exact::TransientStatus::Ok);
        QVERIFY(result.TimeS.front() < time && time < result.TimeS.back());
        const double exact = kSlab.Zth(time);
        const double average = rc_oracles::AtLogTime(result.TimeS, result.ZthAverage, time);
        const double peak = rc_oracles::AtLogTime(result.TimeS, result.ZthPeak, time);
        qInfo("off the series: average %.3f %%, peak %.3f %%", 100.0 * (average / exact - 1.0),
              100.0 * (peak / exact - 1.0));
        VERIFY_NEAR(average, exact, 0.01 * exact);
        VERIFY_NEAR(peak, exact, 0.01 * exact);
    }

    // The table as the topics have always printed it, for a few of its rows.
    void fieldTableGivesTheRanges_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("appliesTo");
        QTest::addColumn<QString>("inches");
        QTest::addColumn<QString>("millimetres");
        QTest::newRow("thickness") << "Thickness"
                                   << "layer"
                                   << "1E-06 to 1 in."
                                   << "2.5E-05 to 25 mm";
        QTest::newRow("base") << "Isothermal Temperature"
                              << "heat source (the base)"
                              << "−50 to 500 °C"
                              << "−50 to 500 °C";
        QTest::newRow("angle") << "Thermal Spreading Angle"
                               << "layer"
                               << "0° to 45°, whole degrees"
                               << "0° to 45°, whole degrees";
    }

    void fieldTableGivesTheRanges() {
        QFETCH(QString, field);
        QFETCH(QString, appliesTo);
        QFETCH(QString, inches);
        QFETCH(QString, millimetres);
        const std::vector<helpdocs::FieldRangeRow> rows = helpdocs::FieldRangeRows();
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) {
            return r.Field == field && r.AppliesTo == appliesTo;
        });
        QVERIFY2(row != rows.end(), qPrintable(field + " of " + appliesTo));
        QCOMPARE(row->Inches, inches);
        QCOMPARE(row->Millimetres, millimetres);
    }

    // Whatever quantity is added, the help names it and the bounds it prints read back to the
    // ones the window holds to, in either unit.
    void everyQuantityIsInTheFieldTable_data() {
        QTest::addColumn<int>("quantity");
        for (const QuantityDescriptor& quantity : Quantities()) {
            QTest::newRow(quantity.Key.data()) << static_cast<int>(quantity.Id);
        }
    }

    void everyQuantityIsInTheFieldTable() {
        QFETCH(int, quantity);
        const QuantityDescriptor& described = QuantityOf(static_cast<QuantityId>(quantity));
        const std::optional<helpdocs::FieldRangeRow> row = RowOf(described);
        QVERIFY(row);
        if (!HasBounds(described)) {
            QCOMPARE(row->Millimetres, QStringLiteral("one from the list"));
            return;
        }
        for (const LengthUnit unit : {LengthUnit::Inches, LengthUnit::Millimeters}) {
            const QString text = unit == LengthUnit::Inches ? row->Inches : row->Millimetres;
            const std::optional<AcceptedRange> read = BoundsRead(text);
            QVERIFY2(read, qPrintable(text));
            QCOMPARE(read->Low, AcceptedRangeOf(described, unit).Low);
            QCOMPARE(read->High, AcceptedRangeOf(described, unit).High);
            QCOMPARE(text.contains(QStringLiteral("or 0 for no limit")),
                     described.ZeroMeansNoLimit);
        }
    }

    // The topics print the table the tool makes from the quantities, not a copy kept by hand.
    void topicsPrintEveryFieldRow_data() {
        QTest::addColumn<QString>("row");
        for (const helpdocs::FieldRangeRow& row : helpdocs::FieldRangeRows()) {
            QTest::newRow(qPrintable(row.Field + " of " + row.AppliesTo))
                << QStringList{row.Field, row.AppliesTo, row.Inches, row.Millimetres}.join(' ');
        }
    }

    void topicsPrintEveryFieldRow() {
        QFETCH(QString, row);
        if (!HasPopplerTools()) QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY2(PdfText(kBinDir + '/' + kTopics).contains(row), qPrintable(row));
    }

    void longDocumentKeepsEveryParagraph() {
        if (!HasPopplerTools()) QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed");
        constexpr int kSections = 60;
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("long.md"));
        const QString output = dir.filePath(QStringLiteral("long.pdf"));
        QVERIFY(WriteBytes(input, LongSource(kSections)));

        const Run run = RunProgram(kTool, {input, output});
        QCOMPARE(run.ExitCode, 0);
        const int pages = PdfInfo(output, QStringLiteral("Pages")).toInt();
        QVERIFY(pages >= 3);
        const QString text = PdfText(output);
        for (int k = 1; k <= kSections; ++k) {
            const QString marker = QStringLiteral("Marker%1end.").arg(k);
            QVERIFY2(text.contains(marker), qPrintable(marker));
            if (k % 4 == 0) QVERIFY(text.contains(QStringLiteral("Marker%1item.").arg(k)));
        }
        for (int page = 1; page <= pages; ++page) {
            QVERIFY(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages)));
        }
    }

    void badInputIsRefusedAndKeepsTheOldDocument_data() {
        QTest::addColumn<bool>("sourceExists");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("message");
        const QByteArray valid = "# Title\n\nText.\n";
        AddRefusal("missing source", std::nullopt, "out.pdf", "cannot read");
        AddRefusal("not UTF-8", QByteArray("# Title\n\nna\xefve\n"), "out.pdf",
                   "is not UTF-8 text");
        AddRefusal("only blanks", QByteArray(" \n\t\n\n"), "out.pdf", "holds no text");
        AddRefusal("no title", QByteArray("## A section\n\nText.\n"), "out.pdf", "has no title");
        AddRefusal("output folder missing", valid, "missing/out.pdf", "cannot write");
        AddRefusal("unknown generated table", QByteArray("# Title\n\n<!-- generated: prices -->\n"),
                   "out.pdf", "no table is made for 'prices'");
        AddRefusal("picture missing", QByteArray("# Title\n\n![A picture](absent.png)\n"),
                   "out.pdf", "the picture 'absent.png' is not in");
    }

    void badInputIsRefusedAndKeepsTheOldDocument() {
        QFETCH(bool, sourceExists);
        QFETCH(QByteArray, source);
        QFETCH(QString, output);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("help.md"));
        if (sourceExists) QVERIFY(WriteBytes(input, source));
        const QString previous = dir.filePath(QStringLiteral("out.pdf"));
        QVERIFY(WriteBytes(previous, kPreviousOutput));

        const Run run = RunProgram(kTool, {input, dir.filePath(output)});
        QCOMPARE(run.ExitCode, 1);
        QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
        QCOMPARE(ReadBytes(previous), kPreviousOutput);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 sourceExists ? 2 : 1);
    }

    void wrongArgumentsShowTheUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("source only") << QStringList{"help.md"};
        QTest::newRow("one too many") << QStringList{"help.md", "help.pdf", "pictures", "extra"};
        QTest::newRow("empty output") << QStringList{"help.md", ""};
    }

    void wrongArgumentsShowTheUsage() {
        QFETCH(QStringList, args);
        const Run run = RunProgram(kTool, args);
        QCOMPARE(run.ExitCode, 2);
        QVERIFY2(run.Err.contains(QStringLiteral("usage: strativex-helpdocs")),
                 qPrintable(run.Err));
    }
};

QTEST_GUILESS_MAIN(TestHelpDocuments)
#include "test_help_documents.moc"
