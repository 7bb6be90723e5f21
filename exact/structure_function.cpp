#include "exact/structure_function.h"

namespace strativex::exact {

StructureFunction ComputeStructureFunction(const CauerNetwork& ladder) {
    StructureFunction function;
    double r = 0.0;
    double c = 0.0;
    double above = 0.0;
    for (const RcStage& stage : ladder.Stages) {
        function.DerivativeR.push_back(r);
        function.Derivative.push_back(stage.C / (0.5 * (above + stage.R)));
        above = stage.R;
        r += stage.R;
        c += stage.C;
        function.CumulativeR.push_back(r);
        function.CumulativeC.push_back(c);
    }
    return function;
}

}  // namespace strativex::exact
