#include "report_engine/prepared/PreparedTexts.h"

#include <gtest/gtest.h>

// Many texts, more than 65,536 of them, so the index grows several times, the texts
// fill several blocks and the later texts' numbers need more than 16 bits;
// a text longer than a block, texts that just fill one or just overflow it, short
// texts after them; the empty text; equal texts added again later.
TEST(PreparedTexts, EqualTextsShareOneNumberAndEveryTextReadsBack) {
    TfrxPreparedTexts texts;
    std::vector<QString> added;
    for (int i = 0; i < 70000; ++i)
        added.push_back(QStringLiteral("Рейс №%1 | Москва -> Сочи").arg(i));
    added.push_back(QString(100000, QLatin1Char('x')));
    for (const qsizetype length : {65534, 65535, 65536, 65533, 1, 65532})
        added.push_back(QString(length, QLatin1Char('a' + length % 7)));
    added.push_back(QStringLiteral("Москва"));
    added.push_back(QString());
    std::vector<int> ids;
    for (const QString& text : added)
        ids.push_back(texts.add(text));
    EXPECT_EQ(texts.count(), static_cast<int>(added.size()));
    for (size_t i = 0; i < added.size(); ++i) {
        EXPECT_EQ(texts.text(ids[i]), added[i]);
        EXPECT_EQ(texts.add(QString(added[i])), ids[i]) << i;
    }
    EXPECT_EQ(texts.count(), static_cast<int>(added.size()));
    texts.clear();
    EXPECT_EQ(texts.count(), 0);
    EXPECT_EQ(texts.add(added[5]), 0);
}

// A plain number is its own text number and takes no storage; any text that the
// number would not give back exactly is stored like every other text.
TEST(PreparedTexts, PlainNumbersAreKeptAsNumbersAndReadBackExactly) {
    const struct {
        const char* text;
        bool plain;
    } cases[] = {
        {"0", true},           {"7", true},    {"120", true},  {"999999999", true}, {"1000000000", false},
        {"2147483648", false}, {"00", false},  {"007", false}, {"-5", false},       {"+5", false},
        {"1 000", false},      {" 12", false}, {"12 ", false}, {"1.5", false},      {"١٢٣", false},
        {"12a", false},        {"", false},
    };
    TfrxPreparedTexts texts;
    texts.add(u"Москва");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        const int stored = texts.count();
        const int id = texts.add(text);
        EXPECT_EQ(texts.text(id), text);
        EXPECT_EQ(texts.add(QString(text)), id);
        EXPECT_EQ(texts.count(), c.plain ? stored : stored + 1);
        EXPECT_EQ(TfrxPreparedTexts::storedIndex(id) < 0, c.plain);
        EXPECT_NE(id, texts.add(text + QLatin1Char('5')));
    }
    EXPECT_EQ(texts.text(texts.add(u"Москва")), QStringLiteral("Москва"));
}

// Texts of every kind a report prints, and texts that differ from one another in
// a single character at the edges of the Russian alphabet: each reads back exactly
// and keeps a number of its own.
TEST(PreparedTexts, TextsOfEveryKindReadBackExactlyAndStayDistinct) {
    const QString cases[] = {
        QStringLiteral("Рейс №12 | Москва -> Сочи"),
        QStringLiteral("Ёлкин Пётр «Север» – — … 5°"),
        QStringLiteral("АБВ абв яЯ"),
        QStringLiteral("Џ"),      // just before А
        QStringLiteral("ѐ"),      // just after я
        QStringLiteral("\u0080"), // the first character past ASCII
        QStringLiteral("\u007F"),
        QStringLiteral("Москва\u0301"),
        QStringLiteral("Москва"),
        QStringLiteral("Zoë"),
        QStringLiteral("€ 10"),
        QStringLiteral("𝄞"),
        QStringLiteral("a\u00A0b"),
        QString(QChar(u'\0')),
        QString(70000, QChar(u'ж')),
        QString(40000, QChar(u'ж')) + QChar(u'Ω'),
    };
    TfrxPreparedTexts texts;
    std::vector<int> ids;
    for (const QString& text : cases)
        ids.push_back(texts.add(text));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(texts.text(ids[i]), cases[i]);
        EXPECT_EQ(texts.add(QString(cases[i])), ids[i]);
    }
    EXPECT_EQ(texts.count(), static_cast<int>(std::size(cases)));
}
