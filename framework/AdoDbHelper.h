#pragma once

class TDataSet;

// The guards a change must pass before it touches a list's dataset. A refusal
// is a database error that only the handler of the user's action catches: the
// action simply ends there with the message shown.
class TAdoDbHelper {
public:
    explicit TAdoDbHelper(TDataSet* table) : tbl(table) {}

    // Refuses "Отсутствуют выделенные записи" when there is no current record.
    bool isSelected() const;
    // Refuses "База данных доступна только для чтения" when the data cannot be written.
    bool isTableWrite() const;

private:
    TDataSet* tbl;
};
