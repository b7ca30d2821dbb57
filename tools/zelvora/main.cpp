#include "app/StartUp.h"
#include "ui/Application.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    TStartUp startUp;
    return startUp.run(application);
}
