#include "ui/Form.h"
#include "tests/support/TestDialogService.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A window that counts its hooks; its close button closes it.
class TfrmProbe : public TForm {
    Q_OBJECT
public:
    explicit TfrmProbe(QWidget* owner = nullptr) : TForm(owner) {
        btnClose = new QPushButton(QStringLiteral("Закрыть"), this);
        btnClose->setObjectName(QStringLiteral("btnClose"));
        connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    }

    QPushButton* btnClose;
    int Created = 0;
    int Shown = 0;
    int Closed = 0;
    std::function<void()> OnClose;

protected:
    void FormCreate() override { ++Created; }
    void FormShow() override { ++Shown; }
    void FormClose() override {
        ++Closed;
        if (OnClose)
            OnClose();
    }
};

class FormHooks : public ::testing::Test {
protected:
    std::unique_ptr<TfrmProbe> FForm{createForm<TfrmProbe>()};
};

} // namespace

TEST_F(FormHooks, CreateRunsOnceAfterConstructionAndShowOnEveryShowing) {
    EXPECT_EQ(FForm->Created, 1);
    FForm->show();
    FForm->hide();
    FForm->show();
    EXPECT_EQ(FForm->Shown, 2);
    EXPECT_EQ(FForm->Closed, 0);
}

TEST_F(FormHooks, EveryWayOfClosingRunsCloseOnceAndOnlyHides) {
    const std::function<void(TfrmProbe&)> closings[] = {
        [](TfrmProbe& form) { form.close(); },
        [](TfrmProbe& form) { form.reject(); },
        [](TfrmProbe& form) { form.accept(); },
        [](TfrmProbe& form) { form.btnClose->click(); },
        [](TfrmProbe& form) {
            QCloseEvent closeBox;
            QApplication::sendEvent(&form, &closeBox);
        },
        [](TfrmProbe& form) {
            form.setCancelButton(form.btnClose);
            QTest::keyClick(&form, Qt::Key_Escape);
        },
    };
    int expected = 0;
    for (const auto& closing : closings) {
        FForm->show();
        closing(*FForm);
        ++expected;
        EXPECT_EQ(FForm->Closed, expected) << "closing " << expected;
        EXPECT_FALSE(FForm->isVisible()) << "closing " << expected;
    }
}

TEST_F(FormHooks, EscapeWithoutACancelButtonLeavesTheWindowOpen) {
    FForm->show();
    QTest::keyClick(FForm.get(), Qt::Key_Escape);
    EXPECT_TRUE(FForm->isVisible());
    EXPECT_EQ(FForm->Closed, 0);
}

TEST_F(FormHooks, ClosingAgainFromCloseIsPartOfTheSameClosing) {
    FForm->OnClose = [this] { FForm->close(); };
    FForm->show();
    FForm->close();
    EXPECT_EQ(FForm->Closed, 1);
    EXPECT_FALSE(FForm->isVisible());
}

TEST(FormModal, AModalChainIsDrivenByTheScriptedHandlers) {
    TTestDialogService dialogs;
    auto list = std::unique_ptr<TfrmProbe>(createForm<TfrmProbe>());
    list->setObjectName(QStringLiteral("frmList"));
    auto* editBox = new QLineEdit(list.get());
    auto* edit = createForm<TfrmProbe>(list.get());
    edit->setObjectName(QStringLiteral("frmListEdit"));
    auto* editName = new QLineEdit(edit);
    auto* btnSave = new QPushButton(edit);
    QObject::connect(btnSave, &QPushButton::clicked, edit, [&] {
        editBox->setText(editName->text());
        edit->accept();
    });
    auto* btnAdd = new QPushButton(list.get());
    QObject::connect(btnAdd, &QPushButton::clicked, list.get(), [edit] { edit->ShowModal(); });

    dialogs.onModal(QStringLiteral("frmList"), [&](QDialog& window) {
        EXPECT_TRUE(window.isVisible());
        btnAdd->click();
    });
    dialogs.onModal(QStringLiteral("frmListEdit"), [&](QDialog&) {
        editName->setText(QStringLiteral("Москва"));
        btnSave->click();
    });
    EXPECT_EQ(list->ShowModal(), QDialog::Rejected);

    EXPECT_EQ(editBox->text(), QStringLiteral("Москва"));
    ASSERT_EQ(dialogs.modals().size(), 2);
    EXPECT_EQ(dialogs.modals()[0].Name, QStringLiteral("frmList"));
    EXPECT_EQ(dialogs.modals()[0].Result, QDialog::Rejected);
    EXPECT_EQ(dialogs.modals()[1].Name, QStringLiteral("frmListEdit"));
    EXPECT_EQ(dialogs.modals()[1].Result, QDialog::Accepted);
    EXPECT_EQ(list->Shown, 1);
    EXPECT_EQ(list->Closed, 1);
    EXPECT_EQ(edit->Shown, 1);
    EXPECT_EQ(edit->Closed, 1);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_FALSE(list->isVisible());
}

TEST(FormModal, WithoutAHandlerTheWindowIsShownAndClosedAndFoundByClassName) {
    TTestDialogService dialogs;
    auto form = std::unique_ptr<TfrmProbe>(createForm<TfrmProbe>());
    EXPECT_EQ(form->ShowModal(), QDialog::Rejected);
    EXPECT_EQ(form->Shown, 1);
    EXPECT_EQ(form->Closed, 1);

    int handled = 0;
    dialogs.onModal(QStringLiteral("TfrmProbe"), [&](QDialog& window) {
        ++handled;
        window.accept();
    });
    EXPECT_EQ(form->ShowModal(), QDialog::Accepted);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(form->Closed, 2);
    ASSERT_EQ(dialogs.modals().size(), 2);
    EXPECT_EQ(dialogs.modals()[1].ClassName, QStringLiteral("TfrmProbe"));
}

#include "FormTest.moc"
