#include "report_engine/prepared/ZrpEncoder.h"

#include "report_engine/model/ComponentXml.h"
#include "report_engine/prepared/PreviewPages.h"

#include <QXmlStreamWriter>

void TZrpEncoder::sourcePages(const TfrxPreviewPages& pages) {
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartElement(QStringLiteral("sourcepages"));
    for (const auto& source : pages.sourcePages())
        frxXml::writeComponent(writer, *source);
    writer.writeEndElement();
    FOut.bytes(xml);
}

void TZrpEncoder::page(const TfrxPreviewPages& pages, const TfrxPreparedPage& page) {
    FOut.number(1);
    FOut.number(static_cast<quint64>(page.FSourcePage));
    FOut.number(static_cast<quint64>(page.FLogicalNo));
    FOut.number(static_cast<quint64>(page.objectCount()));
    for (const TfrxPreparedObject& object : page) {
        FOut.number(static_cast<quint64>(object.FAlias));
        FOut.byte(object.FMask);
        size_t value = static_cast<size_t>(object.FValues);
        for (int i = 0; i < 4; ++i)
            if (object.FMask & (1 << i))
                FOut.real(page.FValues[value++]);
        if (!(object.FMask & TfrxPreparedObject::mText))
            continue;
        int& number = FFileNumbers.of(pages.texts(), object.FText);
        if (number >= 0) {
            FOut.number(static_cast<quint64>(number) + 1);
            continue;
        }
        number = FTextsWritten++;
        FOut.number(0);
        FOut.bytes(pages.text(object).toUtf8());
    }
}
