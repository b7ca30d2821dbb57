// Times a LIKE search of long texts: one stored text of 1 MB against search
// patterns of growing length, each written so that nearly every place in the
// text almost matches (the text all "a", the pattern "a…ab"), which is where
// matching by trying each place in turn takes the text's length times the
// pattern's. Once as a user's search ("%text%"), once with "_" in the pattern.
// Prints one "name seconds" a line.
#include "BenchClock.h"
#include "data/LikePattern.h"

#include <QString>

int main() {
    const QString text(1 << 20, QLatin1Char('a'));
    for (const int length : {100, 1000, 4000, 10000, 40000}) {
        const QString literal = QString(length - 1, QLatin1Char('a')) + QLatin1Char('b');
        QString withAny = literal;
        withAny[length / 2] = QLatin1Char('_');
        for (const auto& [name, pattern] : {std::pair{"search", literal}, std::pair{"underscore", withAny}}) {
            const TLikePattern like(QLatin1Char('%') + pattern + QLatin1Char('%'));
            TBenchClock clock;
            const bool found = like.matches(text);
            std::printf("%s_%d_s %.4f%s\n", name, length, clock.lap(), found ? " (found?)" : "");
        }
    }
    return 0;
}
