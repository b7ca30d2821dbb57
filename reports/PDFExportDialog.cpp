#include "reports/PDFExportDialog.h"

#include "report_engine/export/pdf/PDFExport.h"
#include "reports/PageRangeGroup.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

TfrxPDFExportDialog::TfrxPDFExportDialog(TfrxPDFExport& filter)
    : TfrxExportDialog(QStringLiteral("TfrxPDFExportDialog"), QStringLiteral("Export to PDF")),
      FFilter(filter), FPageRange(new TfrxPageRangeGroup(filter)) {
    auto* tabs = named(new QTabWidget, "PageControl1");
    tabs->setUsesScrollButtons(false); // all four tabs in sight
    tabs->addTab(exportTab(), QStringLiteral("Export"));
    tabs->addTab(informationTab(), QStringLiteral("Information"));
    tabs->addTab(securityTab(), QStringLiteral("Security"));
    tabs->addTab(viewerTab(), QStringLiteral("Viewer"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    addButtons(*layout);
}

QCheckBox* TfrxPDFExportDialog::box(const char* name, const QString& text, bool* setting) {
    auto* check = named(new QCheckBox(text), name);
    check->setChecked(*setting);
    FBoxes.append({check, setting});
    return check;
}

QLineEdit* TfrxPDFExportDialog::edit(const char* name, QString* setting) {
    auto* line = named(new QLineEdit(*setting), name);
    FEdits.append({line, setting});
    return line;
}

QWidget* TfrxPDFExportDialog::exportTab() {
    auto* settings = named(new QGroupBox(QStringLiteral("Export settings")), "ExportSettingsGB");
    auto* settingsLayout = new QFormLayout(settings);
    settingsLayout->addRow(box("PDFACB", QStringLiteral("PDF/A"), &FFilter.PdfA));
    settingsLayout->addRow(box("EmbeddedCB", QStringLiteral("Embedded fonts"), &FFilter.EmbeddedFonts));
    settingsLayout->addRow(box("PrintOptCB", QStringLiteral("Print optimized"), &FFilter.PrintOptimized));
    QCheckBox* outline = box("OutlineCB", QStringLiteral("Outline"), &FFilter.Outline);
    outline->setEnabled(false); // there is no outline in the preview to take over
    settingsLayout->addRow(outline);
    settingsLayout->addRow(box("BackgrCB", QStringLiteral("Background"), &FFilter.Background));
    settingsLayout->addRow(box("TransparencyCB", QStringLiteral("Transparency"), &FFilter.Transparency));
    QualityE = named(new QLineEdit(QString::number(FFilter.Quality)), "QualityEdit");
    QualityE->setValidator(new QIntValidator(0, 100, QualityE));
    settingsLayout->addRow(QStringLiteral("JPEG Quality"), QualityE);
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(FPageRange);
    layout->addWidget(settings);
    layout->addWidget(box("OpenCB", QStringLiteral("Open after export"), &FFilter.OpenAfterExport));
    return tab;
}

QWidget* TfrxPDFExportDialog::informationTab() {
    auto* group = named(new QGroupBox(QStringLiteral("Document information")), "DocInfoGB");
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Title"), edit("TitleE", &FFilter.Title));
    form->addRow(QStringLiteral("Author"), edit("AuthorE", &FFilter.Author));
    form->addRow(QStringLiteral("Subject"), edit("SubjectE", &FFilter.Subject));
    form->addRow(QStringLiteral("Keywords"), edit("KeywordsE", &FFilter.Keywords));
    form->addRow(QStringLiteral("Creator"), edit("CreatorE", &FFilter.Creator));
    form->addRow(QStringLiteral("Producer"), edit("ProducerE", &FFilter.Producer));
    return group;
}

QWidget* TfrxPDFExportDialog::securityTab() {
    auto* passwords = named(new QGroupBox(QStringLiteral("Authentification")), "SecGB");
    auto* passwordForm = new QFormLayout(passwords);
    QLineEdit* owner = edit("OwnPassE", &FFilter.OwnerPassword);
    QLineEdit* user = edit("UserPassE", &FFilter.UserPassword);
    owner->setEchoMode(QLineEdit::Password);
    user->setEchoMode(QLineEdit::Password);
    passwordForm->addRow(QStringLiteral("Owner password"), owner);
    passwordForm->addRow(QStringLiteral("User password"), user);
    auto* permissions = named(new QGroupBox(QStringLiteral("Permissions")), "PermGB");
    auto* permissionList = new QVBoxLayout(permissions);
    const std::tuple<const char*, const char*, int> choices[] = {
        {"PrintCB", "Print the document", TfrxPDFExport::ePrint},
        {"ModCB", "Modify the document", TfrxPDFExport::eModify},
        {"CopyCB", "Copy of text and graphics", TfrxPDFExport::eCopy},
        {"AnnotCB", "Add or modify text annotations", TfrxPDFExport::eAnnot}};
    for (const auto& [name, text, bit] : choices) {
        auto* check = named(new QCheckBox(QString::fromLatin1(text)), name);
        check->setChecked(FFilter.ProtectionFlags & bit);
        FPermissions.append({check, bit});
        permissionList->addWidget(check);
    }
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(passwords);
    layout->addWidget(permissions);
    return tab;
}

QWidget* TfrxPDFExportDialog::viewerTab() {
    auto* group = named(new QGroupBox(QStringLiteral("Viewer preferences")), "ViewerGB");
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(box("HideToolbarCB", QStringLiteral("Hide toolbar"), &FFilter.HideToolbar));
    layout->addWidget(box("HideMenubarCB", QStringLiteral("Hide menubar"), &FFilter.HideMenubar));
    layout->addWidget(
        box("HideWindowUICB", QStringLiteral("Hide window user interface"), &FFilter.HideWindowUI));
    layout->addWidget(box("FitWindowCB", QStringLiteral("Fit window"), &FFilter.FitWindow));
    layout->addWidget(box("CenterWindowCB", QStringLiteral("Center window"), &FFilter.CenterWindow));
    layout->addWidget(box("PrintScalingCB", QStringLiteral("Print scaling"), &FFilter.PrintScaling));
    return group;
}

void TfrxPDFExportDialog::store() {
    FPageRange->store(FFilter);
    for (const auto& [check, setting] : FBoxes)
        *setting = check->isChecked();
    for (const auto& [line, setting] : FEdits)
        *setting = line->text();
    FFilter.ProtectionFlags = 0;
    for (const auto& [check, bit] : FPermissions)
        if (check->isChecked())
            FFilter.ProtectionFlags |= bit;
    FFilter.Quality = QualityE->text().toInt();
}
