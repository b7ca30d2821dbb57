// "Отчет" in the routes, flights and sales lists, the launch window's actions
// and what the reports they make contain.
#include "SalesScreensFixture.h"
#include "report_engine/export/common/CodePage.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/preview/Preview.h"
#include "report_engine/print/Printers.h"
#include "reports/FRFlight.h"
#include "reports/FROrders.h"
#include "reports/FRRoute.h"
#include "reports/ReportScreen.h"
#include "screens/Flight.h"
#include "screens/Orders.h"
#include "screens/Route.h"
#include "tests/support/CupsServer.h"

#include <QFile>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

class ReportLaunch : public SalesScreensFixture {
public:
    void SetUp() override {
        SalesScreensFixture::SetUp();
        TfrxEngineUi::install(&screen);
        frmFRRoute = createForm<TfrmFRRoute>(route);
        frmFRFlight = createForm<TfrmFRFlight>(flight);
        frmFROrders = createForm<TfrmFROrders>(orders);
        list.reset(createForm<TfrmRoute>(route));
    }

    void TearDown() override {
        list.reset();
        for (TfrmReportHost** host : {reinterpret_cast<TfrmReportHost**>(&frmFRRoute),
                                      reinterpret_cast<TfrmReportHost**>(&frmFRFlight),
                                      reinterpret_cast<TfrmReportHost**>(&frmFROrders)}) {
            delete *host;
            *host = nullptr;
        }
        TfrxEngineUi::install(nullptr);
    }

    // Opens the routes' launch window with "Отчет" and hands it to `action`.
    void launch(const std::function<void(QDialog&)>& action) {
        dialogs.onModal(QStringLiteral("frmPrintRoute"), action);
        click(*list, QStringLiteral("tbtnReport"));
    }

    // Chooses the action and presses "Выполнить".
    static void run(QDialog& window, const char* action) {
        find<QRadioButton>(window, QLatin1String(action))->setChecked(true);
        find<QPushButton>(window, QStringLiteral("btnExec"))->click();
    }

    // The export's options dialog confirmed and the file named.
    void confirmExport(const char* dialog, const QString& fileName) {
        dialogs.onModal(QLatin1String(dialog),
                        [](QDialog& window) { find<QPushButton>(window, QStringLiteral("OkB"))->click(); });
        dialogs.answerFile(fileName);
    }

    // The file's lines (written in the ANSI code page), empty cells left out.
    static QList<QByteArray> csvLines(const QString& fileName) {
        QFile file(fileName);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
        QList<QByteArray> lines;
        for (const QByteArray& line : file.readAll().split('\n')) {
            QList<QByteArray> cells = line.trimmed().split(';');
            cells.removeAll(QByteArray());
            lines << cells.join(';');
        }
        return lines;
    }

    TReportScreen screen;
    std::unique_ptr<TListForm> list;
    QTemporaryDir dir;
};

TEST_F(ReportLaunch, TheWindowOffersFourActionsPreviewFirst) {
    bool shown = false;
    launch([&](QDialog& window) {
        shown = true;
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Отчет по маршрутам"));
        EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed size";
        QStringList captions;
        for (const QRadioButton* button : find<QGroupBox>(window, QStringLiteral("GroupBox1"))
                                              ->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            captions << button->objectName() + QLatin1Char('=') + button->text();
        EXPECT_EQ(captions, QStringList({QStringLiteral("cmdPreview=Предварительный просмотр"),
                                         QStringLiteral("cmdPrint=Печать"),
                                         QStringLiteral("cmdExportPdf=Экспорт в PDF"),
                                         QStringLiteral("cmdExportCsv=Экспорт в CSV (Excel)")}));
        EXPECT_TRUE(find<QRadioButton>(window, QStringLiteral("cmdPreview"))->isChecked());
        EXPECT_EQ(find<QPushButton>(window, QStringLiteral("btnExec"))->text(), QStringLiteral("Выполнить"));
        EXPECT_EQ(find<QPushButton>(window, QStringLiteral("btnClose"))->text(), QStringLiteral("Закрыть"));
    });
    EXPECT_TRUE(shown);
}

// Every failure is told once, and the window stays open with the action chosen.
TEST_F(ReportLaunch, FailuresAreToldAndTheWindowStays) {
    const struct {
        const char* Name;
        const char* Action; // nullptr: none chosen
        bool WithoutHost;
        TMsgKind Kind;
        QString Title;
        QString Text;
    } cases[] = {
        {"no action", nullptr, false, TMsgKind::Information, QStringLiteral("Сообщение"),
         QStringLiteral("Необходимо выбрать действие")},
        {"no host", "cmdExportPdf", true, TMsgKind::Information, QStringLiteral("Ошибка"),
         QStringLiteral("Произозла ошибка обработки")},
        {"no printer", "cmdPrint", false, TMsgKind::Error, QStringLiteral("Error"),
         QStringLiteral("No printers installed on your system")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        dialogs.clear();
        TfrmFRRoute* host = frmFRRoute;
        if (c.WithoutHost)
            frmFRRoute = nullptr;
        launch([&](QDialog& window) {
            if (c.Action) {
                run(window, c.Action);
            } else {
                for (QRadioButton* button : window.findChildren<QRadioButton*>()) {
                    button->setAutoExclusive(false);
                    button->setChecked(false);
                }
                find<QPushButton>(window, QStringLiteral("btnExec"))->click();
            }
            EXPECT_TRUE(window.isVisible());
            if (c.Action) {
                EXPECT_TRUE(find<QRadioButton>(window, QLatin1String(c.Action))->isChecked());
            }
        });
        frmFRRoute = host;
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_EQ(dialogs.messages()[0].Kind, c.Kind);
        EXPECT_EQ(dialogs.messages()[0].Title, c.Title);
        EXPECT_EQ(dialogs.messages()[0].Text, c.Text);
    }
}

// The report prints the list's rows as the search and the sort leave them, and
// afterwards the list stands on the row the user chose, which its commands act on.
TEST_F(ReportLaunch, AnExportHoldsExactlyTheFilteredSortedList) {
    type(*list, QStringLiteral("editAirStart"), QStringLiteral("Москва"));
    click(*list, QStringLiteral("btnSearch"));
    click(*list, QStringLiteral("mnuSortTarget"));
    ASSERT_EQ(column(route->tbl, QStringLiteral("airTarget")),
              QStringList({QStringLiteral("Пермь"), QStringLiteral("Сочи")}));
    route->tbl->First();
    const QVariant chosen = route->tbl->FieldByName(QStringLiteral("id"))->Value();
    const QString csv = dir.filePath(QStringLiteral("routes.csv"));
    confirmExport("TfrxCSVExportDialog", csv);
    launch([](QDialog& window) { run(window, "cmdExportCsv"); });

    QList<QByteArray> rows;
    for (const QByteArray& line : csvLines(csv))
        if (line.contains(frxToAnsi(u"Москва")) || line.contains(frxToAnsi(u"Казань")))
            rows << line.split(';').mid(0, 3).join(';');
    EXPECT_EQ(rows, QList<QByteArray>({frxToAnsi(u"1;Москва;Пермь"), frxToAnsi(u"2;Москва;Сочи")}));
    EXPECT_EQ(route->tbl->FieldByName(QStringLiteral("id"))->Value(), chosen);
}

// Each export prepares the report anew: a route added in between is in the second file.
TEST_F(ReportLaunch, EachExportPreparesTheReportAnewAndTheChoiceIsKept) {
    const QString first = dir.filePath(QStringLiteral("first.pdf"));
    confirmExport("TfrxPDFExportDialog", first);
    launch([](QDialog& window) { run(window, "cmdExportPdf"); });
    QFile pdf(first);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-1.5"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));

    db.Exec({QStringLiteral("INSERT INTO tblRoute (id, airStart, airTarget, price, times) VALUES "
                            "(7, 'Тула', 'Ялта', 100, 60)")});
    route->tbl->Close();
    route->tbl->Open();
    const QString csv = dir.filePath(QStringLiteral("second.csv"));
    confirmExport("TfrxCSVExportDialog", csv);
    launch([](QDialog& window) {
        EXPECT_TRUE(find<QRadioButton>(window, QStringLiteral("cmdExportPdf"))->isChecked()) << "kept";
        run(window, "cmdExportCsv");
    });
    EXPECT_TRUE(csvLines(csv).join('\n').contains(frxToAnsi(u"Тула;Ялта")));
}

TEST_F(ReportLaunch, CancellingTheOptionsWritesNothingAndSaysNothing) {
    dialogs.onModal(QStringLiteral("TfrxPDFExportDialog"),
                    [](QDialog& window) { find<QPushButton>(window, QStringLiteral("CancelB"))->click(); });
    launch([](QDialog& window) { run(window, "cmdExportPdf"); });
    EXPECT_TRUE(dialogs.fileDialogs().isEmpty());
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// The preview opens the host over the launch window and fills it as the run goes;
// the keys of the preview move through the pages and Escape closes the window.
TEST_F(ReportLaunch, ThePreviewShowsTheHostWithTheReport) {
    int pages = 0;
    bool closedByEscape = false;
    dialogs.onModal(QStringLiteral("frmFRRoute"), [&](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Предварительный просмотр"));
        EXPECT_EQ(window.size(), QSize(960, 624));
        QTRY_VERIFY(frmFRRoute->frxPreview->pageCount() > 0 && !frmFRRoute->frxPreview->Running());
        pages = frmFRRoute->frxPreview->pageCount();
        QWidget* keyboard = window.focusWidget();
        ASSERT_NE(keyboard, nullptr);
        QTest::keyClick(keyboard, Qt::Key_End);
        EXPECT_TRUE(window.isVisible()) << "a key of the preview closed the window";
        QTest::keyClick(keyboard, Qt::Key_Escape);
        closedByEscape = !window.isVisible();
    });
    launch([](QDialog& window) { run(window, "cmdPreview"); });
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(closedByEscape);
}

// The flights and sales lists open their own launch windows over their own hosts.
TEST_F(ReportLaunch, FlightsAndSalesHaveTheirOwnWindows) {
    const std::unique_ptr<TForm> flightList = standIn("frmFlight");
    const struct {
        const char* Launch;
        const char* Caption;
        std::function<TListForm*()> Create;
    } cases[] = {
        {"frmPrintFlight", "Отчет по рейсам",
         [&] { return createForm<TfrmFlight>(flight, route, air, airList.get(), routeList.get()); }},
        {"frmPrintOrders", "Отчет по продажам",
         [&] {
             return createForm<TfrmOrders>(orders, flight, clients, card, clientsList.get(),
                                           flightList.get());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Launch);
        std::unique_ptr<TListForm> window(c.Create());
        QString caption;
        dialogs.onModal(QLatin1String(c.Launch),
                        [&](QDialog& launchWindow) { caption = launchWindow.windowTitle(); });
        click(*window, QStringLiteral("mnuReport"));
        EXPECT_EQ(caption, QString::fromUtf8(c.Caption));
    }
}

} // namespace

// "Печать" prints what the list shows on the system's printer: the print dialog,
// then one job of all the report's pages.
TEST_F(ReportLaunch, PrintIsOneJobOnThePrinter) {
    {
        TCupsServer server;
        ASSERT_EQ(server.error(), QString());
        frxInstallPrinters(TfrxPrinters::fromSystem());
        dialogs.onModal(QStringLiteral("TfrxPrintDialog"),
                        [](QDialog& window) { find<QPushButton>(window, QStringLiteral("OkB"))->click(); });
        launch([](QDialog& window) { run(window, "cmdPrint"); });
        const QList<TCupsServer::TJob> jobs = server.jobs();
        ASSERT_EQ(jobs.size(), 1);
        ASSERT_TRUE(server.waitUntilDone(jobs.first().Id));
        QProcess qpdf;
        qpdf.start(QStringLiteral("qpdf"),
                   {QStringLiteral("--show-npages"), server.jobFile(jobs.first().Id)});
        ASSERT_TRUE(qpdf.waitForFinished());
        const int pages = frmFRRoute->frxRep.PreviewPages().GetCount();
        EXPECT_GT(pages, 0);
        EXPECT_EQ(qpdf.readAllStandardOutput().trimmed().toInt(), pages);
    }
    // The printer went with its server.
    frxInstallPrinters(TfrxPrinters::fromSystem());
}
