#include "cli/usage_text.h"

namespace strativex {
namespace {

constexpr std::string_view kUsage =
    "usage: strativex-calc [--materials DIR] [--format table|json|csv] MODEL.mdl...\n"
    "       strativex-calc [--materials DIR] --report-pdf OUT.pdf [--prefs FILE] MODEL.mdl\n"
    "       strativex-calc [--materials DIR] [--format FORMAT] --sweep QUANTITY=FROM:TO:STEPS\n"
    "                      [--layer N] [--log] MODEL.mdl\n"
    "       strativex-calc --help\n";

constexpr std::string_view kHelp =
    "usage: strativex-calc [--materials DIR] [--format table|json|csv] MODEL.mdl...\n"
    "       strativex-calc [--materials DIR] --report-pdf OUT.pdf [--prefs FILE] MODEL.mdl\n"
    "       strativex-calc [--materials DIR] [--format FORMAT] --sweep QUANTITY=FROM:TO:STEPS\n"
    "                      [--layer N] [--log] MODEL.mdl\n"
    "\n"
    "Reads each model file, computes the thermal resistance and the top temperature of every\n"
    "layer and the temperature of the heat source, and prints the results.\n"
    "\n"
    "Options:\n"
    "  --materials DIR  folder with the standard materials file matprops.dat and, when it is\n"
    "                   there, the custom materials file matcust.dat (read in full).\n"
    "                   Default: the Materials folder beside this program.\n"
    "  --format FORMAT  table (default): one results table per model, as the program shows\n"
    "                     it, with two decimals. A layer without a result shows why instead\n"
    "                     of numbers: \"material?\" (its material is not in the table),\n"
    "                     \"no result\" (its temperature did not settle), \"n/a\" (a layer\n"
    "                     below it has no result); the total is then \"n/a\" as well.\n"
    "                   json: an array with one object per model that loaded: file,\n"
    "                     model_name, units (\"mm\" or \"in\"), power_w, isothermal_temp_c,\n"
    "                     device_width, device_length, heat_source_temp_c,\n"
    "                     total_resistance_c_per_w, status, comments and layers (index,\n"
    "                     description, material_id, material, thickness, width, length,\n"
    "                     spread_angle_deg, area, resistance_c_per_w, top_temp_k, top_temp_c,\n"
    "                     status). Stored values read back to the same 32-bit float; a result\n"
    "                     that does not exist is null. Status is \"ok\", \"missing_material\",\n"
    "                     \"no_convergence\" or, for a layer above a failed one,\n"
    "                     \"depends_on_failed_layer\"; a model's status names the failed layer's.\n"
    "                   csv: a header line and one line per layer with the same values, the\n"
    "                     file in the first column (RFC 4180: CR LF, quotes where needed).\n"
    "  --report-pdf OUT.pdf\n"
    "                   also writes the one-page report of the model, exactly as the\n"
    "                   program prints it, to OUT.pdf (A4, or Letter where the locale\n"
    "                   measures in inches). Needs no display.\n"
    "  --prefs FILE     the prefs.txt whose user information heads the report. Default: the\n"
    "                   prefs.txt beside this program, when there is one.\n"
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
    "  --help           this text.\n"
    "\n"
    "Lengths are in the model's own unit (mm or in), areas in that unit squared, temperatures\n"
    "in degrees C (top_temp_k in kelvin), resistances in C/W. Text from the model files\n"
    "(Windows-1252) is written as UTF-8. A layer whose material id is not in the materials\n"
    "table is read without material, as the program does, with a warning.\n"
    "\n"
    "Exit status:\n"
    "  0  every model loaded and every layer has a result\n"
    "  1  the materials or a model file could not be read (the other models are still\n"
    "     processed and printed), or the report could not be written\n"
    "  2  usage error\n"
    "  3  a model has a layer without a result, or a sweep a point without one (1 takes\n"
    "     precedence)\n";

}  // namespace

std::string_view UsageText() {
    return kUsage;
}

std::string_view HelpText() {
    return kHelp;
}

}  // namespace strativex
