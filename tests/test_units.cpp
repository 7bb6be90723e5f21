#include <QtTest>

#include <cmath>

#include "core/number_format.h"
#include "core/typed_number.h"
#include "core/units.h"
#include "support/float_compare.h"

using namespace strativex;

Q_DECLARE_METATYPE(TypedNumberFault)

class TestUnits : public QObject {
    Q_OBJECT

private slots:
    void readNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "2.5" << 2.5;
        QTest::newRow("trailing letters") << "12abc" << 12.0;
        QTest::newRow("letters only") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
        QTest::newRow("leading blank and unit") << " 2.5 mm" << 2.5;
        QTest::newRow("lower-case exponent") << "1e-3" << 0.001;
        QTest::newRow("upper-case exponent") << "2.5E+2" << 250.0;
        QTest::newRow("blanks inside the number") << "1 2\t3" << 123.0;
        QTest::newRow("line feed inside") << "4\n.5" << 4.5;
        QTest::newRow("sign") << "-.25" << -0.25;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("incomplete exponent") << "3e" << 3.0;
        QTest::newRow("exponent sign without digits") << "3e-x" << 3.0;
        QTest::newRow("lone point") << "." << 0.0;
        QTest::newRow("lone sign") << "-" << 0.0;
        QTest::newRow("overflow") << "1e999" << qInf();
        QTest::newRow("fraction overflow") << "0.5e400" << qInf();
        QTest::newRow("underflow") << "1e-999" << 0.0;
        QTest::newRow("negative overflow") << "-1e999" << -qInf();
    }

    void readNumber() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(ReadNumber(text.toStdString()), expected);
    }

    void numberText_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0.0001") << 0.0001f << "0.0001";
        QTest::newRow("1000") << 1000.0f << "1000";
        QTest::newRow("-50") << -50.0f << "-50";
        QTest::newRow("1E-06") << 0.000001f << "1E-06";
        QTest::newRow("2.5E-05") << 0.000025f << "2.5E-05";
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("seven digits") << 1234567.0f << "1234567";
        QTest::newRow("eight digits") << 12345678.0f << "1.234568E+07";
        QTest::newRow("single rounding hidden") << 0.1f << "0.1";
        QTest::newRow("fraction") << 25.4f << "25.4";
        QTest::newRow("inch factor") << 0.03937008f << "0.03937008";
    }

    void numberText() {
        QFETCH(float, value);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(NumberText(value)), expected);
    }

    void formatDecimals_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1 W at 2") << 1.0 << 2 << "1.00";
        QTest::newRow("1 W at 0") << 1.0 << 0 << "1";
        QTest::newRow("exact half away from zero") << 0.125 << 2 << "0.13";
        QTest::newRow("negative half away from zero") << -0.125 << 2 << "-0.13";
        QTest::newRow("half at 0 decimals") << 2.5 << 0 << "3";
        QTest::newRow("binary value below the half") << double(0.145f) << 2 << "0.14";
        QTest::newRow("binary value above the half") << double(0.155f) << 2 << "0.16";
        QTest::newRow("stored inch value") << double(0.12345f) << 3 << "0.123";
        QTest::newRow("carry into the integer") << 9.9996 << 3 << "10.000";
        QTest::newRow("leading zero") << 0.5 << 1 << "0.5";
        QTest::newRow("no grouping") << 1234567.0 << 1 << "1234567.0";
        QTest::newRow("negative rounding to zero") << -0.001 << 2 << "0.00";
        QTest::newRow("five decimals") << 1.0 / 3.0 << 5 << "0.33333";
        QTest::newRow("more than five is five") << 1.0 / 3.0 << 9 << "0.33333";
        QTest::newRow("tiny") << 1e-17 << 5 << "0.00000";
        QTest::newRow("no result") << double(NAN) << 2 << "n/a";
    }

    void formatDecimals() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(FormatDecimals(value, decimals)), expected);
    }

    // Texts worked out by hand: a value the digits would show as 0 takes the decimals of its
    // first significant digit, or the exponent form below five decimals.
    void formatValueNeverShowsANonzeroValueAsZero_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("expected");
        const double ganAttach = double(0.00008f);
        const double igbtDie = double(0.12f * 0.03937008f);
        for (int d = 0; d <= 4; ++d) {
            const QByteArray at = " at " + QByteArray::number(d);
            QTest::newRow("8E-05 in." + at) << ganAttach << d << (d < 4 ? "0.00008" : "0.0001");
            QTest::newRow("0.12 mm in inches" + at) << igbtDie << d << (d < 4 ? "0.005" : "0.0047");
            QTest::newRow("least thickness in inches" + at) << double(1e-6f) << d << "1E-06";
        }
        QTest::newRow("negative") << -0.001 << 2 << "-0.001";
        QTest::newRow("zero stays as set") << 0.0 << 2 << "0.00";
        QTest::newRow("shown value keeps its digits") << 0.5 << 2 << "0.50";
    }

    void formatValueNeverShowsANonzeroValueAsZero() {
        QFETCH(double, value);
        QFETCH(int, digits);
        QFETCH(QString, expected);
        DecimalDigitsTable table = kDefaultDecimalDigits;
        table[ThicknessSlot(LengthUnit::Inches)] = static_cast<std::int16_t>(digits);
        QCOMPARE(
            QString::fromStdString(FormatValue(value, ThicknessSlot(LengthUnit::Inches), table)),
            expected);
    }

    void readTypedNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<TypedNumberFault>("fault");
        const auto none = TypedNumberFault::None;
        const auto notNumber = TypedNumberFault::NotANumber;
        QTest::newRow("plain") << "2.5" << 2.5 << none;
        QTest::newRow("blanks and the unit") << " 2.5 mm" << 2.5 << none;
        QTest::newRow("unit without a blank") << "2.5mm" << 2.5 << none;
        QTest::newRow("exponent") << "1e-3" << 0.001 << none;
        QTest::newRow("signed exponent and sign") << "-2.5E+02" << -250.0 << none;
        QTest::newRow("number then letters") << "12abc" << 0.0 << notNumber;
        QTest::newRow("decimal comma") << "1,5" << 0.0 << TypedNumberFault::DecimalComma;
        QTest::newRow("decimal comma and unit")
            << "1,5 mm" << 0.0 << TypedNumberFault::DecimalComma;
        QTest::newRow("thousands") << "1,000.5" << 0.0 << notNumber;
        QTest::newRow("blank inside") << "1 000" << 0.0 << notNumber;
        QTest::newRow("exponent without digits") << "1e" << 0.0 << notNumber;
        QTest::newRow("another unit") << "2.5 in." << 0.0 << notNumber;
        QTest::newRow("empty") << "" << 0.0 << TypedNumberFault::Empty;
        QTest::newRow("blanks") << " \t " << 0.0 << TypedNumberFault::Empty;
    }

    void readTypedNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(TypedNumberFault, fault);
        const TypedNumber read = ReadTypedNumber(text.toStdString(), {"mm"});
        QCOMPARE(read.Fault, fault);
        QCOMPARE(read.Value, value);
    }

    void unitSwitchConvertsUsedRecordsOnly() {
        Model model;
        ResetToNewModel(model, ModelDefaults{});
        model.UnitSystem = LengthUnit::Millimeters;
        model.LayerCount = 2;
        model.Layers[0].Width = 25.4f;
        model.Layers[1].Thickness = 10.0f;
        model.Layers[1].Width = 0.0f;
        model.Layers[2].Length = 250.0f;
        model.Layers[3].Thickness = 5.0f;
        model.Layers[11].Width = 6.0f;
        model.Layers[1].SpreadAngle = 45.0f;

        QVERIFY(SelectUnit(model, LengthUnit::Inches));
        COMPARE_FLOAT(model.Layers[0].Width, 1.0f);
        COMPARE_FLOAT(model.Layers[1].Width, 0.0f);
        COMPARE_FLOAT(model.Layers[3].Thickness, 5.0f);
        COMPARE_FLOAT(model.Layers[11].Width, 6.0f);
        COMPARE_FLOAT(model.Layers[1].SpreadAngle, 45.0f);

        QVERIFY(SelectUnit(model, LengthUnit::Millimeters));
        COMPARE_FLOAT(model.Layers[0].Width, 25.4f);
        COMPARE_FLOAT(model.Layers[1].Thickness, 10.0f);
        COMPARE_FLOAT(model.Layers[2].Length, 250.0f);
        COMPARE_FLOAT(model.Layers[1].Width, 0.0f);
    }

    void selectingTheCurrentUnitChangesNothing() {
        Model model;
        ResetToNewModel(model, ModelDefaults{});
        model.UnitSystem = LengthUnit::Inches;
        model.Layers[0].Width = 0.5f;
        QVERIFY(!SelectUnit(model, LengthUnit::Inches));
        COMPARE_FLOAT(model.Layers[0].Width, 0.5f);
        QCOMPARE(UnitLabel(LengthUnit::Inches), std::string_view("in."));
        QCOMPARE(UnitLabel(LengthUnit::Millimeters), std::string_view("mm"));
    }
};

QTEST_APPLESS_MAIN(TestUnits)
#include "test_units.moc"
