#include <string>
#include <vector>

#include "cli/calc_main.h"
#include "cli/pdf_handover.h"
#include "exact/retained_memory.h"

using namespace strativex;

// The calculator without the PDF report's drawing libraries, whose loading would take most of
// a short run: a run that asks for a report becomes the PDF calculator.
int main(int argc, char** argv) {
    exact::RetainFreedMemory();
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return CalcMain(args, argc > 0 ? argv[0] : "",
                    [argv](const CalcOptions&) { return HandOverToPdfCalculator(argv); });
}
