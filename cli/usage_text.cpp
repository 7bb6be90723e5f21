#include "cli/usage_text.h"

#include <string>
#include <vector>

#include "cli/wrapped_text.h"
#include "core/quantity.h"

namespace strativex {
namespace {

// The options' explanations start in this column and keep within this width.
constexpr int kExplanationIndent = 19;
constexpr int kTextWidth = 88;

// The forms of the command, shown alike after a usage error and atop --help.
constexpr std::string_view kSynopsis =
    "usage: strativex-calc [--materials DIR] [--prefs FILE] [--format table|json|csv] [--exact]\n"
    "                      [--base-h W_PER_M2K | --sink-r K_PER_W]\n"
    "                      [--sources NXxNY --pitch PX,PY]\n"
    "                      [--transient [--stages N] [--spice OUT.cir]] MODEL.mdl...\n"
    "       strativex-calc [--materials DIR] [--prefs FILE] [--exact] [--transient]\n"
    "                      --report-pdf OUT.pdf MODEL.mdl\n"
    "       strativex-calc [--materials DIR] [--format FORMAT] --sweep QUANTITY=FROM:TO:STEPS\n"
    "                      [--layer N] [--log] MODEL.mdl\n";

constexpr std::string_view kHelpReminder = "       strativex-calc --help\n";

constexpr std::string_view kBeforeSweep =
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
    "                     of numbers: \"material?\" (it has no material, or one that is not\n"
    "                     in the table),\n"
    "                     \"no result\" (its temperature did not settle), \"invalid\" (an input\n"
    "                     no package can have, named under the table), \"n/a\" (it depends on\n"
    "                     a layer without a result); the total is then \"n/a\" as well.\n"
    "                   json: an array with one object per model that loaded: file,\n"
    "                     model_name, units (\"mm\" or \"in\"), power_w, isothermal_temp_c,\n"
    "                     device_width, device_length, heat_source_temp_c,\n"
    "                     total_resistance_c_per_w, status, invalid_input,\n"
    "                     invalid_input_layer, warnings, comments and layers (index,\n"
    "                     description,\n"
    "                     material_id, material, thickness, width, length, spread_angle_deg,\n"
    "                     area, resistance_c_per_w, top_temp_k, top_temp_c, status,\n"
    "                     invalid_input). Stored values read back to the same 32-bit float,\n"
    "                     and a temperature in C to the same kelvin value; a result that does\n"
    "                     not exist is null. Status is \"ok\", \"missing_material\",\n"
    "                     \"no_convergence\", \"invalid_input\" or, for a layer that depends on\n"
    "                     one without a result, \"depends_on_failed_layer\"; a model's status\n"
    "                     names the failed layer's, or is \"no_layers\" for a model without\n"
    "                     layers. warnings lists the values the program's fields would\n"
    "                     refuse (field, layer: 0 for the whole model, value, accepted_min,\n"
    "                     accepted_max, message); they are calculated as the file holds them.\n"
    "                     invalid_input names the field: power,\n"
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
    "  --sweep QUANTITY=FROM:TO:STEPS\n";

// After the sweep's paragraph, which names the quantities it takes.
constexpr std::string_view kAfterSweep =
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
    "                   takes from a few hundredths of a second to about a second; more\n"
    "                   layers, thin layers under a large plate and a small source on a\n"
    "                   large plate make the grid finer and the check slower. A check that\n"
    "                   runs longer than a second shows its progress on a terminal's\n"
    "                   standard error. A check the machine has no memory for is not\n"
    "                   available, and the estimate is printed all the same.\n"
    "                   json: an \"exact\" object per model: status (\"ok\",\n"
    "                     \"not_available\" or \"not_converged\"), reason and reason_layer\n"
    "                     (0 = the heat source) when it has no result, avg_source_temp_c,\n"
    "                     peak_source_temp_c, avg_resistance_c_per_w,\n"
    "                     peak_resistance_c_per_w, avg_error_k, peak_error_k and\n"
    "                     avg_error_percent (the estimated discretisation error, from\n"
    "                     three grids), error_order (the order of convergence they show) and\n"
    "                     error_bound_conservative (true where they show no steady order\n"
    "                     and the error is a conservative bound),\n"
    "                     estimate_source_temp_c, estimate_error_percent (the estimate's\n"
    "                     rise against the 3-D average's; negative: optimistic),\n"
    "                     equivalent_angle_deg (the one spreading angle that, given to every\n"
    "                     layer, reproduces the 3-D average; null where none does), cells,\n"
    "                     iterations, seconds, source_clipped (true: the device is larger\n"
    "                     than layer 1, and only where they meet is heated in 3-D, while\n"
    "                     the estimate takes the whole device) and layers (index,\n"
    "                     top_temp_c: the mean over\n"
    "                     the area the record above touches, top_error_k). Values the\n"
    "                     check did not give are null.\n"
    "                   csv: the same values in columns named exact_ and the name, after\n"
    "                     the others (exact_top_temp_c, exact_top_error_k of the line's\n"
    "                     layer). table: lines under each model's summary. With\n"
    "                     --report-pdf, the report's details page shows the check and its\n"
    "                     cross-section map.\n"
    "  --base-h W_PER_M2K  the 3-D check (implies --exact) with the bottom face cooled by a\n"
    "                   heat transfer coefficient to the isothermal temperature instead of\n"
    "                   held at it. The bottom layer needs a width and a length.\n"
    "  --sink-r K_PER_W  the same with a heat sink of this resistance spread evenly over the\n"
    "                   bottom face (h = 1 / (R * bottom area)); one of the two at most.\n"
    "                   The estimate knows only the isothermal base: the check shows it\n"
    "                   with the sink added in series (estimate_with_sink_temp_c), and the\n"
    "                   estimate's error and the equivalent angle are those of that sum.\n"
    "                   json: a \"base\" object in \"exact\": kind (\"isothermal\",\n"
    "                     \"heat_transfer\" or \"sink_resistance\"), h_w_per_m2k and\n"
    "                     sink_r_k_per_w (the one given, and the other derived from it);\n"
    "                     csv: columns exact_base_kind, exact_base_h_w_per_m2k and\n"
    "                     exact_base_sink_r_k_per_w.\n"
    "  --sources NXxNY  the 3-D check (implies --exact) with NX x NY copies of the device\n"
    "                   (1 to 32 along each axis), centred on the stack, sharing the\n"
    "  --pitch PX,PY    model's power equally, their centres PX apart along the width and\n"
    "                   PY along the length (the model's unit); one needs the other. A\n"
    "                   pitch smaller than the device or an array larger than layer 1 is\n"
    "                   refused (exit status 2). The source temperatures are then the\n"
    "                   hottest source's, and the coupling is its average rise over that of\n"
    "                   one source alone at the same power per source, from a second 3-D\n"
    "                   check. The estimate knows one source and is not compared.\n"
    "                   json: in \"exact\", \"array\" (count_x, count_y, pitch_x, pitch_y),\n"
    "                     \"hottest\" (x, y, average_c, peak_c, coupling) and \"sources\",\n"
    "                     one object per source (x, y, average_c, peak_c; a single device\n"
    "                     is the one at 0, 0); csv: columns exact_array_ and\n"
    "                     exact_hottest_ and the name; table: a line per source.\n"
    "  --transient      also each model's thermal impedance: the power switched on at t = 0\n"
    "                   with everything at the base temperature, in the stack, source and\n"
    "                   base of the 3-D check (--base-h and --sink-r apply), with each\n"
    "                   material's density and specific heat from matheat.csv in the\n"
    "                   materials folder (constant in temperature), perfect contacts and\n"
    "                   K(T) held at its steady value under the model's power. Zth is the\n"
    "                   rise of the heat source above the base per watt, averaged over the\n"
    "                   source and at its peak, from 1 us until within 0.1 % of steady. A\n"
    "                   Foster network is fitted to the peak curve, and the equivalent\n"
    "                   Cauer ladder and its cumulative structure function (heat capacity\n"
    "                   reached against resistance passed, from the junction) follow. A\n"
    "                   model takes seconds. A layer whose material has no row in\n"
    "                   matheat.csv makes the transient not available (exit status 2),\n"
    "                   naming the layer, the material and the file; a matheat.csv with\n"
    "                   a row that cannot be read stops the run (exit status 2), naming\n"
    "                   its line and field.\n"
    "                   json: a \"transient\" object per model: status (\"ok\",\n"
    "                     \"not_available\", \"not_converged\" or \"no_network\"), reason,\n"
    "                     stages, fit_error_pct (the Foster curve's largest distance from\n"
    "                     the computed one, in % of Zth at steady state), curve_error_pct\n"
    "                     (the estimated discretisation error of the curve), seconds,\n"
    "                     time_s, zth_avg_k_per_w and zth_peak_k_per_w (arrays of equal\n"
    "                     length), foster (r_k_per_w, c_j_per_k, tau_s per stage), cauer\n"
    "                     (r_k_per_w, c_j_per_k per rung, junction first) and\n"
    "                     structure_function (r_k_per_w and c_j_per_k, cumulative).\n"
    "                   csv: columns transient_status, transient_reason,\n"
    "                     transient_stages, transient_fit_error_pct and transient_seconds\n"
    "                     on every line; after the layers' lines an empty line and a second\n"
    "                     table: file, series (zth, foster, cauer or structure_function),\n"
    "                     index, time_s, zth_avg_k_per_w, zth_peak_k_per_w, r_k_per_w,\n"
    "                     c_j_per_k and tau_s, each line filling the columns of its series.\n"
    "                   table: the Zth at each decade of time and the two networks. With\n"
    "                   --report-pdf, the report's details page shows the transient: Zth\n"
    "                   at steady state, the network table and the Zth curve.\n"
    "  --stages N       the Foster network's number of stages, 1 to 12. Default: the fewest\n"
    "                   whose fit error is under 1 % of Zth at steady state. Stages whose\n"
    "                   time constants come within a factor 1.5 are merged, so the network\n"
    "                   may have fewer.\n"
    "  --spice OUT.cir  also writes the Foster and Cauer networks of the one model as\n"
    "                   circuit simulator subcircuits MODEL_foster and MODEL_cauer with the\n"
    "                   pins junction and base: feed the dissipated power as a current into\n"
    "                   junction and tie base to a voltage source at the base temperature;\n"
    "                   the junction's voltage is then its temperature. OUT.cir may not be\n"
    "                   a file this run reads.\n"
    "  --help           this text.\n"
    "\n"
    "Lengths are in the model's own unit (mm or in), areas in that unit squared, temperatures\n"
    "in degrees C (top_temp_k in kelvin), resistances in C/W. Text from the model files\n"
    "(Windows-1252) is written as UTF-8. A layer whose material id is not in the materials\n"
    "table, or is 0 or below, is read without material, as the program does, with a\n"
    "warning, and has no result. A value outside the range the program's fields accept is\n"
    "calculated as the file holds it, with a warning. A line of the custom materials file\n"
    "that holds no usable material (a bad number, an id already in use) is skipped with a\n"
    "warning.\n"
    "\n"
    "Exit status:\n"
    "  0  every model loaded and every layer has a result\n"
    "  1  the preferences, the materials or a model file could not be read (the other\n"
    "     models are still processed and printed), or the report could not be written\n"
    "  2  usage error, or with --transient a matheat.csv that cannot be read or a layer's\n"
    "     material without a heat capacity\n"
    "  3  a model has no layers or a layer without a result (an invalid input or a\n"
    "     missing material among them), whichever model it is, a sweep a\n"
    "     point without one, or the 3-D check (--exact) of a model is not available or does\n"
    "     not converge, or the transient (--transient) of a model has no networks (1 and 2\n"
    "     take precedence)\n";

// The unit a swept value is given in on the command line.
std::string SweepUnitNote(const QuantityDescriptor& quantity) {
    std::string note;
    switch (quantity.Unit) {
        case UnitFamily::Power:
            note = "W";
            break;
        case UnitFamily::Temperature:
            note = "C";
            break;
        case UnitFamily::Length:
            note = "the model's unit";
            break;
        case UnitFamily::Angle:
            note = "degrees";
            break;
        case UnitFamily::MaterialId:
            return "=ID,ID,... (ids of the materials table in place of FROM:TO:STEPS)";
    }
    if (quantity.ZeroMeansNoLimit) note += "; 0: no limit";
    return " (" + note + ")";
}

// Neighbours given alike share their note: "device_width or device_length (the model's unit)".
std::vector<std::string> SweepChoices(bool ofLayer) {
    std::vector<std::string> choices;
    std::string keys;
    std::string note;
    for (const QuantityDescriptor& quantity : Quantities()) {
        if (!quantity.Sweepable || quantity.OfLayer != ofLayer) continue;
        const std::string next = SweepUnitNote(quantity);
        if (!keys.empty() && next != note) {
            choices.push_back(keys + note);
            keys.clear();
        }
        keys += (keys.empty() ? "" : " or ") + std::string(quantity.Key);
        note = next;
    }
    if (!keys.empty()) choices.push_back(keys + note);
    return choices;
}

std::string Joined(const std::vector<std::string>& items, std::string_view last) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? last : ", ";
        text += items[i];
    }
    return text;
}

std::string SweepParagraph() {
    return "instead of the results, the model recalculated at STEPS values of one quantity from "
           "FROM to TO, both included (STEPS 2 to 10000); the model file is not changed. "
           "QUANTITY is " +
           Joined(SweepChoices(false), ", ") + " or, of the layer --layer N names, " +
           Joined(SweepChoices(true), " or ") +
           ". Every value must be one the program accepts in that field.";
}

}  // namespace

std::string_view UsageText() {
    static const std::string text = std::string(kSynopsis) + std::string(kHelpReminder);
    return text;
}

std::string_view HelpText() {
    static const std::string text = std::string(kSynopsis) + std::string(kBeforeSweep) +
                                    WrappedText(SweepParagraph(), kExplanationIndent, kTextWidth) +
                                    std::string(kAfterSweep);
    return text;
}

}  // namespace strativex
