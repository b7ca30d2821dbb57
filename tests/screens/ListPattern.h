#pragma once

#include "AllScreensFixture.h"

// The shared behaviour of every list window and its edit window.
class ListPattern : public AllScreensFixture, public ::testing::WithParamInterface<TScreenCase> {
public:
    void SetUp() override;

    const TScreenCase& screen() const { return GetParam(); }
    QString lastStored(const QString& expression);

    TDataSet* ds = nullptr;
};

// The form checks of one edit window, case by case.
class FormCheck : public AllScreensFixture, public ::testing::WithParamInterface<TCheckCase> {};
