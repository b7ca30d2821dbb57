#include "ui/MaskEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString DateMask = QStringLiteral("!99/99/0000;1;_");

TEST(MaskEditTest, UnfilledReadOnlyDateBoxReadsAsBlanks) {
    TMaskEdit box;
    box.SetEditMask(DateMask);
    box.setReadOnly(true);
    EXPECT_EQ(box.Text(), QStringLiteral("  .  .    "));
    EXPECT_EQ(box.text(), QStringLiteral("  .  .    "));
    EXPECT_EQ(box.maxLength(), 10);
    box.SetText(QStringLiteral("01.03.2019"));
    EXPECT_EQ(box.Text(), QStringLiteral("01.03.2019"));
    box.Clear();
    EXPECT_EQ(box.Text().trimmed().size(), 4);
    // A read-only box takes no keys.
    QTest::keyClicks(&box, QStringLiteral("12"));
    EXPECT_EQ(box.Text(), QStringLiteral("  .  .    "));
}

TEST(MaskEditTest, TypingShowsTheBlankCharacterOnlyWhileFocused) {
    QWidget window;
    auto* box = new TMaskEdit(&window);
    auto* other = new TMaskEdit(&window);
    box->SetEditMask(DateMask);
    window.show();
    QApplication::setActiveWindow(&window);
    box->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->hasFocus(); }));
    EXPECT_EQ(box->text(), QStringLiteral("__.__.____"));
    QSignalSpy edited(box, &TMaskEdit::Edited);
    box->setCursorPosition(0);
    QTest::keyClicks(box, QStringLiteral("1.3.2019x"));
    EXPECT_EQ(box->text(), QStringLiteral("_1._3.2019"));
    EXPECT_EQ(box->Text(), QStringLiteral(" 1. 3.2019"));
    EXPECT_TRUE(box->IsFilled());
    EXPECT_EQ(edited.count(), 8); // each digit and each moving separator; "x" changed nothing
    box->setSelection(0, 5);
    QTest::keyClicks(box, QStringLiteral("2"));
    EXPECT_EQ(box->text(), QStringLiteral("2_.__.2019"));
    other->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !box->hasFocus(); }));
    EXPECT_EQ(box->text(), QStringLiteral("2 .  .2019"));
}

TEST(MaskEditTest, PasteGoesThroughTheMask) {
    TMaskEdit box;
    box.SetEditMask(DateMask);
    QApplication::clipboard()->setText(QStringLiteral("15.04.2020"));
    box.setCursorPosition(0);
    QTest::keySequence(&box, QKeySequence::Paste);
    EXPECT_EQ(box.Text(), QStringLiteral("15.04.2020"));
}

TEST(MaskEditTest, TextSetPastTheMaskIsLaidOutInIt) {
    TMaskEdit box;
    box.SetEditMask(DateMask);
    QSignalSpy edited(&box, &TMaskEdit::Edited);
    box.setText(QStringLiteral("1.3.2019"));
    EXPECT_EQ(box.Text(), QStringLiteral(" 1. 3.2019"));
    EXPECT_EQ(box.text(), QStringLiteral(" 1. 3.2019"));
    box.setText(QString());
    EXPECT_EQ(box.Text(), QStringLiteral("  .  .    "));
    EXPECT_EQ(edited.count(), 0);
}

TEST(MaskEditTest, WithoutAMaskItIsAPlainLineEdit) {
    TMaskEdit box;
    QSignalSpy edited(&box, &TMaskEdit::Edited);
    QTest::keyClicks(&box, QStringLiteral("ab"));
    EXPECT_EQ(box.Text(), QStringLiteral("ab"));
    EXPECT_EQ(edited.count(), 2);
    box.SetEditMask(DateMask);
    box.SetText(QStringLiteral("12.03.2019"));
    box.SetEditMask(QString());
    EXPECT_EQ(box.Text(), QStringLiteral("12.03.2019"));
}

} // namespace
