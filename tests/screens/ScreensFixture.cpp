#include "ScreensFixture.h"

#include "ui/DBLookupComboBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaObject>

void ScreensFixture::SetUp() {
    db.Exec({
        QStringLiteral("INSERT INTO tblSotrudnik (id, fam, names, subname, phones, addr, stage) VALUES "
                       "(1, 'Петров', 'Пётр', 'Петрович', '+7900', 'Тверь', 12), "
                       "(2, 'Аксенов', 'Иван', 'Антонович', '', '', 3), "
                       "(3, 'Сидоров', 'Олег', 'Ильич', '', '', 20)"),
        QStringLiteral(
            "INSERT INTO tblCard (id, names, percent) VALUES (1, 'Эконом', '0'), (2, 'Бизнес', '50')"),
        QStringLiteral("INSERT INTO tblRoute (id, airStart, airTarget, price, times) VALUES "
                       "(1, 'Москва', 'Сочи', 4500, 150), (2, 'Казань', 'Омск', 1234.5, 90), "
                       "(5, 'Москва', 'Пермь', 3000, 120)"),
        QStringLiteral(
            "INSERT INTO tblAir (id, sotrudnik_id, bortNum, model, date_create, lifetime, isActive, "
            "seats) VALUES (1, 1, 'RA-64001', 'Ту-204', '2010-05-01 00:00:00', 20, 1, 210), "
            "(2, 2, 'RA-96005', 'Ил-96', '2015-01-20 00:00:00', 25, 0, 300)"),
        QStringLiteral("INSERT INTO tblClients (id, fam, names, subname, phones, addr, passport_seria, "
                       "passport_num) VALUES (1, 'Белов', 'Олег', 'Иванович', '', '', '4501', '123456'), "
                       "(2, 'Орлов', 'Антон', 'Петрович', '', '', '4502', '654123')"),
    });
    addRows();
    modules = std::make_unique<TDataModules>(db.connection());
    const QStringList errors = modules->openAll();
    ASSERT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    nameModules(*modules);
    flight->bindLeavings(leavings);
}

void ScreensFixture::asUser(const std::function<void()>& action) {
    QMetaObject::invokeMethod(qApp, action, Qt::QueuedConnection);
    QApplication::processEvents();
}

void ScreensFixture::click(QWidget& window, const QString& name) {
    if (auto* button = window.findChild<QAbstractButton*>(name)) {
        asUser([button] { button->click(); });
    } else if (auto* item = window.findChild<QAction*>(name)) {
        asUser([item] { item->trigger(); });
    } else {
        ADD_FAILURE() << "nothing to click named " << name.toStdString();
    }
}

void ScreensFixture::type(QWidget& window, const QString& name, const QString& text) {
    QLineEdit* box = find<QLineEdit>(window, name);
    if (!box)
        return;
    box->setFocus();
    box->selectAll();
    if (text.isEmpty()) {
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(box, &del);
    }
    // One key at a time, with its character: the test library's key clicks
    // know only ASCII.
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

void ScreensFixture::choose(QWidget& window, const QString& name, const QString& text) {
    auto* box = find<TDBLookupComboBox>(window, name);
    if (!box)
        return;
    QList<int> rows;
    for (int row = 0; row < box->count(); ++row)
        if (box->itemText(row).startsWith(text))
            rows << row;
    ASSERT_EQ(rows.size(), 1) << "rows starting with " << text.toStdString();
    const int row = rows.front();
    asUser([box, row] {
        box->setCurrentIndex(row);
        emit box->activated(row);
    });
}

QStringList ScreensFixture::shown() const {
    QStringList texts;
    for (const TMessageBox& box : dialogs.messages())
        texts << box.Text;
    return texts;
}

QStringList ScreensFixture::shown(TMsgKind kind) const {
    QStringList texts;
    for (const TMessageBox& box : dialogs.messages())
        if (box.Kind == kind)
            texts << box.Text;
    return texts;
}

QStringList ScreensFixture::told() const {
    QStringList texts;
    for (const TMessageBox& box : dialogs.messages())
        if (box.Kind != TMsgKind::Confirmation)
            texts << box.Text;
    return texts;
}

int ScreensFixture::count(const QString& table) {
    return db.Scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
}

QStringList ScreensFixture::column(const TDataSet* ds, const QString& field) {
    QStringList texts;
    const TField* f = ds->FieldByName(field);
    for (int row = 0; row < ds->RecordCount(); ++row)
        texts << ds->displayTextAt(row, f);
    return texts;
}

void ScreensFixture::locate(TDataSet* ds, int id) {
    for (ds->First(); !ds->Eof(); ds->Next())
        if (ds->FieldByName(QStringLiteral("id"))->AsInteger() == id)
            return;
    ADD_FAILURE() << "no row " << id;
}
