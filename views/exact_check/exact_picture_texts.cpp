#include "views/exact_check/exact_picture_texts.h"

#include <cmath>

#include "core/number_format.h"
#include "core/units.h"

namespace strativex {
namespace {

QString FactorText(double factor) {
    return QStringLiteral("%1 \u00D7").arg(PictureTickText(factor));
}

}  // namespace

QString PictureTickText(double value) {
    // A tick that ought to be 0 can come out of a sum as -1e-17.
    return QString::fromStdString(
        NumberText(static_cast<float>(std::fabs(value) < 1e-12 ? 0.0 : value)));
}

QString DegreesTickText(double value) {
    return PictureTickText(value) + QStringLiteral(" \u00B0C");
}

QString LengthAxisTitle(const QString& name, LengthUnit unit) {
    return QStringLiteral("%1 (%2)").arg(name, QString::fromLatin1(UnitLabel(unit)));
}

QString SectionCaption(double depthExaggeration, double isothermStepC) {
    const QString isotherms =
        QStringLiteral("isotherms every %1").arg(DegreesTickText(isothermStepC));
    // The exaggerations are whole 1-2-5 steps, so a ratio within a hair of 1 is 1.
    if (std::fabs(depthExaggeration - 1.0) < 1e-9) {
        return QStringLiteral("True proportions; ") + isotherms;
    }
    if (depthExaggeration > 1.0) {
        return QStringLiteral("Depth drawn at ") + FactorText(depthExaggeration) +
               QStringLiteral(" the width's scale; ") + isotherms;
    }
    return QStringLiteral("Width drawn at ") + FactorText(1.0 / depthExaggeration) +
           QStringLiteral(" the depth's scale; ") + isotherms;
}

}  // namespace strativex
