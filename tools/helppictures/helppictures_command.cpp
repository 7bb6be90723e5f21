#include "tools/helppictures/helppictures_command.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <iostream>

#include "dialogs/state_inputs.h"
#include "mainwindow/main_window.h"
#include "tools/helppictures/quiet_desktop.h"
#include "tools/helppictures/view_pictures.h"
#include "views/report/today_date.h"
#include "views/report/user_info_labels.h"
#include "views/stack/layer_palette.h"

namespace strativex::helppictures {
namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;
constexpr double kInchesPerMetre = 1.0 / 0.0254;
constexpr double kScreenDpi = 96.0;

int Fail(const QString& message) {
    std::cerr << "strativex-helppictures: " << message.toStdString() << '\n';
    return kFailed;
}

bool Save(QImage image, const QDir& folder, const QString& name) {
    return image.save(folder.filePath(name), "PNG");
}

// A window grabbed at a device pixel ratio above 1 keeps its size on the page.
QImage WindowImage(QWidget& window) {
    QImage image = window.grab().toImage();
    const double dpi = kScreenDpi * image.devicePixelRatio();
    image.setDevicePixelRatio(1.0);
    image.setDotsPerMeterX(qRound(dpi * kInchesPerMetre));
    image.setDotsPerMeterY(qRound(dpi * kInchesPerMetre));
    return image;
}

// The report's header as a user who chose every line in User Information sees it; the date
// is fixed so that the documents do not change from one build to the next.
void FillReportHeader(Preferences& prefs) {
    prefs.UserInfoText[0] = "A. Engineer";
    prefs.UserInfoText[1] = "Example Power Devices";
    prefs.UserInfoText[3] = "Inverter module";
    prefs.UserInfoText[kUserInfoDateSlot] = DateText(QDate(2026, 3, 5)).toStdString();
    prefs.UserInfoInclude.fill(true);
    prefs.UserInfoInclude[2] = false;
}

int MakePictures(const QDir& output, const QString& model, const QString& standardMaterials) {
    QTemporaryDir folder;
    if (!folder.isValid() || !QDir(folder.path()).mkpath(QStringLiteral("Materials")) ||
        !QFile::copy(standardMaterials,
                     folder.filePath(QStringLiteral("Materials/matprops.dat")))) {
        return Fail(
            QStringLiteral("cannot set up a program folder with '%1'").arg(standardMaterials));
    }
    AppState state;
    QuietDesktop desktop;
    MainWindow window(state, desktop);
    if (!window.Start(folder.path()) || desktop.Ended) {
        return Fail(QStringLiteral("the main window did not start: ") +
                    desktop.Messages.join('\n'));
    }
    window.show();
    // Whatever the start-up said, the model must open without a word.
    desktop.Messages.clear();
    window.OpenModelFromPath(model);
    if (!desktop.Messages.isEmpty()) {
        return Fail(
            QStringLiteral("'%1' did not open: %2").arg(model, desktop.Messages.join('\n')));
    }
    if (!Save(WindowImage(window), output, QStringLiteral("main-window.png"))) {
        return Fail(QStringLiteral("cannot write the main window's picture"));
    }
    FillReportHeader(state.prefs);
    const ReportInputs report = ReportInputsOf(state, StandardLayerPalette());
    if (!Save(ScaleViewPicture(report.view), output, QStringLiteral("scale-view.png")) ||
        !Save(ReportPagePicture(report), output, QStringLiteral("report-page.png"))) {
        return Fail(QStringLiteral("cannot write the pictures into '%1'").arg(output.path()));
    }
    return 0;
}

}  // namespace

int RunHelpPictures(const QStringList& args) {
    if (args.size() != 3 || args.contains(QString())) {
        std::cerr << "usage: strativex-helppictures OUTPUT_DIR MODEL.mdl MATPROPS.dat\n";
        return kUsageError;
    }
    // The start-up makes its own folder the current one; the paths are fixed before.
    const QDir output(QDir(args[0]).absolutePath());
    if (!output.mkpath(QStringLiteral("."))) {
        return Fail(QStringLiteral("cannot create '%1'").arg(output.path()));
    }
    return MakePictures(output, QFileInfo(args[1]).absoluteFilePath(),
                        QFileInfo(args[2]).absoluteFilePath());
}

}  // namespace strativex::helppictures
