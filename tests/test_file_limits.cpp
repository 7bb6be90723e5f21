#include <QtTest>

#include "core/material_loader.h"
#include "persistence/model_file.h"
#include "support/material_folders.h"

using namespace strativex;

namespace {

constexpr qint64 kMiB = qint64{1} << 20;

// Why the reader refused the file; empty when it read it (whatever it then made of it).
std::string Refusal(const QString& kind, const std::string& path, const std::string& folder) {
    if (kind == "model") {
        Model model;
        return LoadModelFile(model, MaterialTable{}, ModelDefaults{}, path).Reason;
    }
    MaterialTable table;
    const MaterialLoadOutcome outcome = LoadMaterials(table, MaterialPathsIn(folder), std::nullopt);
    if (kind == "custom") return outcome.CustomFileProblem;
    const std::string prefix = "Error reading standard materials data file\r\n'" + path + "': ";
    return outcome.FatalText.starts_with(prefix) ? outcome.FatalText.substr(prefix.size()) : "";
}

}  // namespace

class TestFileLimits : public QObject {
    Q_OBJECT

private slots:
    // A reader takes a file of its limit and refuses one byte more, naming the limit.
    void sizeLimits_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("refusal");
        const std::array<std::tuple<const char*, const char*, int>, 3> readers{
            {{"model", "m.mdl", 16},
             {"standard", "matprops.dat", 4},
             {"custom", "matcust.dat", 4}}};
        for (const auto& [kind, name, mib] : readers) {
            QTest::addRow("%s at the limit", kind) << kind << name << mib * kMiB << "";
            QTest::addRow("%s one byte over", kind)
                << kind << name << mib * kMiB + 1 << QString("is larger than %1 MiB").arg(mib);
        }
    }

    void sizeLimits() {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(size));  // zeros, none written
        // The custom file is read only beside a good standard one.
        QVERIFY(kind != "custom" || CopyStandardMaterials(dir.path()));
        const std::string folder = dir.path().toStdString();
        QCOMPARE(QString::fromStdString(Refusal(kind, path.toStdString(), folder)), refusal);
    }
};

QTEST_APPLESS_MAIN(TestFileLimits)
#include "test_file_limits.moc"
