#pragma once

#include <QString>
#include <QWidget>

#include <memory>

#include "core/model.h"
#include "core/number_format.h"
#include "exact/exact_result.h"
#include "views/exact_check/exact_picture_inputs.h"

namespace strativex {

// One of the 3-D check's pictures on the screen: the cross-section map or the profile across
// the heated face. Without a result to draw it says why; a result out of date is veiled.
class ExactPictureView : public QWidget {
    Q_OBJECT

public:
    enum class Kind { Section, Profile };

    ExactPictureView(Kind kind, QWidget* parent = nullptr);

    // A result with Status Ok and the unit of the model it was computed for.
    void ShowResult(std::shared_ptr<const exact::ExactResult> result, LengthUnit unit,
                    const DecimalDigitsTable& digits);
    // Nothing to draw, and why.
    void ShowMessage(const QString& message);
    void SetOutOfDate(bool outOfDate);
    void SetExtent(SectionExtent extent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
    std::shared_ptr<const exact::ExactResult> result_;
    LengthUnit unit_ = LengthUnit::Millimeters;
    DecimalDigitsTable digits_ = kDefaultDecimalDigits;
    SectionExtent extent_ = SectionExtent::AroundSource;
    QString message_;
    bool outOfDate_ = false;
};

}  // namespace strativex
