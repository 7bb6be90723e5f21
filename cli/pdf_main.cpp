#include <string>
#include <vector>

#include "cli/calc_main.h"
#include "cli/report_writer.h"
#include "exact/retained_memory.h"

using namespace strativex;

// The calculator with the PDF report; strativex-calc hands the runs that ask for one over to it.
int main(int argc, char** argv) {
    exact::RetainFreedMemory();
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return CalcMain(args, argc > 0 ? argv[0] : "", PdfReportWriter);
}
