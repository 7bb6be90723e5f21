#include "exact/linear_system.h"

#include <algorithm>

namespace strativex::exact {

LinearSystem AssembleSystem(const Conductances& g) {
    LinearSystem system;
    const std::size_t cells = g.CellCount();
    std::vector<int> unknown(cells, -1);
    for (std::size_t c = 0; c < cells; ++c) {
        if (g.Diagonal[c] > 0.0) {
            unknown[c] = static_cast<int>(system.Cells.size());
            system.Cells.push_back(c);
        }
    }
    const std::size_t stepX = static_cast<std::size_t>(g.Ny) * g.Nz;
    const std::size_t stepY = static_cast<std::size_t>(g.Nz);
    std::vector<Eigen::Triplet<double>> entries;
    entries.reserve(7 * system.Cells.size());
    const auto couple = [&](std::size_t a, std::size_t b, double conductance) {
        if (conductance <= 0.0) return;
        entries.emplace_back(unknown[a], unknown[b], -conductance);
        entries.emplace_back(unknown[b], unknown[a], -conductance);
    };
    for (const std::size_t c : system.Cells) {
        entries.emplace_back(unknown[c], unknown[c], g.Diagonal[c]);
        couple(c, c + stepX, g.Gx[c]);
        couple(c, c + stepY, g.Gy[c]);
        couple(c, c + 1, g.Gz[c]);
    }
    const auto n = static_cast<Eigen::Index>(system.Cells.size());
    system.Matrix.resize(n, n);
    system.Matrix.setFromTriplets(entries.begin(), entries.end());
    return system;
}

void RefreshSystem(const Conductances& g, LinearSystem& system) {
    const std::size_t stepX = static_cast<std::size_t>(g.Ny) * g.Nz;
    const std::size_t stepY = static_cast<std::size_t>(g.Nz);
    // The conductance between two cells is stored with the one nearer the origin.
    const auto between = [&](std::size_t a, std::size_t b) {
        const std::size_t first = std::min(a, b);
        const std::size_t step = std::max(a, b) - first;
        if (step == stepX) return g.Gx[first];
        if (step == stepY) return g.Gy[first];
        return g.Gz[first];
    };
    Eigen::SparseMatrix<double>& matrix = system.Matrix;
    for (Eigen::Index column = 0; column < matrix.outerSize(); ++column) {
        const std::size_t c = system.Cells[static_cast<std::size_t>(column)];
        for (Eigen::SparseMatrix<double>::InnerIterator entry(matrix, column); entry; ++entry) {
            const std::size_t d = system.Cells[static_cast<std::size_t>(entry.row())];
            entry.valueRef() = d == c ? g.Diagonal[c] : -between(c, d);
        }
    }
}

Eigen::VectorXd Gather(const LinearSystem& system, const std::vector<double>& gridValues) {
    Eigen::VectorXd values(static_cast<Eigen::Index>(system.Cells.size()));
    for (std::size_t u = 0; u < system.Cells.size(); ++u) {
        values(static_cast<Eigen::Index>(u)) = gridValues[system.Cells[u]];
    }
    return values;
}

void Scatter(const LinearSystem& system, const Eigen::VectorXd& values,
             std::vector<double>& gridValues) {
    for (std::size_t u = 0; u < system.Cells.size(); ++u) {
        gridValues[system.Cells[u]] = values(static_cast<Eigen::Index>(u));
    }
}

}  // namespace strativex::exact
