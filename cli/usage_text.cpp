#include "cli/usage_text.h"

#include <string>

namespace strativex {
namespace {

// The forms of the command, shown alike after a usage error and atop --help.
constexpr std::string_view kSynopsis =
    "usage: strativex-calc [--materials DIR] [--prefs FILE] [--format table|json|csv] [--exact]\n"
    "                      MODEL.mdl...\n"
    "       strativex-calc [--materials DIR] [--prefs FILE] [--exact] --report-pdf OUT.pdf\n"
    "                      MODEL.mdl\n"
    "       strativex-calc [--materials DIR] [--format FORMAT] --sweep QUANTITY=FROM:TO:STEPS\n"
    "                      [--layer N] [--log] MODEL.mdl\n";

constexpr std::string_view kHelpReminder = "       strativex-calc --help\n";

constexpr std::string_view kExplanation =
    "\n"
    "Reads each model file, computes the thermal resistance and the top temperature of every\n"
    "layer and the temperature of the heat source, and prints the results. It finds your files\n"
    "where the program does: your prefs.txt, and the Materials folder it names.\n"
    "\n"
    "Options:\n"
    "  --materials DIR  folder with the standard materials file matprops.dat and, when it is\n"
    "                   there, the custom materials file matcust.dat, of which the first 20\n"
    "                   are used, as the program does at start-up (a warning counts the rest).\n"
    "                   Default: the materials folder of your preferences.\n"
    "  --prefs FILE     the prefs.txt to use. Default: the one the program uses. It gives the\n"
    "                   materials folder, and the report's header and its digits.\n"
    "  --format FORMAT  table (default): one results table per model, as the program shows\n"
    "                     it, with two decimals. A layer without a result shows why instead\n"
    "                     of numbers: \"material?\" (its material is not in the table),\n"
    "                     \"no result\" (its temperature did not settle), \"invalid\" (an input\n"
    "                     no package can have, named under the table), \"n/a\" (it depends on\n"
    "                     a layer without a result); the total is then \"n/a\" as well.\n"
    "                   json: an array with one object per model that loaded: file,\n"
    "                     model_name, units (\"mm\" or \"in\"), power_w, isothermal_temp_c,\n"
    "                     device_width, device_length, heat_source_temp_c,\n"
    "                     total_resistance_c_per_w, status, invalid_input,\n"
    "                     invalid_input_layer, comments and layers (index, description,\n"
    "                     material_id, material, thickness, width, length, spread_angle_deg,\n"
    "                     area, resistance_c_per_w, top_temp_k, top_temp_c, status,\n"
    "                     invalid_input). Stored values read back to the same 32-bit float,\n"
    "                     and a temperature in C to the same kelvin value; a result that does\n"
    "                     not exist is null. Status is \"ok\", \"missing_material\",\n"
    "                     \"no_convergence\", \"invalid_input\" or, for a layer that depends on\n"
    "                     one without a result, \"depends_on_failed_layer\"; a model's status\n"
    "                     names the failed layer's. invalid_input names the field: power,\n"
    "                     isothermal_temp, device_size (layer 0: the whole model), thickness,\n"
    "                     spread_angle, conductivity or footprint.\n"
    "                   csv: a header line and one line per layer (one for a model without\n"
    "                     layers) with the same values, the model's first (RFC 4180: CR LF,\n"
    "                     quotes where needed).\n"
    "  --report-pdf OUT.pdf\n"
    "                   also writes the report of the model to OUT.pdf, as File > Export\n"
    "                   PDF... does: the page the program prints and the page of calculation\n"
    "                   details (A4, or Letter where the locale measures in inches).\n"
    "                   Needs no display. OUT.pdf may not be a file this run reads.\n"
    "  --sweep QUANTITY=FROM:TO:STEPS\n"
    "                   instead of the results, the model recalculated at STEPS values of\n"
    "                   one quantity from FROM to TO, both included (STEPS 2 to 10000); the\n"
    "                   model file is not changed. QUANTITY is power (W), isothermal (C),\n"
    "                   device_width or device_length (the model's unit) or, of the layer\n"
    "                   --layer N names, thickness, width, length (0: no limit), angle\n"
    "                   (degrees) or material=ID,ID,... (ids of the materials table in\n"
    "                   place of FROM:TO:STEPS). Every value must be one the program\n"
    "                   accepts in that field.\n"
    "                   table: one row per point with the swept value, the heat source\n"
    "                     temperature, the total resistance, the status and each layer's\n"
    "                     top temperature. csv: the same, one line per point, in the\n"
    "                     columns point, the swept value (named with its unit, such as\n"
    "                     power_w or layer_2_thickness_mm; a material sweep adds\n"
    "                     layer_N_material), heat_source_temp_c, total_resistance_c_per_w,\n"
    "                     status, failed_layer and layer_N_top_temp_c. json: one object\n"
    "                     with file, model_name, units, quantity, layer, spacing,\n"
    "                     swept_column, model_value and points, one object per point\n"
    "                     keyed by the csv column names. A point without a result has null\n"
    "                     (json) or empty (csv) values; its status and failed_layer say why.\n"
    "  --layer N        the layer (1 = under the heat source) whose quantity is swept.\n"
    "  --log            steps at a constant ratio instead of a constant difference (FROM\n"
    "                   and TO above 0).\n"
    "  --exact          also the 3-D check of each model: the steady conduction in the\n"
    "                   stack solved in three dimensions (K = A * T^B at the local\n"
    "                   temperature, uniform flux over the device, isothermal bottom, all\n"
    "                   other faces adiabatic), beside the spreading-angle estimate. A model\n"
    "                   takes from a few hundredths of a second to about a second.\n"
    "                   json: an \"exact\" object per model: status (\"ok\",\n"
    "                     \"not_available\" or \"not_converged\"), reason and reason_layer\n"
    "                     (0 = the heat source) when it has no result, avg_source_temp_c,\n"
    "                     peak_source_temp_c, avg_resistance_c_per_w,\n"
    "                     peak_resistance_c_per_w, avg_error_k, peak_error_k and\n"
    "                     avg_error_percent (the estimated discretisation error),\n"
    "                     estimate_source_temp_c, estimate_error_percent (the estimate's\n"
    "                     rise against the 3-D average's; negative: optimistic),\n"
    "                     equivalent_angle_deg (the one spreading angle that, given to every\n"
    "                     layer, reproduces the 3-D average; null where none does), cells,\n"
    "                     iterations, seconds and layers (index, top_temp_c: the mean over\n"
    "                     the area the record above touches, top_error_k). Values the\n"
    "                     check did not give are null.\n"
    "                   csv: the same values in columns named exact_ and the name, after\n"
    "                     the others (exact_top_temp_c, exact_top_error_k of the line's\n"
    "                     layer). table: lines under each model's summary. With\n"
    "                     --report-pdf, the report's details page shows the check and its\n"
    "                     cross-section map.\n"
    "  --help           this text.\n"
    "\n"
    "Lengths are in the model's own unit (mm or in), areas in that unit squared, temperatures\n"
    "in degrees C (top_temp_k in kelvin), resistances in C/W. Text from the model files\n"
    "(Windows-1252) is written as UTF-8. A layer whose material id is not in the materials\n"
    "table is read without material, as the program does, with a warning.\n"
    "\n"
    "Exit status:\n"
    "  0  every model loaded and every layer has a result\n"
    "  1  the preferences, the materials or a model file could not be read (the other\n"
    "     models are still processed and printed), or the report could not be written\n"
    "  2  usage error\n"
    "  3  a model has a layer without a result (an invalid input among them), a sweep a\n"
    "     point without one, or the 3-D check (--exact) of a model is not available or does\n"
    "     not converge (1 takes\n"
    "     precedence)\n";

}  // namespace

std::string_view UsageText() {
    static const std::string text = std::string(kSynopsis) + std::string(kHelpReminder);
    return text;
}

std::string_view HelpText() {
    static const std::string text = std::string(kSynopsis) + std::string(kExplanation);
    return text;
}

}  // namespace strativex
