#include "cli/usage_text.h"

namespace strativex {
namespace {

constexpr std::string_view kUsage =
    "usage: strativex-calc [--materials DIR] [--prefs FILE] [--format table|json|csv] "
    "MODEL.mdl...\n"
    "       strativex-calc [--materials DIR] [--prefs FILE] --report-pdf OUT.pdf MODEL.mdl\n"
    "       strativex-calc --help\n";

constexpr std::string_view kHelp =
    "usage: strativex-calc [--materials DIR] [--prefs FILE] [--format table|json|csv] "
    "MODEL.mdl...\n"
    "       strativex-calc [--materials DIR] [--prefs FILE] --report-pdf OUT.pdf MODEL.mdl\n"
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
    "                   also writes the one-page report of the model, exactly as the\n"
    "                   program prints it, to OUT.pdf (A4, or Letter where the locale\n"
    "                   measures in inches). Needs no display. OUT.pdf may not be a file\n"
    "                   this run reads.\n"
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
    "  3  a model has a layer without a result, an invalid input among them (1 takes\n"
    "     precedence)\n";

}  // namespace

std::string_view UsageText() {
    return kUsage;
}

std::string_view HelpText() {
    return kHelp;
}

}  // namespace strativex
