#include "framework/LetterFilter.h"
#include "framework/KeyPressFilter.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

enum class TFilterKind { NumberOnly, Phonenumber, FloatNumber };

struct TKeyCase {
    TFilterKind filter;
    QString base;
    QChar key;
    QChar answer;
};

QChar run(const TKeyCase& c) {
    switch (c.filter) {
    case TFilterKind::NumberOnly:
        return TLetterFilter::NumberOnly(c.key);
    case TFilterKind::Phonenumber:
        return TLetterFilter::Phonenumber(c.base, c.key);
    case TFilterKind::FloatNumber:
        return TLetterFilter::FloatNumber(c.base, c.key);
    }
    return {};
}

const QChar None(0);
const QChar Backspace(8);
const QChar Enter(13);
const QChar CtrlV(22);

TEST(LetterFilter, AnswersEachKey) {
    using enum TFilterKind;
    const QList<TKeyCase> cases{
        {NumberOnly, {}, QLatin1Char('7'), QLatin1Char('7')},
        {NumberOnly, {}, QLatin1Char('0'), QLatin1Char('0')},
        {NumberOnly, {}, QLatin1Char('a'), None},
        {NumberOnly, {}, QLatin1Char('-'), None},
        {NumberOnly, {}, QLatin1Char(' '), None},
        {NumberOnly, {}, Enter, None},
        {NumberOnly, {}, CtrlV, None},
        {NumberOnly, {}, QChar(0x0661), None}, // an Arabic-Indic one is a digit, but not ours
        {NumberOnly, {}, Backspace, Backspace},
        {Phonenumber, {}, QLatin1Char('+'), QLatin1Char('+')},
        {Phonenumber, QStringLiteral("8"), QLatin1Char('+'), None},
        {Phonenumber, QStringLiteral("8"), QLatin1Char('9'), QLatin1Char('9')},
        {Phonenumber, QStringLiteral("8"), QLatin1Char('-'), None},
        {Phonenumber, QStringLiteral("8"), Backspace, Backspace},
        {FloatNumber, {}, QLatin1Char(','), None},
        {FloatNumber, {}, QLatin1Char('.'), None},
        {FloatNumber, {}, QLatin1Char('5'), QLatin1Char('5')},
        {FloatNumber, QStringLiteral("12"), QLatin1Char('.'), QLatin1Char(',')},
        {FloatNumber, QStringLiteral("12"), QLatin1Char(','), QLatin1Char(',')},
        {FloatNumber, QStringLiteral("12"), QLatin1Char('e'), None},
        {FloatNumber, QStringLiteral("12,5"), QLatin1Char(','), None},
        {FloatNumber, QStringLiteral("12,5"), QLatin1Char('.'), None},
        {FloatNumber, QStringLiteral("12,5"), Backspace, Backspace},
    };
    for (const TKeyCase& c : cases) {
        EXPECT_EQ(run(c), c.answer) << "filter " << int(c.filter) << " base '" << c.base.toStdString()
                                    << "' key " << int(c.key.unicode());
    }
}

// The filters as a window attaches them to its boxes: typed keys go through the
// window's key-press handler before the box sees them.
TEST(KeyPressFilter, DeliversTheAnswerInsteadOfTheTypedKey) {
    QLineEdit box;
    new TKeyPressFilter(&box, [&box](QChar& Key) { Key = TLetterFilter::FloatNumber(box.text(), Key); });
    QTest::keyClicks(&box, QStringLiteral(".1x2.5,3"));
    EXPECT_EQ(box.text(), QStringLiteral("12,53"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), QStringLiteral("12,5"));
}

TEST(KeyPressFilter, LeavesKeysThatTypeNothingAlone) {
    QLineEdit box;
    int calls = 0;
    new TKeyPressFilter(&box, [&calls](QChar& Key) {
        ++calls;
        Key = TLetterFilter::NumberOnly(Key);
    });
    box.setText(QStringLiteral("123"));
    QTest::keyClick(&box, Qt::Key_Home);
    QTest::keyClick(&box, Qt::Key_Delete);
    EXPECT_EQ(box.text(), QStringLiteral("23"));
    EXPECT_EQ(calls, 0);
}

TEST(KeyPressFilter, ClipboardShortcutsReachTheHandlerAsControlCharacters) {
    QLineEdit box;
    QList<QChar> seen;
    new TKeyPressFilter(&box, [&seen](QChar& Key) {
        seen << Key;
        Key = TLetterFilter::NumberOnly(Key);
    });
    box.setText(QStringLiteral("12"));
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("12"));
    EXPECT_EQ(seen, QList<QChar>{QChar(24)});
}

} // namespace
