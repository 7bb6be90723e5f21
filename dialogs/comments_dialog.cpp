#include "dialogs/comments_dialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>
#include <cstdint>

#include "dialogs/dialog_buttons.h"
#include "dialogs/named_widget.h"
#include "dialogs/storable_text.h"
#include "views/surface/integer16.h"
#include "views/surface/model_text.h"
#include "views/surface/twips.h"

namespace strativex {
namespace {

constexpr int kMinWidthTwips = 2400;
constexpr int kMinHeightTwips = 1600;
// The size at the first start, before one was stored: room for a few lines of a paragraph.
constexpr int kFirstWidthTwips = 7200;
constexpr int kFirstHeightTwips = 4800;
constexpr int kFewestTextLines = 3;
constexpr int kTextLeftTwips = 200;
constexpr int kTextTopTwips = 120;
// Room the window keeps beside and below the text box, and where the buttons stand from the
// bottom right corner.
constexpr int kTextSpareWidthTwips = 400;
constexpr int kTextSpareHeightTwips = 1100;
constexpr int kButtonTopFromBottomTwips = 800;
constexpr int kCancelLeftFromRightTwips = 1200;
constexpr int kButtonPitchTwips = 1100;
constexpr int kButtonWidthTwips = 1000;
const QString kTitle = QStringLiteral("Model Comments");

QString EditorText(const std::string& comments) {
    QString text = FromModelText(comments);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// The raw text keeps non-breaking spaces, which the plain-text export would turn into
// blanks; only the editor's own line separators become line feeds.
QString TypedText(const QPlainTextEdit& editor) {
    QString text = editor.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

}  // namespace

CommentsDialog::CommentsDialog(AppState& state, ModelDocument& document, Desktop& desktop,
                               QWidget* parent)
    : QDialog(parent), state_(state), document_(document), desktop_(desktop) {
    setObjectName(QStringLiteral("FrmComments"));
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    commentsEdit_ = NamedWidget<QPlainTextEdit>(QStringLiteral("TxtComments"), this);
    buttons_ = OkCancelButtons(this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &CommentsDialog::TakeComments);
    connect(buttons_, &QDialogButtonBox::rejected, this, [this] {
        StoreSize();
        reject();
    });
    setMinimumSize(SmallestSize());
    const bool stored = state.prefs.CommentsWindowWidth > 0 && state.prefs.CommentsWindowHeight > 0;
    resize(stored ? QSize(Pixels(state.prefs.CommentsWindowWidth),
                          Pixels(state.prefs.CommentsWindowHeight))
                  : QSize(Pixels(kFirstWidthTwips), Pixels(kFirstHeightTwips)));
    commentsEdit_->setPlainText(EditorText(state.model.ModelComments));
}

void CommentsDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int w = width();
    const int h = height();
    commentsEdit_->setGeometry(Pixels(kTextLeftTwips), Pixels(kTextTopTwips),
                               w - Pixels(kTextSpareWidthTwips), h - Pixels(kTextSpareHeightTwips));
    // The two buttons take the places of the design's OK and Cancel together, wider where the
    // desktop's font needs it.
    const int right = w - Pixels(kCancelLeftFromRightTwips) + Pixels(kButtonWidthTwips);
    const int width =
        std::max(Pixels(kButtonPitchTwips + kButtonWidthTwips), buttons_->sizeHint().width());
    buttons_->setGeometry(right - width, h - Pixels(kButtonTopFromBottomTwips), width,
                          buttons_->sizeHint().height());
}

// The design's smallest size, or more where the desktop's font (a large one, or a screen of
// many dots per inch) needs it to show both buttons and a few lines of text.
QSize CommentsDialog::SmallestSize() const {
    const int buttonsWidth =
        std::max(Pixels(kButtonPitchTwips + kButtonWidthTwips), buttons_->sizeHint().width());
    const int width = buttonsWidth + Pixels(kCancelLeftFromRightTwips - kButtonWidthTwips) +
                      Pixels(kTextLeftTwips);
    const int textHeight = kFewestTextLines * commentsEdit_->fontMetrics().lineSpacing() +
                           2 * commentsEdit_->frameWidth();
    return {std::max(Pixels(kMinWidthTwips), width),
            std::max(Pixels(kMinHeightTwips), textHeight + Pixels(kTextSpareHeightTwips))};
}

// A larger font needs a larger smallest size; the desktop may change it while the window is open.
void CommentsDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange && buttons_ != nullptr) {
        setMinimumSize(SmallestSize());
    }
}

void CommentsDialog::TakeComments() {
    const QString text = TypedText(*commentsEdit_);
    if (const auto character = FirstCharacterWithoutCode(text)) {
        desktop_.ShowMessage(this,
                             QStringLiteral("The comments hold the character \"%1\", which a "
                                            "model file cannot store.\r\nPlease remove or "
                                            "replace it.")
                                 .arg(*character),
                             kTitle, MessageIcon::Exclamation, MessageButtons::Ok);
        commentsEdit_->setFocus();
        return;
    }
    QString fileText = text;
    fileText.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    document_.Change(tr("Comments"),
                     [&fileText](Model& model) { model.ModelComments = *ToModelText(fileText); });
    StoreSize();
    accept();
}

void CommentsDialog::StoreSize() {
    state_.prefs.CommentsWindowWidth = RoundToInt16(Twips(width()));
    state_.prefs.CommentsWindowHeight = RoundToInt16(Twips(height()));
}

}  // namespace strativex
