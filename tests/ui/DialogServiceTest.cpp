#include "ui/DialogService.h"
#include "tests/support/TestDialogService.h"
#include "ui/ApplicationTitle.h"

#include <QWidget>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

TEST(ApplicationTitle, MadeFromTheExecutableName) {
    const struct {
        const char* Path;
        const char* Title;
    } cases[] = {
        {"zelvora", "Zelvora"},
        {"/usr/local/bin/zelvora", "Zelvora"},
        {"/opt/office/ZELVORA", "Zelvora"},
        {"/opt/office.v2/zelvora.exe", "Zelvora"},
        {"zelvora.backup.exe", "Zelvora"},
        {"zelvora-db", "Zelvora-db"},
        {"MyTool", "Mytool"},
        {"/opt/АвиаКасса.bin", "Авиакасса"},
        {"2go", "2go"},
        {".hidden", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(titleFromExecutable(QString::fromUtf8(c.Path)), QString::fromUtf8(c.Title)) << c.Path;
}

TEST(ApplicationTitle, OfTheRunningProgramIsThatOfItsExecutable) {
    EXPECT_EQ(applicationTitle(), QStringLiteral("Test_ui"));
}

TEST(FullStopRule, AppendsAFullStopOnlyAfterCharactersSortingAfterIt) {
    const struct {
        const char* Message;
        const char* Shown;
    } cases[] = {
        {"Нет записи", "Нет записи."},
        {"Done", "Done."},
        {"Готово.", "Готово."},
        {"Ошибка ", "Ошибка "},
        {"Ошибка!", "Ошибка!"},
        {"(в скобках)", "(в скобках)"},
        {"50%", "50%"},
        {"a, b,", "a, b,"},
        {"конец-", "конец-"},
        {"строка\n", "строка\n"},
        {"путь/", "путь/."},
        {"вопрос?", "вопрос?."},
        {"поле:", "поле:."},
        {"1", "1."},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withFullStop(QString::fromUtf8(c.Message)), QString::fromUtf8(c.Shown)) << c.Message;
}

class DialogServiceKinds : public ::testing::Test {
protected:
    TTestDialogService FDialogs;
    QWidget FOwner;
};

TEST_F(DialogServiceKinds, ConfirmationAsksYesOrNoWithoutIconAndOnlyYesProceeds) {
    FDialogs.answer(TMsgButton::Yes);
    FDialogs.answer(TMsgButton::No);
    EXPECT_TRUE(dialogs().confirm(&FOwner, QStringLiteral("Вы действительно хотите удалить?"),
                                  QStringLiteral("Удаление")));
    EXPECT_FALSE(dialogs().confirm(&FOwner, QStringLiteral("Вы действительно хотите удалить?"),
                                   QStringLiteral("Удаление")));
    ASSERT_EQ(FDialogs.messages().size(), 2);
    const TMessageBox& box = FDialogs.messages().first();
    EXPECT_EQ(box.Kind, TMsgKind::Confirmation);
    EXPECT_EQ(box.Owner, &FOwner);
    EXPECT_EQ(box.Title, QStringLiteral("Удаление"));
    EXPECT_EQ(box.Text, QStringLiteral("Вы действительно хотите удалить?"));
    EXPECT_EQ(box.Icon, TMsgIcon::None);
    EXPECT_EQ(box.Buttons, TMsgButton::Yes | TMsgButton::No);
    EXPECT_TRUE(FDialogs.unanswered().isEmpty());
}

TEST_F(DialogServiceKinds, AnUnscriptedQuestionIsAnsweredNoAndReported) {
    EXPECT_FALSE(
        dialogs().confirm(&FOwner, QStringLiteral("Хотите сохранить?"), QStringLiteral("Сохранение")));
    EXPECT_EQ(FDialogs.unanswered(), QStringList{QStringLiteral("Хотите сохранить?")});
}

TEST_F(DialogServiceKinds, InformationNoticeAndErrorCarryTheirIconsButtonsAndTitles) {
    dialogs().information(&FOwner, QStringLiteral("Введите фамилию"), QStringLiteral("Сообщение"));
    dialogs().notice(&FOwner, QStringLiteral("Нужно выбрать запись"));
    dialogs().showError(QStringLiteral("Отсутствуют выделенные записи"));
    ASSERT_EQ(FDialogs.messages().size(), 3);
    const TMessageBox& information = FDialogs.messages()[0];
    EXPECT_EQ(information.Kind, TMsgKind::Information);
    EXPECT_EQ(information.Owner, &FOwner);
    EXPECT_EQ(information.Title, QStringLiteral("Сообщение"));
    EXPECT_EQ(information.Text, QStringLiteral("Введите фамилию"));
    EXPECT_EQ(information.Icon, TMsgIcon::Information);
    EXPECT_EQ(information.Buttons, TMsgButtons(TMsgButton::Ok));
    const TMessageBox& notice = FDialogs.messages()[1];
    EXPECT_EQ(notice.Kind, TMsgKind::Notice);
    EXPECT_EQ(notice.Title, applicationTitle());
    EXPECT_EQ(notice.Text, QStringLiteral("Нужно выбрать запись"));
    EXPECT_EQ(notice.Icon, TMsgIcon::None);
    EXPECT_EQ(notice.Buttons, TMsgButtons(TMsgButton::Ok));
    const TMessageBox& error = FDialogs.messages()[2];
    EXPECT_EQ(error.Kind, TMsgKind::Error);
    EXPECT_EQ(error.Title, applicationTitle());
    EXPECT_EQ(error.Text, QStringLiteral("Отсутствуют выделенные записи."));
    EXPECT_EQ(error.Icon, TMsgIcon::Stop);
    EXPECT_EQ(error.Buttons, TMsgButtons(TMsgButton::Ok));
    EXPECT_TRUE(FDialogs.unanswered().isEmpty());
}

TEST_F(DialogServiceKinds, FileDialogsAnswerFromTheScriptAndCancelWithoutOne) {
    FDialogs.answerFile(QStringLiteral("/tmp/routes.pdf"));
    EXPECT_EQ(dialogs().saveFileName(&FOwner, QStringLiteral("Save"), QStringLiteral("report.pdf"),
                                     QStringLiteral("PDF (*.pdf)")),
              QStringLiteral("/tmp/routes.pdf"));
    EXPECT_EQ(dialogs().openFileName(&FOwner, QStringLiteral("Open"), {}, QStringLiteral("*.zrp")),
              QString());
    ASSERT_EQ(FDialogs.fileDialogs().size(), 2);
    EXPECT_EQ(FDialogs.fileDialogs()[0].Mode, TFileDialog::Save);
    EXPECT_EQ(FDialogs.fileDialogs()[0].FileName, QStringLiteral("report.pdf"));
    EXPECT_EQ(FDialogs.fileDialogs()[0].Filter, QStringLiteral("PDF (*.pdf)"));
    EXPECT_EQ(FDialogs.fileDialogs()[1].Mode, TFileDialog::Open);
    EXPECT_EQ(FDialogs.unanswered(), QStringList{QStringLiteral("Open")});
}

TEST(DialogServiceInstalling, TheLatestDoubleServesUntilItGoes) {
    TDialogService* before = &dialogs();
    {
        TTestDialogService outer;
        EXPECT_EQ(&dialogs(), &outer);
        {
            TTestDialogService inner;
            EXPECT_EQ(&dialogs(), &inner);
            dialogs().notice(nullptr, QStringLiteral("внутри"));
            EXPECT_EQ(inner.messages().size(), 1);
        }
        EXPECT_EQ(&dialogs(), &outer);
        EXPECT_TRUE(outer.messages().isEmpty());
    }
    EXPECT_EQ(&dialogs(), before);
}

// Where no test installed its double, a box or a dialog fails the test at once,
// rather than wait for a click until the test's time runs out.
TEST(DialogServiceInstalling, WhatNoTestScriptedFailsTheTestAtOnce) {
    EXPECT_NONFATAL_FAILURE(dialogs().showError(QStringLiteral("Диск переполнен")), "Диск переполнен");
    EXPECT_NONFATAL_FAILURE(
        dialogs().saveFileName(nullptr, QStringLiteral("Сохранить отчёт"), QString(), QString()),
        "Сохранить отчёт");
}
