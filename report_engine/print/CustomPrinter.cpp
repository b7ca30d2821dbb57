#include "report_engine/print/CustomPrinter.h"

int TfrxCustomPrinter::PaperIndex(int paper) const {
    for (qsizetype i = 0; i < Papers.size(); ++i)
        if (Papers[i].Number == paper)
            return static_cast<int>(i);
    return -1;
}

int TfrxCustomPrinter::PaperNameToNumber(const QString& name) const {
    for (const TfrxPaper& paper : Papers)
        if (paper.Name == name)
            return paper.Number;
    return -1;
}

QStringList TfrxCustomPrinter::paperNames() const {
    QStringList names;
    for (const TfrxPaper& paper : Papers)
        names.append(paper.Name);
    return names;
}
