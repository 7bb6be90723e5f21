#pragma once

#include "tools/helpdocs/help_source.h"

namespace strativex::helpdocs {

// Replaces each line "<!-- generated: NAME -->" of a help text with what NAME is made from in
// the program's own tables ("field-ranges": the fields and their ranges), so that the help
// cannot drift from what the program accepts. An unknown NAME is an error that names it.
HelpSource ExpandGenerated(const HelpSource& source);

}  // namespace strativex::helpdocs
