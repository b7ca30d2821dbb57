#include "AllScreensFixture.h"

TDataSet* AllScreensFixture::open(const TScreenCase& screen) {
    list = screen.Create(*this);
    return screen.DataSet(*this);
}
