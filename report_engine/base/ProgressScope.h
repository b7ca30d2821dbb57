#pragma once

class TfrxEngineUi;
class TfrxReport;

// The progress window of a print or an export, up while the work goes on,
// however it ends; nothing without a screen.
class TfrxProgressScope {
public:
    TfrxProgressScope(TfrxEngineUi* ui, TfrxReport& report);
    ~TfrxProgressScope();
    TfrxProgressScope(const TfrxProgressScope&) = delete;
    TfrxProgressScope& operator=(const TfrxProgressScope&) = delete;
    // One of the engine's texts with "%d", shown for this page number.
    void page(const char* text, int number);

private:
    TfrxEngineUi* FUi;
};
