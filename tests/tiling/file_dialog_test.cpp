#include "tiling/file_dialog.h"

#include <gtest/gtest.h>

#include "tiling/support/scripted_file_dialog.h"

namespace mosaren {
namespace {

using testing::ScriptedFileDialog;
using Names = std::vector<std::string>;

TEST(FileDialog, CancelAtFirstRunLeavesNameEmpty) {
    ScriptedFileDialog dialog;
    dialog.Cancel();
    EXPECT_FALSE(dialog.RunFileDialog());
    EXPECT_EQ(dialog.FileName(), "");
    EXPECT_TRUE(dialog.ChosenFiles().empty());
    EXPECT_EQ(dialog.FilterIndex(), 1);
}

TEST(FileDialog, CancelKeepsLastAcceptedNameAndNextRunOpensWithIt) {
    ScriptedFileDialog dialog;
    dialog.Accept({"/tex/grass.bmp"}, 2).Cancel().Cancel();
    ASSERT_TRUE(dialog.RunFileDialog());
    EXPECT_FALSE(dialog.RunFileDialog());
    EXPECT_EQ(dialog.FileName(), "/tex/grass.bmp");
    EXPECT_EQ(dialog.FilterIndex(), 2);
    EXPECT_FALSE(dialog.RunFileDialog());
    EXPECT_EQ(dialog.PrefilledNames(), (Names{"", "/tex/grass.bmp", "/tex/grass.bmp"}));
    EXPECT_EQ(dialog.PrefilledFilters(), (std::vector<int>{1, 2, 2}));
}

TEST(FileDialog, CancelEmptiesTheListOfAnEarlierRun) {
    ScriptedFileDialog dialog;
    dialog.Accept({"/tex/a.bmp", "/tex/b.bmp"}).Cancel();
    ASSERT_TRUE(dialog.RunFileDialog());
    EXPECT_EQ(dialog.ChosenFiles(), (Names{"/tex/a.bmp", "/tex/b.bmp"}));
    EXPECT_FALSE(dialog.RunFileDialog());
    EXPECT_TRUE(dialog.ChosenFiles().empty());
}

TEST(FileDialog, AcceptedMultipleSelectionNamesItsFirstFile) {
    ScriptedFileDialog dialog;
    dialog.Accept({"/tex/b.bmp", "/tex/a.bmp"});
    ASSERT_TRUE(dialog.RunFileDialog());
    EXPECT_EQ(dialog.FileName(), "/tex/b.bmp");
    EXPECT_EQ(dialog.ChosenFiles(), (Names{"/tex/b.bmp", "/tex/a.bmp"}));
}

TEST(FileDialog, FailingRunLeavesNoListAndKeepsTheName) {
    ScriptedFileDialog dialog;
    dialog.Accept({"/tex/a.bmp"}).Fail();
    ASSERT_TRUE(dialog.RunFileDialog());
    EXPECT_THROW(dialog.RunFileDialog(), std::runtime_error);
    EXPECT_TRUE(dialog.ChosenFiles().empty());
    EXPECT_EQ(dialog.FileName(), "/tex/a.bmp");
}

struct SplitCase {
    const char* name;
    Names strings;
    Names chosen;
};

class SplitSelectionTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitSelectionTest, GivesFullPathsInTheDialogsOrder) {
    EXPECT_EQ(SplitSelection(GetParam().strings), GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, SplitSelectionTest,
    ::testing::Values(
        SplitCase{"OneFileAlone", {"/tex/a.bmp", ""}, {"/tex/a.bmp"}},
        SplitCase{"OneFileWithoutEnd", {"/tex/a.bmp"}, {"/tex/a.bmp"}},
        SplitCase{"FolderAndNames", {"/tex", "b.bmp", "a.bmp", ""}, {"/tex/b.bmp", "/tex/a.bmp"}},
        SplitCase{"RootGetsNoSecondSlash", {"/", "a.bmp", "b.bmp", ""}, {"/a.bmp", "/b.bmp"}},
        SplitCase{"FolderEndingInSlash", {"/tex/", "a.bmp", "b.bmp"}, {"/tex/a.bmp", "/tex/b.bmp"}},
        SplitCase{"AbsoluteNamesKept",
                  {"/tex", "/other/c.bmp", "d.bmp", ""},
                  {"/other/c.bmp", "/tex/d.bmp"}},
        SplitCase{"EmptyNameEndsTheList", {"/tex", "a.bmp", "", "b.bmp"}, {"/tex/a.bmp"}},
        SplitCase{"NamesWithSpacesAndCommas",
                  {"/My Textures", "red, old.bmp", "x y.bmp"},
                  {"/My Textures/red, old.bmp", "/My Textures/x y.bmp"}},
        SplitCase{"NothingChosen", {}, {}},
        SplitCase{"EmptyFirstString", {"", "a.bmp"}, {}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mosaren
