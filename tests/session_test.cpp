// The session every front-end drives: what a user does through it and what
// it tells a front-end to show, checked without any front-end.

#include "window/session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/recording_canvas.h"

namespace tessel {
namespace {

const std::string kWeather = R"({"format": "tessel-chain", "version": 1, "title": "Weather",
  "states": ["Sunny", "Cloudy", "Rainy"], "rates": {"Sunny->Cloudy": 2, "Cloudy->Rainy": 1.5}})";

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() : session_({5, NumberFormat{}, FrontEnd::Page}) { session_.load(); }

  std::string strip() const { return session_.strip().text; }

  Session session_;
};

TEST_F(SessionTest, ACountEndsExactlyAtItsTickAtEverySpeedAndPausesOrHolds) {
  for (std::size_t speed = 0; speed < kRunSpeeds.size(); ++speed) {
    for (const AtCount atCount : {AtCount::Pause, AtCount::Hold}) {
      Session session({5, NumberFormat{}});
      session.load();
      session.setSpeed(speed);
      RunSetup count;
      count.countTicks = 2345;
      session.apply(count, atCount);
      int reached = 0;
      for (int frame = 0; frame < 3000; ++frame) reached += session.runFrame().countReached;
      EXPECT_EQ(session.ticksRun(), 2345U) << kRunSpeeds[speed].name;
      EXPECT_EQ(reached, 1) << kRunSpeeds[speed].name;
      // Paused there, "Cont" runs on without a count; held, nothing more runs.
      EXPECT_EQ(session.buttonCaption(2), atCount == AtCount::Pause ? "Cont" : "Pause");
      session.perform({Command::PauseContinue});
      session.runFrame();
      EXPECT_EQ(session.ticksRun() > 2345U, atCount == AtCount::Pause);
    }
  }
}

TEST_F(SessionTest, TheStripShowsAnErrorBeforeANoticeBeforeTheLongRunNoteBeforeTheHint) {
  EXPECT_EQ(session_.strip().isHint, true);
  EXPECT_EQ(strip(), hint(FrontEnd::Page));
  session_.setTouch(true);
  EXPECT_EQ(strip().find("click"), std::string::npos) << strip();
  session_.setTouch(false);
  session_.setLongRun(true);
  // Blue leaves for Purple or for Green, and neither comes back.
  session_.pickEntry(2);  // Office
  session_.typeRate(4, "0");
  session_.typeRate(2, "0");
  EXPECT_EQ(strip().rfind("The long run depends on the start", 0), 0U) << strip();
  session_.chainSaved("/tmp/deep/folder/weather.tessel");
  EXPECT_EQ(strip(), "Saved the chain as \"weather.tessel\".");
  session_.typeRate(3, "abc");
  session_.perform({Command::One});
  EXPECT_TRUE(session_.strip().problem);
  EXPECT_EQ(strip(), session_.form().lastError()->what());
}

TEST_F(SessionTest, OpensEachDocumentAndNamesTheFilesThatCannotBeOpened) {
  const std::vector<Document> documents{
      {"weather.tessel", kWeather, std::nullopt},
      {"/tmp/home/teacher/Documents/Lessons/Week 3/broken.tessel", "{", std::nullopt},
      {"gone.tessel", "", "No such file or directory"},
      {"empty.tessel", "", ""}};
  EXPECT_EQ(session_.openDocuments(documents), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(session_.controls().scenarioList.text, "Weather");
  EXPECT_EQ(strip(),
            "Cannot open \"broken.tessel\": it is not JSON: at line 1, column 2, syntax error "
            "while parsing object key - unexpected end of input; expected string literal. (2 "
            "more files could not be opened either.)");
  EXPECT_TRUE(session_.strip().problem);
  session_.openDocuments(std::vector<Document>{documents[2]});
  EXPECT_EQ(strip(), "Cannot open \"gone.tessel\": it cannot be read (No such file or directory).");
  session_.openDocuments(std::vector<Document>{documents[3]});
  EXPECT_EQ(strip(), "Cannot open \"empty.tessel\": it cannot be read.");
  EXPECT_FALSE(session_.openLinkedChain("[]", LinkPlace::Address));
  EXPECT_EQ(strip(),
            "Cannot open the chain in the address: it is not a chain: it holds no JSON "
            "object.");
}

TEST_F(SessionTest, SavesTheChainOnTheWindowOrSaysWhichRateHoldsNoNumber) {
  session_.openDocuments(std::vector<Document>{{"weather.tessel", kWeather, std::nullopt}});
  const auto chain = session_.chainToSave();
  ASSERT_TRUE(chain.has_value());
  EXPECT_EQ(chain->fileName, "Weather.tessel");
  EXPECT_EQ(std::get<Chain>(readChain(chain->document)).states[2], "Rainy");
  session_.typeRate(3, " ");
  EXPECT_FALSE(session_.chainToSave().has_value());
  EXPECT_EQ(strip(),
            "The rate from \"Sunny\" to \"Cloudy\" is empty; the chain is not saved "
            "until it holds one.");
  EXPECT_EQ(session_.saveName(), "chain.tessel");
}

TEST_F(SessionTest, ARenamedStateIsLeftOutOfTheDrawingUntilTheEditEnds) {
  const auto names = [this] {
    RecordingCanvas canvas;
    session_.draw(canvas);
    std::vector<std::string> texts;
    for (const auto& op : canvas.operations()) {
      if (op.font == kNameLabelFont) texts.push_back(op.text);
    }
    return texts;
  };
  ASSERT_FALSE(session_.takeRepaint().empty()) << "the first drawing is whole";
  EXPECT_TRUE(session_.takeRepaint().empty());
  EXPECT_FALSE(session_.beginRename(kCyan)) << "not on the window";
  ASSERT_TRUE(session_.beginRename(kBlue));
  EXPECT_EQ(names(), (std::vector<std::string>{"", "On Phone", "", ""}));
  EXPECT_FALSE(session_.takeRepaint().empty()) << "the name's box is drawn again";
  EXPECT_TRUE(session_.finishRename(std::nullopt)) << "Esc drops it";
  EXPECT_EQ(names(), (std::vector<std::string>{"Off Phone", "On Phone", "", ""}));
  session_.beginRename(kBlue);
  EXPECT_FALSE(session_.finishRename("on phone"));
  EXPECT_EQ(strip(), "Two states are named \"on phone\".");
  session_.beginRename(kBlue);
  EXPECT_TRUE(session_.finishRename("Idle"));
  EXPECT_EQ(session_.rateBoxName(3), "Rate from Idle to On Phone");
}

TEST_F(SessionTest, ReadsTheCountsTableInTheWordsOfTheScreen) {
  session_.setLongRun(true);
  session_.perform({Command::StartStop});
  session_.runTicks(1000);
  const std::vector<CountsRow> rows = session_.counts();
  ASSERT_EQ(rows.size(), 2U);
  EXPECT_EQ(rows[0].colour, "Blue");
  EXPECT_EQ(rows[0].name, "Off Phone");
  EXPECT_EQ(rows[1].visits, session_.controls().visitCounts[1].caption.substr(1));
  EXPECT_EQ(rows[1].share, session_.controls().shareLabels[1].caption.substr(1) + "%");
  EXPECT_EQ(rows[0].longRun, session_.controls().longRunMarks[0].caption + "%");
}

TEST_F(SessionTest, AnAddressIsAppliedInTheOrderThePageReadsIt) {
  const std::vector<std::pair<std::string, std::string>> address{
      {"speed", "3"},    {"scenario", "Office"}, {"seed", "-1"},
      {"colour", "red"}, {"count-ticks", "20"},  {"long-run", "1"}};
  const RunSetup setup = readAddress(address);
  EXPECT_EQ(setup.problems, (std::vector<std::string>{
                                "seed needs a whole number from 0 to 2^64-1, not \"-1\"",
                                "\"colour\" is not one of scenario, seed, speed, long-run, "
                                "count-ticks, chain, lang, view",
                                "speed needs one of 1, 2, 5, 10, 100, 1000, max, not \"3\""}));
  session_.apply(setup, AtCount::Pause);
  EXPECT_EQ(session_.controls().scenarioList.text, "Office");
  EXPECT_TRUE(session_.longRunShown());
  EXPECT_EQ(session_.buttonCaption(1), "Stop") << "a count starts with Start";
  EXPECT_EQ(strip(), "The page's address is not understood: " + setup.problems[0] + ".");
}

}  // namespace
}  // namespace tessel
