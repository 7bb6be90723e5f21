#include "analysis/transient_copy.h"

#include <QStringList>

#include <algorithm>

namespace strativex {
namespace {

QString Number(double value) {
    return QString::number(value, 'g', 10);
}

QString Row(const QStringList& fields) {
    return fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
}

QString CurveLines(const exact::TransientResult& curve) {
    QString text = Row({QStringLiteral("time_s"), QStringLiteral("zth_avg_k_per_w"),
                        QStringLiteral("zth_peak_k_per_w")});
    for (std::size_t i = 0; i < curve.TimeS.size(); ++i) {
        text +=
            Row({Number(curve.TimeS[i]), Number(curve.ZthAverage[i]), Number(curve.ZthPeak[i])});
    }
    return text;
}

// Stage by stage, the Foster columns beside the Cauer ladder's, junction first.
QString NetworkLines(const exact::TransientReport& report) {
    QString text = Row({QStringLiteral("stage"), QStringLiteral("foster_r_k_per_w"),
                        QStringLiteral("foster_c_j_per_k"), QStringLiteral("foster_tau_s"),
                        QStringLiteral("cauer_r_k_per_w"), QStringLiteral("cauer_c_j_per_k")});
    const auto& foster = report.Foster.Network.Stages;
    const auto& cauer = report.Cauer.Stages;
    for (std::size_t i = 0; i < std::max(foster.size(), cauer.size()); ++i) {
        QStringList fields{QString::number(i + 1)};
        if (i < foster.size()) {
            fields << Number(foster[i].R) << Number(foster[i].C) << Number(foster[i].Tau());
        } else {
            fields << QString() << QString() << QString();
        }
        if (i < cauer.size()) fields << Number(cauer[i].R) << Number(cauer[i].C);
        text += Row(fields);
    }
    return text;
}

}  // namespace

QString TransientTabText(const exact::TransientReport& report) {
    QString text = CurveLines(report.Curve);
    if (report.HasNetworks()) text += QLatin1Char('\n') + NetworkLines(report);
    return text;
}

}  // namespace strativex
