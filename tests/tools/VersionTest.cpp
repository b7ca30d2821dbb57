#include "ToolRun.h"

#include "resources/ProgramInfo.h"

#include <gtest/gtest.h>

// Both tools tell the build's one version, in the form their manual pages are
// written from: the name, a space, the version.
TEST(ToolVersion, EachToolTellsTheBuildsVersionAndListsTheOption) {
    const struct {
        const char* Program;
        const char* Name;
    } tools[] = {
        {ZELVORA_DB_TOOL, "zelvora-db"},
        {ZELVORA_REPORT_TOOL, "zelvora-report"},
    };
    for (const auto& tool : tools) {
        const TRun version = runProgram(QString::fromUtf8(tool.Program), {QStringLiteral("--version")});
        EXPECT_EQ(version.ExitCode, 0) << tool.Name;
        EXPECT_EQ(version.Out,
                  QStringLiteral("%1 %2\n").arg(QLatin1String(tool.Name), QLatin1String(ZelvoraVersion)));
        EXPECT_TRUE(version.ErrLines.isEmpty()) << version.ErrLines.join(u'\n').toStdString();
        const TRun help = runProgram(QString::fromUtf8(tool.Program), {QStringLiteral("--help")});
        EXPECT_TRUE(help.Out.contains(QStringLiteral("--version"))) << tool.Name;
    }
}
