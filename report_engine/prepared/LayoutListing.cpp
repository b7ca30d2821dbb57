#include "report_engine/prepared/LayoutListing.h"

#include "report_engine/model/MemoView.h"
#include "report_engine/prepared/PreviewPages.h"

#include <QTextStream>

namespace {
QString escaped(QString text) {
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return text;
}

void listObject(QTextStream& out, int page, const TfrxComponent& object, double left, double top) {
    const auto* memo = object.asMemo();
    out << page << '\t' << object.Name << '\t' << object.ClassName() << '\t' << QString::number(left, 'f', 2)
        << '\t' << QString::number(top, 'f', 2) << '\t' << QString::number(object.Width, 'f', 2) << '\t'
        << QString::number(object.Height, 'f', 2) << '\t' << (memo ? escaped(memo->Text) : QString()) << '\n';
}
} // namespace

QString frxLayoutListing(const TfrxPreviewPages& pages) {
    QString listing;
    QTextStream out(&listing);
    for (int index = 0; index < pages.GetCount(); ++index) {
        const auto page = pages.GetPage(index);
        for (const auto& band : page->Objects()) {
            listObject(out, index + 1, *band, band->Left, band->Top);
            for (const auto& object : band->Objects())
                listObject(out, index + 1, *object, band->Left + object->Left, band->Top + object->Top);
        }
    }
    return listing;
}
