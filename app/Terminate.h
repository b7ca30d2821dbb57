#pragma once

#include <functional>

// Ends the process at once with the exit code, without any teardown: no
// window, data module or connection is released. Output buffers are flushed
// first so that nothing already written is lost.
void terminateProcess(int exitCode);

// Replaces what terminateProcess does (tests observe the exit code instead of
// dying) and returns the function used before; an empty function puts back the
// real ending. When the replacement returns, so does terminateProcess, and the
// caller stops what it was doing.
using TTerminateFunction = std::function<void(int)>;
TTerminateFunction setTerminateFunction(TTerminateFunction function);
