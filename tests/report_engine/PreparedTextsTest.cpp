#include "report_engine/prepared/PreparedTexts.h"

#include <gtest/gtest.h>

// Many texts, so the index grows several times and the texts fill several blocks;
// a text longer than a block, texts that just fill one or just overflow it, short
// texts after them; the empty text; equal texts added again later.
TEST(PreparedTexts, EqualTextsShareOneNumberAndEveryTextReadsBack) {
    TfrxPreparedTexts texts;
    std::vector<QString> added;
    for (int i = 0; i < 30000; ++i)
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
