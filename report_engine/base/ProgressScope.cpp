#include "report_engine/base/ProgressScope.h"

#include "report_engine/base/EngineTexts.h"
#include "report_engine/base/EngineUi.h"

TfrxProgressScope::TfrxProgressScope(TfrxEngineUi* ui, TfrxReport& report) : FUi(ui) {
    if (FUi)
        FUi->progressStart(report, frxGet("clProgress"));
}

TfrxProgressScope::~TfrxProgressScope() {
    if (FUi)
        FUi->progressStop();
}

void TfrxProgressScope::page(const char* text, int number) {
    if (FUi)
        FUi->progressText(frxGet(text).replace(QLatin1String("%d"), QString::number(number)));
}
