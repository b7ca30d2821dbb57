#include "app/DatabaseChoice.h"

#include <gtest/gtest.h>

namespace {

struct TChoiceCase {
    QStringList Arguments;
    QByteArray Environment; // ZELVORA_DB; empty for unset
    QString Expected;
};

class DatabaseChoice : public ::testing::TestWithParam<TChoiceCase> {
protected:
    void SetUp() override {
        if (GetParam().Environment.isEmpty())
            qunsetenv("ZELVORA_DB");
        else
            qputenv("ZELVORA_DB", GetParam().Environment);
    }
    void TearDown() override { qunsetenv("ZELVORA_DB"); }
};

const QString Server = QStringLiteral("postgresql://desk@office:5432/kassa");

} // namespace

TEST_P(DatabaseChoice, OptionThenEnvironmentThenTheFileInTheCurrentFolder) {
    EXPECT_EQ(chosenDatabase(GetParam().Arguments), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DatabaseChoice,
    ::testing::Values(TChoiceCase{{"zelvora"}, {}, QStringLiteral("db.sqlite")},
                      TChoiceCase{{"zelvora", "--db", Server}, {}, Server},
                      TChoiceCase{{"zelvora", "--db=" + Server}, {}, Server},
                      TChoiceCase{{"zelvora"}, Server.toUtf8(), Server},
                      TChoiceCase{{"zelvora", "--db", "other.sqlite"}, Server.toUtf8(), "other.sqlite"},
                      // "--db" without a name names nothing; the program itself is no option.
                      TChoiceCase{{"zelvora", "--db"}, {}, QStringLiteral("db.sqlite")},
                      TChoiceCase{{"--db=x"}, {}, QStringLiteral("db.sqlite")}));
