#include "exact/foster_fit.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace strativex::exact {
namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

constexpr int kMaxIterations = 200;
// How far a time constant may move below the first sample: a faster stage is not seen by the
// curve. None may be slower than the last sample, which is the steady state.
constexpr double kTauReach = 1e3;
// A stage whose resistance falls below this share of Zth(∞) changes the curve by less than
// the fit can see; it is left out rather than given an arbitrary, huge capacitance.
constexpr double kNegligibleShare = 1e-6;
// Stages whose time constants lie closer than this factor act on the curve as one; kept apart,
// they would give the equivalent ladder rungs of vanishing resistance and huge capacitance.
constexpr double kDistinctTauFactor = 1.5;

std::string ValueText(double value) {
    std::ostringstream text;
    text.precision(9);
    text << value;
    return text.str();
}

// The parameters are ln R and ln τ of every stage, so that both stay positive.
struct Stages {
    VectorXd LogR;
    VectorXd LogTau;
};

class FitProblem {
public:
    explicit FitProblem(const ZthCurve& curve)
        : times_(Eigen::Map<const VectorXd>(curve.Times.data(), Count(curve))),
          zth_(Eigen::Map<const VectorXd>(curve.Zth.data(), Count(curve))),
          steady_(curve.Zth.back()),
          // ΣR = Zth(∞) weighs as much as all the samples together.
          steadyWeight_(std::sqrt(static_cast<double>(Count(curve)))),
          minLogTau_(std::log(curve.Times.front() / kTauReach)),
          maxLogTau_(std::log(curve.Times.back())) {}

    double Steady() const { return steady_; }

    VectorXd Residuals(const Stages& s) const {
        VectorXd r(times_.size() + 1);
        r.head(times_.size()) = Model(s) - zth_;
        r(times_.size()) = steadyWeight_ * (s.LogR.array().exp().sum() - steady_);
        return r;
    }

    MatrixXd Jacobian(const Stages& s) const {
        const Eigen::Index n = s.LogR.size();
        const Eigen::Index m = times_.size();
        MatrixXd jac(m + 1, 2 * n);
        for (Eigen::Index i = 0; i < n; ++i) {
            const double r = std::exp(s.LogR(i));
            const VectorXd x = times_ / std::exp(s.LogTau(i));
            const VectorXd decay = (-x.array()).exp();
            jac.col(i).head(m) = r * (1.0 - decay.array());
            jac.col(n + i).head(m) = -r * decay.array() * x.array();
            jac(m, i) = steadyWeight_ * r;
            jac(m, n + i) = 0.0;
        }
        return jac;
    }

    VectorXd Model(const Stages& s) const {
        VectorXd z = VectorXd::Zero(times_.size());
        for (Eigen::Index i = 0; i < s.LogR.size(); ++i) {
            z.array() +=
                std::exp(s.LogR(i)) * (1.0 - (-times_.array() / std::exp(s.LogTau(i))).exp());
        }
        return z;
    }

    double ErrorPercent(const Stages& s) const {
        return 100.0 * (Model(s) - zth_).cwiseAbs().maxCoeff() / steady_;
    }

    void Clamp(Stages& s) const {
        s.LogTau = s.LogTau.cwiseMax(minLogTau_).cwiseMin(maxLogTau_);
        s.LogR = s.LogR.cwiseMax(std::log(steady_ * 1e-12));
    }

    double FirstTime() const { return times_(0); }
    double LastTime() const { return times_(times_.size() - 1); }
    double TimeOfLargestMiss(const Stages& s) const {
        Eigen::Index worst = 0;
        (Model(s) - zth_).cwiseAbs().maxCoeff(&worst);
        return times_(worst);
    }

private:
    static Eigen::Index Count(const ZthCurve& curve) {
        return static_cast<Eigen::Index>(curve.Times.size());
    }

    Eigen::Map<const VectorXd> times_;
    Eigen::Map<const VectorXd> zth_;
    double steady_;
    double steadyWeight_;
    double minLogTau_;
    double maxLogTau_;
};

// Levenberg-Marquardt: the damping grows while a step fails to lower the squared misfit.
Stages Refine(const FitProblem& problem, Stages s) {
    double cost = problem.Residuals(s).squaredNorm();
    double damping = 1e-3;
    for (int iteration = 0; iteration < kMaxIterations && damping < 1e8; ++iteration) {
        const MatrixXd jac = problem.Jacobian(s);
        const VectorXd gradient = jac.transpose() * problem.Residuals(s);
        MatrixXd normal = jac.transpose() * jac;
        const VectorXd scale = normal.diagonal().cwiseMax(1e-30);
        normal.diagonal() += damping * scale;
        const VectorXd step = normal.ldlt().solve(-gradient);
        const Eigen::Index n = s.LogR.size();
        Stages trial{s.LogR + step.head(n), s.LogTau + step.tail(n)};
        problem.Clamp(trial);
        const double trialCost = problem.Residuals(trial).squaredNorm();
        if (std::isfinite(trialCost) && trialCost < cost) {
            const bool settled = cost - trialCost < 1e-9 * cost;
            s = trial;
            cost = trialCost;
            damping = std::max(damping / 3.0, 1e-12);
            if (settled) break;
        } else {
            damping *= 4.0;
        }
    }
    return s;
}

// Time constants spread evenly in log time over the samples, the resistance shared equally.
Stages SpreadStart(const FitProblem& problem, int n) {
    Stages s{VectorXd::Constant(n, std::log(problem.Steady() / n)), VectorXd(n)};
    const double first = std::log(problem.FirstTime());
    const double span = std::log(problem.LastTime()) - first;
    for (int i = 0; i < n; ++i) s.LogTau(i) = first + span * (i + 0.5) / n;
    return s;
}

// The fit with one stage fewer, and a new small stage where it misses most.
Stages GrownStart(const FitProblem& problem, const Stages& fewer) {
    const Eigen::Index n = fewer.LogR.size() + 1;
    Stages s{VectorXd(n), VectorXd(n)};
    s.LogR.head(n - 1) = fewer.LogR;
    s.LogTau.head(n - 1) = fewer.LogTau;
    s.LogR(n - 1) = std::log(problem.Steady() * 0.01);
    s.LogTau(n - 1) = std::log(problem.TimeOfLargestMiss(fewer));
    return s;
}

Stages WithoutNegligible(const FitProblem& problem, const Stages& s) {
    std::vector<Eigen::Index> kept;
    for (Eigen::Index i = 0; i < s.LogR.size(); ++i) {
        if (std::exp(s.LogR(i)) >= kNegligibleShare * problem.Steady()) kept.push_back(i);
    }
    Stages pruned{VectorXd(static_cast<Eigen::Index>(kept.size())),
                  VectorXd(static_cast<Eigen::Index>(kept.size()))};
    for (std::size_t k = 0; k < kept.size(); ++k) {
        pruned.LogR(static_cast<Eigen::Index>(k)) = s.LogR(kept[k]);
        pruned.LogTau(static_cast<Eigen::Index>(k)) = s.LogTau(kept[k]);
    }
    return pruned;
}

FosterNetwork NetworkOf(const Stages& s) {
    FosterNetwork network;
    for (Eigen::Index i = 0; i < s.LogR.size(); ++i) {
        const double r = std::exp(s.LogR(i));
        network.Stages.push_back({r, std::exp(s.LogTau(i)) / r});
    }
    std::sort(network.Stages.begin(), network.Stages.end(),
              [](const RcStage& a, const RcStage& b) { return a.Tau() < b.Tau(); });
    return network;
}

struct Trial {
    Stages Fitted;
    double ErrorPercent = 0.0;
};

// Each run of stages within kDistinctTauFactor of the run's first becomes one stage of their
// summed resistance at their resistance-weighted mean log time constant.
Stages Merged(const Stages& s) {
    std::vector<Eigen::Index> order(static_cast<std::size_t>(s.LogTau.size()));
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<Eigen::Index>(i);
    std::sort(order.begin(), order.end(),
              [&](Eigen::Index a, Eigen::Index b) { return s.LogTau(a) < s.LogTau(b); });
    std::vector<double> logR;
    std::vector<double> logTau;
    const double reach = std::log(kDistinctTauFactor);
    for (std::size_t i = 0; i < order.size();) {
        double r = 0.0;
        double weighted = 0.0;
        const double first = s.LogTau(order[i]);
        for (; i < order.size() && s.LogTau(order[i]) - first < reach; ++i) {
            const double stageR = std::exp(s.LogR(order[i]));
            r += stageR;
            weighted += stageR * s.LogTau(order[i]);
        }
        logR.push_back(std::log(r));
        logTau.push_back(weighted / r);
    }
    return {Eigen::Map<VectorXd>(logR.data(), static_cast<Eigen::Index>(logR.size())),
            Eigen::Map<VectorXd>(logTau.data(), static_cast<Eigen::Index>(logTau.size()))};
}

// Refined until no two stages coincide: every merge leaves one stage fewer, so this ends.
Trial Finished(const FitProblem& problem, Stages s) {
    while (true) {
        const Stages refined = WithoutNegligible(problem, Refine(problem, s));
        s = Merged(refined);
        if (s.LogR.size() == refined.LogR.size()) break;
    }
    Trial trial{s, problem.ErrorPercent(s)};
    return trial;
}

Trial FitStages(const FitProblem& problem, int n, const Trial* fewer) {
    Trial best = Finished(problem, SpreadStart(problem, n));
    if (fewer != nullptr) {
        const Trial grown = Finished(problem, GrownStart(problem, fewer->Fitted));
        if (grown.ErrorPercent < best.ErrorPercent) best = grown;
    }
    return best;
}

std::string StageCountProblem(int stages) {
    if (stages >= kMinStages && stages <= kMaxStages) return {};
    return "the number of stages is " + std::to_string(stages) + "; it must be from " +
           std::to_string(kMinStages) + " to " + std::to_string(kMaxStages);
}

std::string SampleProblem(const ZthCurve& curve) {
    for (std::size_t k = 0; k < curve.Times.size(); ++k) {
        const double t = curve.Times[k];
        const std::string where = "time " + std::to_string(k + 1) + " (" + ValueText(t) + " s)";
        if (!std::isfinite(t) || t <= 0.0) return where + " is not a positive number";
        if (k > 0 && t <= curve.Times[k - 1]) {
            return where + " does not follow the time before it (" + ValueText(curve.Times[k - 1]) +
                   " s)";
        }
        if (!std::isfinite(curve.Zth[k])) {
            return "Zth at " + where + " is not a number";
        }
    }
    if (!(curve.Zth.back() > 0.0)) {
        return "the last Zth (" + ValueText(curve.Zth.back()) + " K/W) is not positive";
    }
    return {};
}

}  // namespace

std::string CurveProblem(const ZthCurve& curve, int stages) {
    if (auto problem = StageCountProblem(stages); !problem.empty()) return problem;
    if (curve.Times.size() != curve.Zth.size()) {
        return "the curve has " + std::to_string(curve.Times.size()) + " times but " +
               std::to_string(curve.Zth.size()) + " Zth values";
    }
    const std::size_t needed = 2 * static_cast<std::size_t>(stages);
    if (curve.Times.size() < needed) {
        return "the curve has " + std::to_string(curve.Times.size()) + " points; " +
               std::to_string(stages) + " stages need at least " + std::to_string(needed);
    }
    return SampleProblem(curve);
}

FosterFit FitFoster(const ZthCurve& curve, std::optional<int> stages) {
    FosterFit fit;
    fit.Problem = CurveProblem(curve, stages.value_or(kMinStages));
    if (!fit.Problem.empty()) return fit;
    const FitProblem problem(curve);
    const int last = stages ? *stages : kMaxStages;
    const int maxByPoints = static_cast<int>(curve.Times.size() / 2);
    Trial previous;
    Trial best;
    for (int n = stages.value_or(kMinStages); n <= std::min(last, maxByPoints); ++n) {
        const Trial trial = FitStages(problem, n, n > kMinStages && !stages ? &previous : nullptr);
        if (n == stages.value_or(kMinStages) || trial.ErrorPercent < best.ErrorPercent) {
            best = trial;
        }
        if (!stages && trial.ErrorPercent < kDefaultFitTolerancePercent) break;
        previous = trial;
    }
    fit.Network = NetworkOf(best.Fitted);
    fit.ErrorPercent = best.ErrorPercent;
    return fit;
}

}  // namespace strativex::exact
