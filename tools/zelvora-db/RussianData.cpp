#include "RussianData.h"

namespace {

const QStringList MaleSurnames = {
    QStringLiteral("Иванов"),    QStringLiteral("Смирнов"),  QStringLiteral("Кузнецов"),
    QStringLiteral("Попов"),     QStringLiteral("Васильев"), QStringLiteral("Петров"),
    QStringLiteral("Соколов"),   QStringLiteral("Михайлов"), QStringLiteral("Новиков"),
    QStringLiteral("Фёдоров"),   QStringLiteral("Морозов"),  QStringLiteral("Волков"),
    QStringLiteral("Алексеев"),  QStringLiteral("Лебедев"),  QStringLiteral("Семёнов"),
    QStringLiteral("Егоров"),    QStringLiteral("Павлов"),   QStringLiteral("Козлов"),
    QStringLiteral("Степанов"),  QStringLiteral("Николаев"), QStringLiteral("Орлов"),
    QStringLiteral("Андреев"),   QStringLiteral("Макаров"),  QStringLiteral("Никитин"),
    QStringLiteral("Захаров"),   QStringLiteral("Зайцев"),   QStringLiteral("Соловьёв"),
    QStringLiteral("Борисов"),   QStringLiteral("Яковлев"),  QStringLiteral("Григорьев"),
    QStringLiteral("Романов"),   QStringLiteral("Воробьёв"), QStringLiteral("Сергеев"),
    QStringLiteral("Кудрявцев"), QStringLiteral("Белов"),    QStringLiteral("Тарасов"),
    QStringLiteral("Ковалёв"),   QStringLiteral("Ильин"),    QStringLiteral("Гусев"),
    QStringLiteral("Титов"),
};

const QStringList MaleNames = {
    QStringLiteral("Александр"), QStringLiteral("Сергей"),  QStringLiteral("Дмитрий"),
    QStringLiteral("Андрей"),    QStringLiteral("Алексей"), QStringLiteral("Максим"),
    QStringLiteral("Евгений"),   QStringLiteral("Иван"),    QStringLiteral("Михаил"),
    QStringLiteral("Артём"),     QStringLiteral("Николай"), QStringLiteral("Владимир"),
    QStringLiteral("Павел"),     QStringLiteral("Роман"),   QStringLiteral("Игорь"),
    QStringLiteral("Олег"),      QStringLiteral("Виктор"),  QStringLiteral("Константин"),
    QStringLiteral("Юрий"),      QStringLiteral("Денис"),
};

const QStringList FemaleNames = {
    QStringLiteral("Елена"),   QStringLiteral("Ольга"),     QStringLiteral("Наталья"),
    QStringLiteral("Татьяна"), QStringLiteral("Ирина"),     QStringLiteral("Анна"),
    QStringLiteral("Мария"),   QStringLiteral("Светлана"),  QStringLiteral("Екатерина"),
    QStringLiteral("Юлия"),    QStringLiteral("Анастасия"), QStringLiteral("Марина"),
    QStringLiteral("Людмила"), QStringLiteral("Галина"),    QStringLiteral("Дарья"),
    QStringLiteral("Ксения"),
};

// Father's names as a son's and as a daughter's patronymic.
const QList<QPair<QString, QString>> Patronymics = {
    {QStringLiteral("Александрович"), QStringLiteral("Александровна")},
    {QStringLiteral("Сергеевич"), QStringLiteral("Сергеевна")},
    {QStringLiteral("Дмитриевич"), QStringLiteral("Дмитриевна")},
    {QStringLiteral("Андреевич"), QStringLiteral("Андреевна")},
    {QStringLiteral("Алексеевич"), QStringLiteral("Алексеевна")},
    {QStringLiteral("Иванович"), QStringLiteral("Ивановна")},
    {QStringLiteral("Михайлович"), QStringLiteral("Михайловна")},
    {QStringLiteral("Николаевич"), QStringLiteral("Николаевна")},
    {QStringLiteral("Владимирович"), QStringLiteral("Владимировна")},
    {QStringLiteral("Петрович"), QStringLiteral("Петровна")},
    {QStringLiteral("Викторович"), QStringLiteral("Викторовна")},
    {QStringLiteral("Юрьевич"), QStringLiteral("Юрьевна")},
    {QStringLiteral("Олегович"), QStringLiteral("Олеговна")},
    {QStringLiteral("Евгеньевич"), QStringLiteral("Евгеньевна")},
};

const QStringList Streets = {
    QStringLiteral("ул. Ленина"),        QStringLiteral("ул. Гагарина"),    QStringLiteral("ул. Советская"),
    QStringLiteral("ул. Мира"),          QStringLiteral("пр. Победы"),      QStringLiteral("ул. Пушкина"),
    QStringLiteral("ул. Садовая"),       QStringLiteral("ул. Лесная"),      QStringLiteral("ул. Молодёжная"),
    QStringLiteral("ул. Комсомольская"), QStringLiteral("пр. Космонавтов"), QStringLiteral("ул. Чехова"),
    QStringLiteral("ул. Набережная"),    QStringLiteral("ул. Заводская"),   QStringLiteral("ул. Кирова"),
};

const QStringList PhoneCodes = {QStringLiteral("912"), QStringLiteral("916"), QStringLiteral("921"),
                                QStringLiteral("903"), QStringLiteral("925"), QStringLiteral("950"),
                                QStringLiteral("987"), QStringLiteral("999"), QStringLiteral("913")};

// A surname ending in -ов, -ев, -ёв or -ин takes -а for a woman.
QString feminine(const QString& surname) {
    return surname + u'а';
}

} // namespace

const QStringList& TRussianData::Cities() {
    static const QStringList cities = {
        QStringLiteral("Москва"),      QStringLiteral("Санкт-Петербург"),
        QStringLiteral("Новосибирск"), QStringLiteral("Екатеринбург"),
        QStringLiteral("Казань"),      QStringLiteral("Нижний Новгород"),
        QStringLiteral("Челябинск"),   QStringLiteral("Самара"),
        QStringLiteral("Омск"),        QStringLiteral("Ростов-на-Дону"),
        QStringLiteral("Уфа"),         QStringLiteral("Красноярск"),
        QStringLiteral("Пермь"),       QStringLiteral("Воронеж"),
        QStringLiteral("Волгоград"),   QStringLiteral("Краснодар"),
        QStringLiteral("Сочи"),        QStringLiteral("Калининград"),
        QStringLiteral("Владивосток"), QStringLiteral("Иркутск"),
        QStringLiteral("Мурманск"),    QStringLiteral("Архангельск"),
        QStringLiteral("Хабаровск"),   QStringLiteral("Минеральные Воды"),
        QStringLiteral("Тюмень"),      QStringLiteral("Сургут"),
        QStringLiteral("Якутск"),
    };
    return cities;
}

TPerson TRussianData::Person() {
    const bool woman = FRandom.bounded(2) == 0;
    const auto& patronymic = Patronymics[FRandom.bounded(int(Patronymics.size()))];
    const QString& surname = pick(MaleSurnames);
    if (woman)
        return {feminine(surname), pick(FemaleNames), patronymic.second};
    return {surname, pick(MaleNames), patronymic.first};
}

QString TRussianData::Phone() {
    return QStringLiteral("+7 %1 %2-%3-%4").arg(pick(PhoneCodes), Digits(3), Digits(2), Digits(2));
}

QString TRussianData::Address() {
    return QStringLiteral("г. %1, %2, д. %3, кв. %4")
        .arg(City(), pick(Streets))
        .arg(Between(1, 120))
        .arg(Between(1, 300));
}

QString TRussianData::City() {
    return pick(Cities());
}

QString TRussianData::Digits(int count) {
    QString digits;
    for (int i = 0; i < count; ++i)
        digits += QChar(u'0' + FRandom.bounded(10));
    return digits;
}
