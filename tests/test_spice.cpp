#include <QtTest>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>

#include "exact/cauer_network.h"
#include "exact/spice_subcircuit.h"
#include "support/file_bytes.h"
#include "support/float_compare.h"

using namespace strativex::exact;

namespace {

constexpr double kPower = 25.0;

// Four stages from 10 µs to 1 s, as a small stack gives.
FosterNetwork StackNetwork() {
    FosterNetwork network;
    for (auto [r, tau] : std::vector<std::pair<double, double>>{
             {0.05, 1e-5}, {0.2, 8e-4}, {0.35, 2e-2}, {0.4, 0.6}}) {
        network.Stages.push_back({r, tau / r});
    }
    return network;
}

// Both subcircuits, each fed a power step into its junction with the base grounded, run for
// ten times the slowest time constant with steps of 1 µs at first and at most 10 ms; the
// junctions' voltages go to the output file.
QByteArray StepNetlist(const FosterNetwork& foster, const CauerNetwork& cauer,
                       const QString& output) {
    std::string netlist = "* power step into both networks\n";
    netlist += FosterSubcircuit(foster, "stack foster") + CauerSubcircuit(cauer, "stack cauer");
    netlist += "X1 jf 0 stack_foster\nX2 jc 0 stack_cauer\n";
    netlist += "I1 0 jf DC " + std::to_string(kPower) + "\n";
    netlist += "I2 0 jc DC " + std::to_string(kPower) + "\n";
    netlist +=
        ".options reltol=1e-5\n.tran 1e-6 6 0 1e-2 uic\n.control\nset wr_singlescale\n"
        "option numdgt=10\nrun\nwrdata " +
        output.toStdString() + " v(jf) v(jc)\nquit\n.endc\n.end\n";
    return QByteArray::fromStdString(netlist);
}

}  // namespace

class TestSpice : public QObject {
    Q_OBJECT

private slots:
    // The exported subcircuits driven by a power step in the circuit simulator give P·Zth
    // within 1 % at every time it reports.
    void simulatorReproducesTheCurve() {
        const QString ngspice = QStandardPaths::findExecutable(QStringLiteral("ngspice"));
        if (ngspice.isEmpty()) {
            QSKIP("ngspice is not installed (scripts/setup installs it); the netlist is not run");
        }
        const FosterNetwork foster = StackNetwork();
        const CauerConversion cauer = CauerFromFoster(foster);
        QVERIFY(cauer.Problem.empty());
        QTemporaryDir folder;
        const QString output = folder.path() + "/out.txt";
        QVERIFY(
            WriteBytes(folder.path() + "/step.cir", StepNetlist(foster, cauer.Network, output)));
        QProcess run;
        run.setWorkingDirectory(folder.path());
        run.start(ngspice, {QStringLiteral("-b"), folder.path() + "/step.cir"});
        QVERIFY(run.waitForFinished(50000));
        QVERIFY2(run.exitCode() == 0, run.readAllStandardError().constData());
        const QList<QByteArray> lines = ReadBytes(output).split('\n');
        int compared = 0;
        for (const QByteArray& line : lines) {
            const QList<QByteArray> columns = line.simplified().split(' ');
            if (columns.size() < 3) continue;
            const double t = columns[0].toDouble();
            if (t <= 0.0) continue;
            const double expected = kPower * FosterZth(foster, t);
            VERIFY_NEAR(columns[1].toDouble(), expected, 0.01 * expected);
            VERIFY_NEAR(columns[2].toDouble(), expected, 0.01 * expected);
            ++compared;
        }
        QVERIFY(compared > 300);
    }
};

QTEST_GUILESS_MAIN(TestSpice)
#include "test_spice.moc"
