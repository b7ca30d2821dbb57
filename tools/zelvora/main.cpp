#include "app/DatabaseChoice.h"
#include "app/StartUp.h"
#include "ui/Application.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    TStartUp startUp(chosenDatabase(application.arguments()));
    return startUp.run(application);
}
