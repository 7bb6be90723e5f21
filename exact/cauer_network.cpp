#include "exact/cauer_network.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>

namespace strativex::exact {
namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

// Time constants closer than this (relative) are one to double precision.
constexpr double kSameTau = 1e-12;

// Stages of equal time constant are one stage of their summed resistance.
std::vector<RcStage> Merged(std::vector<RcStage> stages) {
    std::sort(stages.begin(), stages.end(),
              [](const RcStage& a, const RcStage& b) { return a.Tau() < b.Tau(); });
    std::vector<RcStage> merged;
    for (const RcStage& stage : stages) {
        if (!merged.empty() &&
            stage.Tau() - merged.back().Tau() <= kSameTau * merged.back().Tau()) {
            const double tau = merged.back().Tau();
            merged.back().R += stage.R;
            merged.back().C = tau / merged.back().R;
        } else {
            merged.push_back(stage);
        }
    }
    return merged;
}

struct Tridiagonal {
    VectorXd Diagonal;
    VectorXd Offdiagonal;  // positive
};

// Lanczos on diag(λ) from the start vector, reorthogonalised twice against every earlier
// vector at each step, so that the recurrence keeps working precision throughout.
Tridiagonal Lanczos(const VectorXd& lambda, const VectorXd& start) {
    const Eigen::Index n = lambda.size();
    MatrixXd q(n, n);
    q.col(0) = start.normalized();
    Tridiagonal t{VectorXd(n), VectorXd(std::max<Eigen::Index>(n - 1, 0))};
    for (Eigen::Index k = 0; k < n; ++k) {
        VectorXd v = lambda.cwiseProduct(q.col(k));
        t.Diagonal(k) = q.col(k).dot(v);
        for (int pass = 0; pass < 2; ++pass) {
            v -= q.leftCols(k + 1) * (q.leftCols(k + 1).transpose() * v);
        }
        if (k + 1 < n) {
            t.Offdiagonal(k) = v.norm();
            q.col(k + 1) = v / t.Offdiagonal(k);
        }
    }
    return t;
}

MatrixXd LadderMatrix(const Tridiagonal& t) {
    const Eigen::Index n = t.Diagonal.size();
    MatrixXd a = t.Diagonal.asDiagonal();
    for (Eigen::Index k = 0; k + 1 < n; ++k) {
        a(k, k + 1) = -t.Offdiagonal(k);
        a(k + 1, k) = -t.Offdiagonal(k);
    }
    return a;
}

// The ladder from its symmetrised state matrix A = C^-1/2 G C^-1/2 and its first
// capacitance. G has zero row sums but for the last (the rung to the base), so y = C^1/2 1
// solves A y = e_n / (R_n √C_n): the capacitances come from one positive solve, the
// resistances from the off-diagonal, without subtracting one from another.
CauerNetwork LadderOf(const Tridiagonal& t, double firstC) {
    const Eigen::Index n = t.Diagonal.size();
    VectorXd last = VectorXd::Zero(n);
    last(n - 1) = 1.0;
    VectorXd y = LadderMatrix(t).ldlt().solve(last);
    const double scale = std::sqrt(firstC) / y(0);
    y *= scale;
    CauerNetwork cauer;
    for (Eigen::Index k = 0; k < n; ++k) {
        const double c = y(k) * y(k);
        const double r =
            k + 1 < n ? 1.0 / (t.Offdiagonal(k) * y(k) * y(k + 1)) : 1.0 / (scale * y(k));
        cauer.Stages.push_back({r, c});
    }
    return cauer;
}

}  // namespace

CauerConversion CauerFromFoster(const FosterNetwork& foster) {
    CauerConversion result;
    result.Problem = StagesProblem(foster.Stages);
    if (!result.Problem.empty()) return result;
    const std::vector<RcStage> stages = Merged(foster.Stages);
    const auto n = static_cast<Eigen::Index>(stages.size());
    VectorXd lambda(n);
    VectorXd inverseC(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        lambda(i) = 1.0 / stages[static_cast<std::size_t>(i)].Tau();
        inverseC(i) = 1.0 / stages[static_cast<std::size_t>(i)].C;
    }
    // At high frequency both networks are the junction's capacitance alone.
    const double firstC = 1.0 / inverseC.sum();
    result.Network = LadderOf(Lanczos(lambda, (inverseC * firstC).cwiseSqrt()), firstC);
    return result;
}

FosterConversion FosterFromCauer(const CauerNetwork& cauer) {
    FosterConversion result;
    result.Problem = StagesProblem(cauer.Stages);
    if (!result.Problem.empty()) return result;
    const auto n = static_cast<Eigen::Index>(cauer.Stages.size());
    VectorXd diagonal(n);
    VectorXd offdiagonal(std::max<Eigen::Index>(n - 1, 0));
    for (Eigen::Index k = 0; k < n; ++k) {
        const RcStage& stage = cauer.Stages[static_cast<std::size_t>(k)];
        const double above = k > 0 ? 1.0 / cauer.Stages[static_cast<std::size_t>(k - 1)].R : 0.0;
        diagonal(k) = (above + 1.0 / stage.R) / stage.C;
        if (k + 1 < n) {
            const double below = cauer.Stages[static_cast<std::size_t>(k + 1)].C;
            offdiagonal(k) = -1.0 / (stage.R * std::sqrt(stage.C * below));
        }
    }
    Eigen::SelfAdjointEigenSolver<MatrixXd> eigen;
    eigen.computeFromTridiagonal(diagonal, offdiagonal, Eigen::ComputeEigenvectors);
    const double firstC = cauer.Stages.front().C;
    for (Eigen::Index i = 0; i < n; ++i) {
        const double weight = eigen.eigenvectors()(0, i) * eigen.eigenvectors()(0, i);
        const double tau = 1.0 / eigen.eigenvalues()(i);
        const double c = firstC / weight;
        result.Network.Stages.push_back({tau / c, c});
    }
    std::sort(result.Network.Stages.begin(), result.Network.Stages.end(),
              [](const RcStage& a, const RcStage& b) { return a.Tau() < b.Tau(); });
    return result;
}

}  // namespace strativex::exact
