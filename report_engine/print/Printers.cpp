#include "report_engine/print/Printers.h"

#include "report_engine/print/Printer.h"
#include "report_engine/print/VirtualPrinter.h"

#include <cups/cups.h>

TfrxPrinters::TfrxPrinters(std::vector<std::unique_ptr<TfrxCustomPrinter>> printers, int defaultIndex)
    : FPrinters(std::move(printers)), FHasPhysicalPrinters(!FPrinters.empty()) {
    if (FPrinters.empty())
        FPrinters.push_back(std::make_unique<TfrxVirtualPrinter>());
    for (const auto& printer : FPrinters)
        FNames.append(printer->Name());
    SetPrinterIndex(defaultIndex >= 0 && defaultIndex < static_cast<int>(FPrinters.size()) ? defaultIndex
                                                                                           : 0);
}

void TfrxPrinters::SetPrinterIndex(int index) {
    if (index < 0 || index >= static_cast<int>(FPrinters.size()))
        return;
    FPrinterIndex = index;
    Printer().Init();
}

bool TfrxPrinters::selectByName(const QString& name) {
    for (qsizetype i = 0; i < FNames.size(); ++i)
        if (FNames[i].compare(name, Qt::CaseInsensitive) == 0) {
            SetPrinterIndex(static_cast<int>(i));
            return true;
        }
    return false;
}

TfrxPrinters TfrxPrinters::fromSystem() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<std::unique_ptr<TfrxCustomPrinter>> printers;
    int defaultIndex = 0;
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        if (dest.instance)
            continue;
        if (dest.is_default)
            defaultIndex = static_cast<int>(printers.size());
        const char* uri = cupsGetOption("device-uri", dest.num_options, dest.options);
        printers.push_back(
            std::make_unique<TfrxPrinter>(QString::fromUtf8(dest.name), QString::fromUtf8(uri ? uri : "")));
    }
    cupsFreeDests(count, dests);
    return TfrxPrinters(std::move(printers), defaultIndex);
}

namespace {
std::unique_ptr<TfrxPrinters>& systemPrinters() {
    static std::unique_ptr<TfrxPrinters> printers;
    return printers;
}
} // namespace

TfrxPrinters& frxPrinters() {
    std::unique_ptr<TfrxPrinters>& printers = systemPrinters();
    if (!printers)
        printers = std::make_unique<TfrxPrinters>(TfrxPrinters::fromSystem());
    return *printers;
}

void frxInstallPrinters(TfrxPrinters printers) {
    systemPrinters() = std::make_unique<TfrxPrinters>(std::move(printers));
}
