#pragma once

#include "report_engine/export/common/ExportFilter.h"
#include "report_engine/model/Report.h"
#include "report_engine/model/ReportTemplate.h"
#include "report_engine/prepared/LayoutListing.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/run/DBDataset.h"
#include "tests/support/FakeDataSource.h"

#include <QBuffer>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// One line of the layout listing, parsed back.
struct TLayoutLine {
    int FPage = 0;
    QString FName;
    QString FClass;
    double FLeft = 0;
    double FTop = 0;
    double FWidth = 0;
    double FHeight = 0;
    QString FText;
};

inline std::vector<TLayoutLine> parseListing(const QString& listing) {
    std::vector<TLayoutLine> lines;
    for (const QString& row : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList cells = row.split(QLatin1Char('\t'));
        lines.push_back({cells[0].toInt(), cells[1], cells[2], cells[3].toDouble(), cells[4].toDouble(),
                         cells[5].toDouble(), cells[6].toDouble(), cells.value(7)});
    }
    return lines;
}

// What the filter writes for the report's prepared pages, exported without its dialog.
inline QByteArray exportedFrom(TfrxReport& report, TfrxCustomExportFilter& filter) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    filter.ShowDialog = false;
    filter.Stream = &buffer;
    EXPECT_TRUE(report.Export(filter));
    filter.Stream = nullptr;
    return bytes;
}

// A report loaded from one of the program's templates over an in-memory dataset.
class TReportFixture {
public:
    TReportFixture(const QString& design, std::unique_ptr<TFakeDataSource> source)
        : FSource(std::move(source)) {
        frxTemplate::loadFile(FReport, QStringLiteral(":/templates/%1.xml").arg(design));
        FReport.EngineOptions.SilentMode = TfrxSilentMode::simSilent;
        FReport.Datasets.first().DataSet->Context = &FReport;
        static_cast<TfrxDBDataset*>(FReport.Datasets.first().DataSet)->setDataSource(FSource.get());
    }

    bool run() { return FReport.PrepareReport(true); }
    QByteArray exported(TfrxCustomExportFilter& filter) { return exportedFrom(FReport, filter); }
    std::vector<TLayoutLine> layout() const { return parseListing(frxLayoutListing(FReport.PreviewPages())); }
    std::vector<TLayoutLine> named(const QString& name) const {
        std::vector<TLayoutLine> found;
        for (const TLayoutLine& line : layout())
            if (line.FName == name)
                found.push_back(line);
        return found;
    }
    int countOnPage(const QString& name, int page) const {
        int count = 0;
        for (const TLayoutLine& line : named(name))
            count += line.FPage == page;
        return count;
    }

    TfrxReport FReport;
    std::unique_ptr<TFakeDataSource> FSource;
};

inline std::unique_ptr<TFakeDataSource> routes(int count, const QString& airStart = QStringLiteral("Москва"),
                                               double price = 4500.5, int times = 120) {
    auto source = std::make_unique<TFakeDataSource>(
        QStringList{"id", "airStart", "airTarget", "price", "times"},
        std::vector<TfrxSourceFieldKind>{TfrxSourceFieldKind::Integer, TfrxSourceFieldKind::String,
                                         TfrxSourceFieldKind::String, TfrxSourceFieldKind::Float,
                                         TfrxSourceFieldKind::Integer});
    for (int i = 0; i < count; ++i)
        source->addRow({100 + i, airStart, QStringLiteral("Сочи"), price, times});
    return source;
}

inline std::unique_ptr<TFakeDataSource> flights(int count,
                                                const QString& route = QStringLiteral("Москва - Сочи")) {
    auto source = std::make_unique<TFakeDataSource>(
        QStringList{"id", "air_id", "route_id", "dateStart", "timeStart", "isActive", "route.ToString",
                    "air.ToString"},
        std::vector<TfrxSourceFieldKind>{TfrxSourceFieldKind::Integer, TfrxSourceFieldKind::Integer,
                                         TfrxSourceFieldKind::Integer, TfrxSourceFieldKind::DateTime,
                                         TfrxSourceFieldKind::DateTime, TfrxSourceFieldKind::Boolean,
                                         TfrxSourceFieldKind::String, TfrxSourceFieldKind::String});
    for (int i = 0; i < count; ++i)
        source->addRow({i + 1, 1, 1, "17.12.2019", "12:05", i % 2 == 0, route, "Boeing 737"});
    return source;
}

inline std::unique_ptr<TFakeDataSource>
orders(int count, const QString& flight = QStringLiteral("SU100 Москва - Сочи")) {
    auto source = std::make_unique<TFakeDataSource>(QStringList{
        "id", "flight_id", "clients_id", "card_id", "mesto", "counts", "flight.ToString", "clients.c_fio",
        "clients.phones", "cards.names", "route.price", "card.percent", "itogo"});
    for (int i = 0; i < count; ++i)
        source->addRow({i + 1, 1, 1, 1, "12A", 1, flight, "Иванов И. И.", "555-12-12",
                        i == 0 ? QVariant() : QVariant("Детский"), 4500, 10, 4950});
    return source;
}
