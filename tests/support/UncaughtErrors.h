#pragma once

class TApplication;

// Every handler shows its own errors; one that leaves an error to the
// application's catch-all has let it unwind through Qt's frames, so the running
// test fails there, naming the error.
void failTestsOnUncaughtErrors(TApplication& application);
