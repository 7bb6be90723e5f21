#pragma once

#include <functional>

// Runs body in a forked copy of the test, so that a size limit or a change of user stays there.
// The child's exit status, or -1 when it was ended by a signal.
int ExitStatusInChild(const std::function<int()>& body);

// Makes this process an ordinary user, for whom permission bits count; true when it is one.
bool BecomeUnprivileged();
