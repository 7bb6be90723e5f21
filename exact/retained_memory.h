#pragma once

namespace strativex::exact {

// The 3-D check and the transient allocate and free arrays of megabytes on every run, and the
// live read-out runs the check after every edit. Left to its defaults the C library hands such
// blocks back to the system as they are freed, and the next run pays a page fault for every
// 4 kB it touches again: a tenth of a large check's time. Called once at a program's start,
// before any thread runs, this keeps freed memory in the process for the next run, up to a
// bound. It changes how the whole process allocates, so the engine never calls it itself.
void RetainFreedMemory();

}  // namespace strativex::exact
