// The main dialog's state and command dispatch, shared by both front ends.
#include "viewer/results_dialog_state.h"

#include <gtest/gtest.h>

#include "viewer/results_commands.h"

namespace viewer {
namespace {

TEST(ResultsDialogStateTest, StartsInEnglishWithTheResourceMenu) {
  ResultsDialogState state;
  EXPECT_EQ(state.language(), report::kEnglish);
  EXPECT_EQ(state.ButtonCaption(), "Upload");
  EXPECT_EQ(state.CheckedLanguageCommand(), kCommandEnglish);
  EXPECT_FALSE(state.menu_renamed());
  EXPECT_EQ(state.menu().file, "File");
}

TEST(ResultsDialogStateTest, LanguageSwitchRenamesTheMenuAndMovesTheCheckMark) {
  ResultsDialogState state;
  state.SelectLanguage(report::kFrench);
  EXPECT_TRUE(state.menu_renamed());
  EXPECT_EQ(state.CheckedLanguageCommand(), kCommandFrench);
  EXPECT_EQ(state.menu().file, "Fichier");
  EXPECT_EQ(state.menu().exit, "Sortie");
  EXPECT_EQ(state.menu().french,
            "Fran\xE7"
            "ais");
  EXPECT_EQ(state.ButtonCaption(), "Upload");

  state.SelectLanguage(report::kGerman);
  EXPECT_EQ(state.CheckedLanguageCommand(), kCommandGerman);
  EXPECT_EQ(state.menu().language, "Sprache");

  state.SelectLanguage(3);  // not a language: nothing changes
  EXPECT_EQ(state.language(), report::kGerman);
}

TEST(ResultsCommandsTest, DispatchesTheDialogsCommandIds) {
  struct Case {
    int id;
    CommandAction action;
    int language;
  } cases[] = {
      {1001, CommandAction::kUpload, -1},
      {2, CommandAction::kClose, -1},
      {32771, CommandAction::kSelectLanguage, 0},
      {32772, CommandAction::kSelectLanguage, 1},
      {32773, CommandAction::kSelectLanguage, 2},
      {57664, CommandAction::kAbout, -1},
      {1, CommandAction::kNone, -1},
      {16, CommandAction::kNone, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    DispatchedCommand command = DispatchCommand(c.id);
    EXPECT_EQ(command.action, c.action);
    EXPECT_EQ(command.language, c.language);
  }
}

}  // namespace
}  // namespace viewer
