#include "exact/linear_system.h"

namespace strativex::exact {
namespace {

// The diagonal and a neighbour on each side along three axes.
constexpr int kMostEntriesPerColumn = 7;

}  // namespace

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
    const auto n = static_cast<Eigen::Index>(system.Cells.size());
    system.Matrix.resize(n, n);
    system.Matrix.reserve(Eigen::VectorXi::Constant(n, kMostEntriesPerColumn));
    // Unknowns follow the grid's order, so a column's neighbours below and above it in that
    // order come out sorted and every entry is appended at the end of its column, which spares
    // collecting and sorting triplets.
    const auto couple = [&](std::size_t c, std::size_t neighbour, double conductance) {
        if (conductance > 0.0) system.Matrix.insert(unknown[neighbour], unknown[c]) = -conductance;
    };
    for (const std::size_t c : system.Cells) {
        if (c >= stepX) couple(c, c - stepX, g.Gx[c - stepX]);
        if (c >= stepY) couple(c, c - stepY, g.Gy[c - stepY]);
        if (c >= 1) couple(c, c - 1, g.Gz[c - 1]);
        system.Matrix.insert(unknown[c], unknown[c]) = g.Diagonal[c];
        couple(c, c + 1, g.Gz[c]);
        couple(c, c + stepY, g.Gy[c]);
        couple(c, c + stepX, g.Gx[c]);
    }
    system.Matrix.makeCompressed();
    return system;
}

Eigen::VectorXd Gather(const LinearSystem& system, std::span<const double> gridValues) {
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
