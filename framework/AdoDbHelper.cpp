#include "framework/AdoDbHelper.h"

#include "data/DataSet.h"
#include "data/Exception.h"

bool TAdoDbHelper::isSelected() const {
    if (tbl->RecNo() == -1) {
        throw EDatabaseError(QStringLiteral("Отсутствуют выделенные записи"));
    }
    return true;
}

bool TAdoDbHelper::isTableWrite() const {
    if (!tbl->CanModify()) {
        throw EDatabaseError(QStringLiteral("База данных доступна только для чтения"));
    }
    return true;
}
