#include "analysis/exact_picture_view.h"

#include <QPainter>

#include "views/exact_check/exact_profile_painter.h"
#include "views/exact_check/exact_section_painter.h"
#include "views/plot/plot_style.h"

namespace strativex {
namespace {

constexpr int kLeastWidth = 360;
constexpr int kLeastHeight = 220;
// Lets the picture show through, pale, under the word that it is out of date.
const QColor kVeil{255, 255, 255, 170};

void DrawCentredText(QPainter& painter, const QRect& area, const QString& text) {
    painter.setPen(kAxisColor);
    painter.setFont(PlotFont(PlotFontRole::Title));
    painter.drawText(area.adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, text);
}

}  // namespace

ExactPictureView::ExactPictureView(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    setMinimumSize(kLeastWidth, kLeastHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ExactPictureView::ShowResult(std::shared_ptr<const exact::ExactResult> result, LengthUnit unit,
                                  const DecimalDigitsTable& digits) {
    result_ = std::move(result);
    unit_ = unit;
    digits_ = digits;
    message_.clear();
    update();
}

void ExactPictureView::ShowMessage(const QString& message) {
    result_.reset();
    message_ = message;
    update();
}

void ExactPictureView::SetOutOfDate(bool outOfDate) {
    outOfDate_ = outOfDate;
    update();
}

void ExactPictureView::SetExtent(SectionExtent extent) {
    extent_ = extent;
    update();
}

void ExactPictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!result_) {
        DrawCentredText(painter, rect(), message_);
        return;
    }
    const ExactPictureInputs inputs{*result_, unit_, extent_, digits_};
    if (kind_ == Kind::Section) {
        PaintExactSection(painter, QRectF(rect()), 1.0, inputs);
    } else {
        PaintExactProfile(painter, QRectF(rect()), 1.0, inputs);
    }
    if (!outOfDate_) return;
    painter.fillRect(rect(), kVeil);
    DrawCentredText(painter, rect(), QStringLiteral("Out of date"));
}

}  // namespace strativex
