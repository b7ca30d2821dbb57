#include "tests/support/UncaughtErrors.h"

#include "ui/Application.h"

#include <gtest/gtest.h>

void failTestsOnUncaughtErrors(TApplication& application) {
    application.OnUncaughtError = [](const std::exception& error) {
        ADD_FAILURE() << "An error reached the application's catch-all through Qt's frames: " << error.what();
    };
}
