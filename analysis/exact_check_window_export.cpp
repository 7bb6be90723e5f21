#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>

#include "analysis/exact_check_texts.h"
#include "analysis/exact_check_window.h"
#include "persistence/safe_write.h"
#include "platform/native_path.h"
#include "views/exact_check/exact_picture_export.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

// The pictures leave the window at this layout size, drawn at twice its pixels: sharp when
// pasted into a document or shown on a dense screen.
const QSize kPictureSize{960, 800};
constexpr qreal kPictureScale = 2.0;

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QString PictureFileName(const AppState& state) {
    QString name = FromModelText(state.model.ModelFileName);
    if (name.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive)) name.chop(4);
    return (name.isEmpty() ? QStringLiteral("model") : name) + QStringLiteral(" 3-D check.png");
}

}  // namespace

QImage ExactCheckWindow::PicturesImage() const {
    const ExactPictureInputs inputs{*shown_, shownModel_.UnitSystem,
                                    static_cast<SectionExtent>(extent_->currentData().toInt()),
                                    state_.prefs.DecimalDigits};
    return ExactCheckImage(inputs,
                           ExactPictureCaption(*shown_, shownModel_, state_.prefs.DecimalDigits),
                           kPictureSize, kPictureScale);
}

void ExactCheckWindow::CopyPictures() {
    if (HasPictures()) QGuiApplication::clipboard()->setImage(PicturesImage());
}

void ExactCheckWindow::SavePictures() {
    if (!HasPictures()) return;
    FileDialogRequest request;
    request.DialogMode = FileDialogRequest::Mode::Save;
    request.Title = tr("Save Pictures as PNG");
    request.Folder = PathText(state_.prefs.ModelsFolder);
    request.FileName = PictureFileName(state_);
    request.Filters = {QStringLiteral("PNG Images (*.png)"), QStringLiteral("All Files (*)")};
    request.DefaultSuffix = QStringLiteral("png");
    const auto chosen = desktop_.ChooseFile(this, request);
    if (!chosen) return;
    const QByteArray png = PngBytes(PicturesImage());
    const SafeWriteResult written =
        SafeWriteFile(NativePath(*chosen), std::string_view(png.constData(), png.size()));
    if (written.Ok) return;
    desktop_.ShowMessage(this,
                         *chosen + QStringLiteral("\r\n") +
                             tr("The pictures could not be written: %1")
                                 .arg(QString::fromStdString(written.SystemError)) +
                             QStringLiteral("\r\n") + tr("Pictures not saved."),
                         tr("Error Saving Pictures"), MessageIcon::Exclamation, MessageButtons::Ok);
}

}  // namespace strativex
