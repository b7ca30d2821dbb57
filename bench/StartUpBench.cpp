// Starts the program as its own main() does, on the database given, and prints
// how long it took until the main window was shown and the message loop ready
// for the first input; then opens the sales list as its button does, prints
// how long that took, and ends the process at once. Timed from outside as a
// whole process, the first figure is the user's wait from launching to the
// first click.
#include "BenchClock.h"
#include "app/EntryPoint.h"
#include "app/StartUp.h"
#include "screens/Orders.h"
#include "ui/Application.h"

#include <QTimer>
#include <cstdlib>

int main(int argc, char** argv) {
    TBenchClock clock;
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_startup FILE\n");
        return 1;
    }
    TApplication application(argc, argv);
    TStartUp startUp(QString::fromLocal8Bit(argv[1]));
    if (!startUp.start(application)) {
        std::fprintf(stderr, "bench_startup: the program ended during start-up\n");
        return 1;
    }
    // A zero timer fires once the loop has handled what showing a window queued.
    QTimer::singleShot(0, [&clock] {
        std::printf("ready_s %.3f\npeak_kb %lld\n", clock.lap(),
                    static_cast<long long>(TBenchClock::peakKilobytes()));
        const bool ready = frmEntry && frmEntry->isVisible();
        QTimer::singleShot(0, [&clock, ready] {
            // The list counts as open once its grid is painted.
            frmOrders->repaint();
            std::printf("sales_list_s %.3f\n", clock.lap());
            std::fflush(stdout);
            std::_Exit(ready && frmOrders->isVisible() ? 0 : 1);
        });
        frmOrders->ShowModal();
    });
    return application.exec();
}
