#include "exact/spice_subcircuit.h"

#include <cctype>
#include <cstdio>

namespace strativex::exact {
namespace {

// Nine significant digits: more than any fit carries, and every simulator reads the form.
std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9e", value);
    return text;
}

std::string Node(std::size_t k, std::size_t count, bool lastIsBase) {
    if (k == 0) return "junction";
    if (k == count && lastIsBase) return "base";
    return "n" + std::to_string(k);
}

std::string Header(const char* kind, const std::string& name, std::size_t stages) {
    return "* " + std::string(kind) + " thermal network, " + std::to_string(stages) +
           " stages: current = power (W), voltage = temperature rise (K)\n"
           "* R in K/W, C in J/K\n"
           ".subckt " +
           name + " junction base\n";
}

}  // namespace

std::string SubcircuitName(const std::string& wanted) {
    std::string name;
    for (const char c : wanted) {
        const auto byte = static_cast<unsigned char>(c);
        name += std::isalnum(byte) != 0 && byte < 128 ? c : '_';
    }
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])) != 0) {
        name.insert(0, "zth_");
    }
    return name;
}

std::string FosterSubcircuit(const FosterNetwork& network, const std::string& name) {
    const std::string subcircuit = SubcircuitName(name);
    const std::size_t count = network.Stages.size();
    std::string text = Header("Foster", subcircuit, count);
    for (std::size_t k = 0; k < count; ++k) {
        const std::string from = Node(k, count, true);
        const std::string to = Node(k + 1, count, true);
        const std::string index = std::to_string(k + 1);
        text += "R" + index + " " + from + " " + to + " " + Number(network.Stages[k].R) + "\n";
        text += "C" + index + " " + from + " " + to + " " + Number(network.Stages[k].C) + "\n";
    }
    return text + ".ends " + subcircuit + "\n";
}

std::string CauerSubcircuit(const CauerNetwork& network, const std::string& name) {
    const std::string subcircuit = SubcircuitName(name);
    const std::size_t count = network.Stages.size();
    std::string text = Header("Cauer", subcircuit, count);
    for (std::size_t k = 0; k < count; ++k) {
        const std::string node = Node(k, count, true);
        const std::string next = Node(k + 1, count, true);
        const std::string index = std::to_string(k + 1);
        text += "C" + index + " " + node + " base " + Number(network.Stages[k].C) + "\n";
        text += "R" + index + " " + node + " " + next + " " + Number(network.Stages[k].R) + "\n";
    }
    return text + ".ends " + subcircuit + "\n";
}

}  // namespace strativex::exact
