#include "report_engine/text/DrawText.h"
#include "report_engine/text/FontEngine.h"

#include <gtest/gtest.h>
#include <string>

namespace {
// Every character 10 pixels wide, so breaks can be read off the strings.
QVector<int> evenWidths(const QString& text) {
    QVector<int> widths;
    for (int i = 0; i < text.size(); ++i)
        widths.append(10 * (i + 1));
    return widths;
}

struct TWrapCase {
    const char* name;
    QString text;
    int firstWidth;
    int width;
    QStringList expected;
};
} // namespace

TEST(DrawTextWrap, BreaksAsTheRowsNeed) {
    const TWrapCase cases[] = {
        {"fits", "abc def", 100, 100, {"abc def"}},
        {"exactly as wide is not narrower", "abcd", 40, 40, {"abcd"}},
        {"break at last space", "abc def ghi", 70, 70, {"abc def", "ghi"}},
        {"space at the break is dropped", "abcd efgh", 40, 40, {"abcd", "efgh"}},
        {"long word is cut", "abcdefghij", 40, 40, {"abcd", "efgh", "ij"}},
        {"narrower than a character", "abc", 5, 5, {"a", "b", "c"}},
        {"first line narrower", "aa bb cc", 30, 50, {"aa", "bb cc"}},
        {"word after space cut", "a bcdefgh", 40, 40, {"a", "bcde", "fgh"}},
        {"single character never wraps", "x", 1, 1, {"x"}},
    };
    for (const TWrapCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList lines =
            TfrxDrawText::wrapParagraph(c.text, evenWidths(c.text), c.firstWidth, c.width, true);
        EXPECT_EQ(lines, c.expected);
        for (const QString& line : lines)
            EXPECT_FALSE(line.startsWith(QLatin1Char(' ')));
    }
    EXPECT_EQ(TfrxDrawText::wrapParagraph("abc def", evenWidths("abc def"), 20, 20, false),
              QStringList{"abc def"});
}

TEST(FontEngine, ReportFaceIsLiberationSans) {
    EXPECT_EQ(TfrxFontEngine::instance().checkReportFace(), QString());
    EXPECT_TRUE(TfrxFontEngine::instance().faceFile(TfrxFont()).contains("LiberationSans-Regular"));
    TfrxFont bold;
    bold.Bold = true;
    EXPECT_TRUE(TfrxFontEngine::instance().faceFile(bold).contains("LiberationSans-Bold"));
}

TEST(FontEngine, WholePixelAdvancesWithoutKerning) {
    TfrxFontEngine& engine = TfrxFontEngine::instance();
    const TfrxFont font;
    const int a = engine.textWidth(font, "A");
    const int v = engine.textWidth(font, "V");
    EXPECT_GT(a, 30);
    EXPECT_LT(a, 83);
    // "AV" is a classic kerning pair; without kerning it is the plain sum.
    EXPECT_EQ(engine.textWidth(font, "AV"), a + v);
    EXPECT_EQ(engine.textWidth(font, "fi"), engine.textWidth(font, "f") + engine.textWidth(font, "i"));
    const QVector<int> cumulative = engine.cumulativeWidths(font, "Место");
    ASSERT_EQ(cumulative.size(), 5);
    for (int i = 1; i < cumulative.size(); ++i)
        EXPECT_GT(cumulative[i], cumulative[i - 1]);
    TfrxFont big = font;
    big.Height = -24;
    EXPECT_GT(engine.textWidth(big, "Рейсы"), engine.textWidth(font, "Рейсы"));
}

// Texts of plain characters are looked up per character rather than shaped. A
// character beyond 16 bits is never plain and sends a text through the shaping;
// before it, shaping must give exactly what the lookup gives, in every style.
TEST(FontEngine, LookedUpCharactersAsShapingGivesThem) {
    TfrxFontEngine& engine = TfrxFontEngine::instance();
    QString alphabet;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        alphabet += QChar(c);
    for (char16_t c = 0xA0; c <= 0xFF; ++c)
        alphabet += QChar(c);
    for (char16_t c = 0x400; c < 0x460; ++c)
        alphabet += QChar(c);
    const QString texts[] = {alphabet, "Москва - Сочи (№ 12), 4500,00 р.", "ff fi fl AV Te \"Ёлка\" ±½ «ё»",
                             QString(alphabet).replace(' ', "")};
    const QString shaped = QString::fromUcs4(U"\U0001F600");
    for (const bool bold : {false, true})
        for (const bool italic : {false, true}) {
            TfrxFont font;
            font.Bold = bold;
            font.Italic = italic;
            for (const QString& text : texts) {
                SCOPED_TRACE(text.toStdString() + (bold ? " bold" : "") + (italic ? " italic" : ""));
                const TfrxGlyphRun looked = engine.glyphRun(font, text);
                const TfrxGlyphRun reference = engine.glyphRun(font, text + shaped);
                ASSERT_GE(reference.Glyphs.size(), text.size());
                EXPECT_EQ(looked.Glyphs, reference.Glyphs.mid(0, text.size()));
                EXPECT_EQ(looked.Advances, reference.Advances.mid(0, text.size()));
                EXPECT_EQ(looked.Characters, reference.Characters.mid(0, text.size()));
                EXPECT_EQ(looked.Spaces, text.count(QLatin1Char(' ')));
                EXPECT_TRUE(looked.OnePerCharacter);
                EXPECT_EQ(engine.cumulativeWidths(font, text),
                          engine.cumulativeWidths(font, text + shaped).mid(0, text.size()));
            }
        }
    // A combining mark is shaped with its base.
    const TfrxGlyphRun marked = engine.glyphRun(TfrxFont(), QString("e") + QChar(0x301));
    EXPECT_EQ(marked.Characters.size(), marked.Glyphs.size());
}

TEST(DrawText, LineHeightsAndWrappingOfRealText) {
    TfrxDrawText drawText;
    drawText.SetGaps(0, 0, 2);
    EXPECT_DOUBLE_EQ(drawText.LineHeight(), 15.28);
    TfrxFont nine;
    nine.Height = -12;
    drawText.SetFont(nine);
    EXPECT_DOUBLE_EQ(drawText.LineHeight(), 75 / 6.25 + 2);

    drawText.SetFont(TfrxFont());
    drawText.SetDimensions(60);
    drawText.SetText({"Москва Санкт-Петербург Владивосток", ""});
    const QVector<TfrxTextLine>& lines = drawText.GetWrappedText();
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines.first().FFlags, TfrxTextLine::FirstOfParagraph);
    EXPECT_EQ(lines.last().FText, " ");
    EXPECT_EQ(lines.last().FFlags, TfrxTextLine::FirstOfParagraph | TfrxTextLine::LastOfParagraph);
    EXPECT_LE(drawText.CalcWidth(), 60.0);
    EXPECT_DOUBLE_EQ(drawText.TextHeight(), lines.size() * 15.28);
}

// A whole text gives the lines of its paragraphs given one by one, however it is
// broken, spaced or wrapped.
TEST(DrawText, WholeTextWrapsAsItsParagraphs) {
    const QString texts[] = {"",
                             "1",
                             "Москва",
                             "Рейс №17 | Маршрут №4 | Москва -> Санкт-Петербург | 4500RUR | 90 мин.",
                             "Москва\r\nСочи",
                             "\r\n",
                             "Москва\r\n\r\nСанкт-Петербург Владивосток\r\n",
                             "Москва\rСочи",
                             "ВладивостокВладивостокВладивосток"};
    const struct {
        bool WordWrap;
        double Width;
        double ParagraphGap;
        double CharSpacing;
    } settings[] = {
        {true, 60, 0, 0}, {true, 200, 0, 0}, {false, 60, 0, 0}, {true, 60, 10, 0}, {true, 60, 0, 1.5}};
    for (const auto& setting : settings)
        for (const QString& text : texts) {
            SCOPED_TRACE(text.toStdString() + " width " + std::to_string(setting.Width));
            TfrxDrawText whole;
            TfrxDrawText split;
            for (TfrxDrawText* drawText : {&whole, &split}) {
                drawText->SetOptions(setting.WordWrap);
                drawText->SetGaps(setting.ParagraphGap, setting.CharSpacing, 2);
                drawText->SetDimensions(setting.Width);
            }
            whole.SetWholeText(text);
            split.SetText(text.isEmpty() ? QStringList() : text.split(QStringLiteral("\r\n")));
            ASSERT_EQ(whole.GetWrappedText().size(), split.GetWrappedText().size());
            for (qsizetype i = 0; i < whole.GetWrappedText().size(); ++i) {
                EXPECT_EQ(whole.GetWrappedText()[i].FText, split.GetWrappedText()[i].FText) << i;
                EXPECT_EQ(whole.GetWrappedText()[i].FFlags, split.GetWrappedText()[i].FFlags) << i;
            }
        }
}
