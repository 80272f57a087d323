#include "export/run_files.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace mosaren {
namespace {

// What a row stores is what it reports the run writes: the collisions, the build record and the
// writers see the very name the option gave, under that row.
TEST(OutputKinds, ReportTheFileTheyStore) {
    for (const OutputKind& kind : OutputKinds()) {
        SCOPED_TRACE(kind.option);
        ASSERT_NE(kind.store, nullptr);
        ASSERT_NE(kind.files, nullptr);
        ASSERT_NE(kind.write, nullptr);
        OutputSettings output;
        kind.store(output, "out/file.name");
        const std::vector<RunFile> files = RunFilesOf(output);
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files[0].file, "out/file.name");
        EXPECT_EQ(files[0].kind, &kind);
        EXPECT_EQ(files[0].role, kind.role);
        EXPECT_EQ(files[0].option, std::string("--") + kind.option);
    }
}

TEST(OutputKinds, HaveOptionsOfTheirOwnAndOneSheet) {
    std::set<std::string> options;
    int sheets = 0;
    for (const OutputKind& kind : OutputKinds()) {
        EXPECT_TRUE(options.insert(kind.option).second) << kind.option;
        if (kind.role == RunFileRole::Sheet) {
            ++sheets;
            // The front end reads the sheet first, with its layout.
            EXPECT_EQ(kind.step, 0);
        } else {
            EXPECT_GT(kind.step, 0) << kind.option;
        }
    }
    EXPECT_EQ(sheets, 1);
}

// The sheet goes first, as the others describe it, and the preview last; a list gives a file for
// each of its names, in order.
TEST(RunFilesOf, WritesTheSheetFirstAndThePreviewLast) {
    OutputSettings output;
    for (const OutputKind& kind : OutputKinds()) {
        kind.store(output, std::string(kind.option) + ".1");
        if (kind.list) kind.store(output, std::string(kind.option) + ".2");
    }
    const std::vector<RunFile> files = RunFilesOf(output);
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.front().role, RunFileRole::Sheet);
    EXPECT_EQ(files.back().role, RunFileRole::Preview);
    std::size_t expected = 0;
    for (const OutputKind& kind : OutputKinds()) expected += kind.list ? 2 : 1;
    EXPECT_EQ(files.size(), expected);
    for (std::size_t i = 1; i < files.size(); ++i) {
        if (files[i].kind == files[i - 1].kind) {
            EXPECT_EQ(files[i].file, std::string(files[i].kind->option) + ".2");
        }
    }
}

}  // namespace
}  // namespace mosaren
