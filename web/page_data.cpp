#include "web/page_data.h"

#include <algorithm>
#include <utility>

#include "chain/chain_file.h"
#include "display/form_drawing.h"
#include "display/layout.h"
#include "toolkit/text.h"
#include "window/commands.h"
#include "window/run_speed.h"

namespace tessel {
namespace {

nlohmann::ordered_json box(const BoxLayout& layout) {
  return boxJson(pixelBox(layout));
}

nlohmann::ordered_json font(const FontSpec& face) {
  return fontJson(face);
}

}  // namespace

nlohmann::ordered_json boxJson(const PixelRect& rect) {
  return {rect.left, rect.top, rect.width, rect.height};
}

nlohmann::ordered_json fontJson(const FontSpec& face) {
  return {{"pixels", fontPixels(face)}, {"weight", face.weight}, {"italic", face.italic}};
}

nlohmann::ordered_json captionWithMnemonic(const std::string& caption, char letter) {
  return {{"text", caption},
          {"at", caption.empty() ? -1 : static_cast<int>(mnemonicOffset(caption, letter))}};
}

std::string pageLayout() {
  nlohmann::ordered_json rateBoxes = nlohmann::ordered_json::array();
  for (const RateBoxLayout& rate : kRateBoxes) rateBoxes.push_back(box(rate.box));
  nlohmann::ordered_json buttons = nlohmann::ordered_json::array();
  for (const ButtonLayout& button : kButtons) buttons.push_back(box(button.box));
  nlohmann::ordered_json circles = nlohmann::ordered_json::array();
  for (const CircleLayout& circle : kStateCircles) circles.push_back(box(circle.box));
  nlohmann::ordered_json nameLabels = nlohmann::ordered_json::array();
  for (const NameLabelLayout& label : kNameLabels) nameLabels.push_back(box(label.box));
  return nlohmann::ordered_json{{"caption", kMainForm.caption},
                                {"form", box(BoxLayout{0, 0, kFormWidth, kFormHeight})},
                                {"scenarioList", box(kScenarioListBox)},
                                {"buttons", buttons},
                                {"rateBoxes", rateBoxes},
                                {"circles", circles},
                                {"nameLabels", nameLabels},
                                {"statusLine", box(kStatusLineBox)},
                                {"statusMargin", kStatusStripMargin * kPixelsPerTwip},
                                {"speedLabel", box(kSpeedLabelBox)},
                                {"speedList", box(kSpeedBox)},
                                {"longRun", box(kLongRunBox)},
                                {"fonts",
                                 {{"scenarioList", font(kScenarioListFont)},
                                  {"button", font(kButtonFont)},
                                  {"rateBox", font(kRateBoxFont)},
                                  {"strip", font(kStatusStripFont)},
                                  {"nameLabel", font(kNameLabelFont)},
                                  {"countLabel", font(kCountLabelFont)}}},
                                {"mostChainFileBytes", kMostChainFileBytes}}
      .dump();
}

std::string pageTexts() {
  const auto tool = [](Command which) {
    const CommandInfo& info = commandInfo({which});
    return nlohmann::ordered_json{{"caption", _(info.caption)}, {"title", _(info.toolTip)}};
  };
  const CommandInfo& speed = commandInfo({Command::ChooseSpeed});
  const CommandInfo& longRun = commandInfo({Command::LongRun});
  nlohmann::ordered_json speeds = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < kRunSpeeds.size(); ++i) speeds.push_back(speedLabel(i));
  // Each language in its own words; the browser's first.
  using Json = nlohmann::ordered_json;
  Json languageList = Json::array({Json::array({"", uiText(UiText::BrowserLanguage)})});
  for (const Language& spoken : languages()) {
    languageList.push_back(Json::array({spoken.code, spoken.name}));
  }
  std::string tag(language());
  std::replace(tag.begin(), tag.end(), '_', '-');
  return nlohmann::ordered_json{
      {"caption", kMainForm.caption},
      {"lang", tag.substr(0, tag.find('@'))},
      {"language", tool(Command::ChooseLanguage)},
      {"languages", languageList},
      {"buttonTitles",
       {_(commandInfo({Command::One}).toolTip), _(commandInfo({Command::StartStop}).toolTip),
        _(commandInfo({Command::PauseContinue}).toolTip)}},
      {"scenarioList", uiText(UiText::ScenarioList)},
      {"scenarioListTip", uiText(UiText::ScenarioListTip)},
      {"speed", captionWithMnemonic(_(speed.caption), speed.altLetter)},
      {"speedTip", _(speed.toolTip)},
      {"speeds", speeds},
      {"longRun", captionWithMnemonic(_(longRun.caption), longRun.altLetter)},
      {"longRunTip", _(longRun.toolTip)},
      {"longRunName", uiText(UiText::LongRunName)},
      {"nameEditor", uiText(UiText::NameEditor)},
      {"fullScreenKeys", uiText(UiText::FullScreenKeys)},
      {"open", tool(Command::Open)},
      {"save", tool(Command::Save)},
      {"share", tool(Command::ShareLink)},
      {"fullScreen", tool(Command::FullScreen)},
      {"toolsName", uiText(UiText::ToolsName)},
      {"counts", uiText(UiText::CountsCaption)},
      {"headings",
       {uiText(UiText::StateHeading), uiText(UiText::NameHeading), uiText(UiText::VisitsHeading),
        uiText(UiText::ShareHeading), uiText(UiText::LongRunHeading)}},
      {"description", uiText(UiText::PageDescription)},
      {"noScript", uiText(UiText::NoScript)},
      {"cannotStart", uiText(UiText::CannotStart)}}
      .dump();
}

}  // namespace tessel
