#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

struct TPerson {
    QString Fam;
    QString Names;
    QString Subname;
};

// Believable Russian people, places and contact details for the demo and the
// generated databases. Everything comes from the generator it is given, so a
// seed gives the same people every time.
class TRussianData {
public:
    explicit TRussianData(QRandomGenerator& random) : FRandom(random) {}

    TPerson Person();
    QString Phone();   // "+7 912 345-67-89", exactly the 16 characters a phone column holds
    QString Address(); // "г. Казань, ул. Ленина, д. 12, кв. 34"
    QString City();
    QString Digits(int count);
    int Between(int low, int high) { return FRandom.bounded(low, high + 1); }
    static const QStringList& Cities();

private:
    const QString& pick(const QStringList& list) { return list[FRandom.bounded(int(list.size()))]; }

    QRandomGenerator& FRandom;
};
