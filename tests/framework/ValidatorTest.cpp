#include "framework/ValidatorDate.h"
#include "framework/ValidatorNumber.h"

#include "tests/support/RussianSettings.h"
#include "tests/support/TestDialogService.h"

#include <gtest/gtest.h>

namespace {

enum class TCheck { AboveZeroInt, AboveZeroFloat, tryCorrectInteger, tryCorrentFloat };

struct TNumberCase {
    TCheck check;
    QString text;
    bool result;
    QString notice; // empty when nothing is shown
};

bool run(TCheck check, const QString& text) {
    switch (check) {
    case TCheck::AboveZeroInt:
        return TValidatorNumber::AboveZeroInt(text);
    case TCheck::AboveZeroFloat:
        return TValidatorNumber::AboveZeroFloat(text);
    case TCheck::tryCorrectInteger:
        return TValidatorNumber::tryCorrectInteger(text);
    case TCheck::tryCorrentFloat:
        return TValidatorNumber::tryCorrentFloat(text);
    }
    return false;
}

const QString NotInteger = QStringLiteral("Нужно ввести целое число");
const QString NotNumber = QStringLiteral("Нужно ввести число");

TEST(ValidatorNumber, AnswersAndTellsTheUserOnlyWhenTheTextIsNoNumber) {
    const TRussianSettings russian;
    using enum TCheck;
    const QList<TNumberCase> cases{
        {AboveZeroInt, QStringLiteral("abc"), false, NotInteger},
        {AboveZeroInt, {}, false, NotInteger},
        {AboveZeroInt, QStringLiteral("0"), false, {}},
        {AboveZeroInt, QStringLiteral("-4"), false, {}},
        {AboveZeroInt, QStringLiteral("15"), true, {}},
        {AboveZeroInt, QStringLiteral("  +15"), true, {}},
        {AboveZeroInt, QStringLiteral("15 "), false, NotInteger},
        {AboveZeroInt, QStringLiteral("1,5"), false, NotInteger},
        {AboveZeroInt, QStringLiteral("$1F"), true, {}},
        {AboveZeroInt, QStringLiteral("0x10"), true, {}},
        {AboveZeroInt, QStringLiteral("2147483647"), true, {}},
        {AboveZeroInt, QStringLiteral("2147483648"), false, NotInteger},
        {tryCorrectInteger, QStringLiteral("-2147483648"), true, {}},
        {tryCorrectInteger, QStringLiteral("-2147483649"), false, NotInteger},
        {tryCorrectInteger, QStringLiteral("99999999999999999999999"), false, NotInteger},
        {AboveZeroFloat, QStringLiteral("2,5"), true, {}},
        {AboveZeroFloat, QStringLiteral(" 2,5 "), true, {}},
        {AboveZeroFloat, QStringLiteral("1E3"), true, {}},
        {AboveZeroFloat, QStringLiteral("0"), false, {}},
        {AboveZeroFloat, QStringLiteral("-0,1"), false, {}},
        {AboveZeroFloat, QStringLiteral("2.5"), false, NotNumber},
        {AboveZeroFloat, QStringLiteral("2,5,1"), false, NotNumber},
        {AboveZeroFloat, QStringLiteral("abc"), false, NotNumber},
        {AboveZeroFloat, {}, false, NotNumber},
        {tryCorrentFloat, QStringLiteral("inf"), false, NotNumber},
        {tryCorrentFloat, QStringLiteral("1E999"), false, NotNumber},
    };
    for (const TNumberCase& c : cases) {
        TTestDialogService dialogs;
        EXPECT_EQ(run(c.check, c.text), c.result) << int(c.check) << " '" << c.text.toStdString() << "'";
        if (c.notice.isEmpty()) {
            EXPECT_TRUE(dialogs.messages().isEmpty()) << "'" << c.text.toStdString() << "'";
            continue;
        }
        ASSERT_EQ(dialogs.messages().size(), 1) << "'" << c.text.toStdString() << "'";
        EXPECT_EQ(dialogs.messages()[0].Kind, TMsgKind::Notice);
        EXPECT_EQ(dialogs.messages()[0].Text, c.notice);
    }
}

TEST(ValidatorNumber, GetTryStrToFloatReadsZeroForNoNumberAndShowsNothing) {
    const TRussianSettings russian;
    TTestDialogService dialogs;
    EXPECT_DOUBLE_EQ(TValidatorNumber::GetTryStrToFloat(QStringLiteral("12,25")), 12.25);
    EXPECT_DOUBLE_EQ(TValidatorNumber::GetTryStrToFloat(QStringLiteral("12 руб")), 0);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST(ValidatorDate, IsValidDateWantsACompleteDate) {
    const TRussianSettings russian;
    const QList<std::pair<QString, bool>> cases{
        {QStringLiteral("01.03.2019"), true},
        {QStringLiteral("29.02.2020"), true},
        {QStringLiteral("01.03.2019 14:30"), true},
        {QStringLiteral("01.03.2019 14:30:15"), true},
        {QStringLiteral("1.3.2019"), false},   // converts, but is too short
        {QStringLiteral("01.03.19"), false},   // a two-digit year
        {QStringLiteral("  .  .    "), false}, // an unfilled date box
        {QStringLiteral("29.02.2019"), false},
        {QStringLiteral("32.01.2019"), false},
        {QStringLiteral("01.03.2019 25:00"), false},
        {QStringLiteral("01/03/2019"), false},
        {{}, false},
    };
    TTestDialogService dialogs;
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(TValidatorDate::IsValidDate(text), valid) << text.toStdString();
    }
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

} // namespace
