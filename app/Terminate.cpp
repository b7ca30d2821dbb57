#include "app/Terminate.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

TTerminateFunction FTerminate;

} // namespace

void terminateProcess(int exitCode) {
    if (FTerminate) {
        FTerminate(exitCode);
        return;
    }
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

TTerminateFunction setTerminateFunction(TTerminateFunction function) {
    TTerminateFunction previous = std::move(FTerminate);
    FTerminate = std::move(function);
    return previous;
}
