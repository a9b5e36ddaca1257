#include "web/page_data.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "chain/chain_file.h"
#include "display/arrangement.h"
#include "display/form_drawing.h"
#include "display/layout.h"
#include "toolkit/text.h"
#include "window/commands.h"
#include "window/run_speed.h"
#include "window/view_pictures.h"

namespace tessel {
namespace {

nlohmann::ordered_json box(const BoxLayout& layout) {
  return boxJson(pixelBox(layout));
}

nlohmann::ordered_json font(const FontSpec& face) {
  return fontJson(face);
}

// An arrangement of the form: its size, and how far each part's controls
// move from their design places, in design pixels.
nlohmann::ordered_json arrangement(const Arrangement& arranged, int statusLineWidth) {
  constexpr std::array<std::pair<const char*, FormPart>, kFormPartCount> kParts{{
      {"diagram", FormPart::Diagram},
      {"controls", FormPart::Controls},
      {"view", FormPart::View},
      {"statusLine", FormPart::StatusLine},
      {"stripControls", FormPart::StripControls},
  }};
  nlohmann::ordered_json parts = nlohmann::ordered_json::object();
  for (const auto& [name, part] : kParts) {
    const Arrangement::Offset by = arranged.offset(part);
    parts[name] = {by.dx * kPixelsPerTwip, by.dy * kPixelsPerTwip};
  }
  nlohmann::ordered_json statusWidth = nullptr;
  if (statusLineWidth > 0) statusWidth = statusLineWidth * kPixelsPerTwip;
  return {{"form", box(BoxLayout{0, 0, arranged.width, arranged.height})},
          {"parts", parts},
          {"statusLineWidth", statusWidth}};
}

// The least size of a target a finger taps, in CSS pixels, as phones'
// guidelines ask for.
constexpr int kFingerTargetPixels = 44;

}  // namespace

nlohmann::ordered_json boxJson(const PixelRect& rect) {
  return {rect.left, rect.top, rect.width, rect.height};
}

nlohmann::ordered_json fontJson(const FontSpec& face) {
  return {{"pixels", fontPixels(face)}, {"weight", face.weight}, {"italic", face.italic}};
}

nlohmann::ordered_json captionWithMnemonic(const std::string& caption, char letter) {
  const std::size_t offset = mnemonicOffset(caption, letter);
  if (offset == std::string_view::npos) return {{"text", caption}, {"at", -1}};
  // The letter's place as a script counts it: in UTF-16 units, not bytes.
  int at = 0;
  for (const char c : std::string_view(caption).substr(0, offset)) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0U) != 0x80U) at += byte >= 0xF0U ? 2 : 1;
  }
  return {{"text", caption}, {"at", at}};
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
                                {"viewList", box(kViewListBox)},
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
                                {"smallestCaptionShare", kSmallestCaptionShare},
                                // The design's arrangement, then the stacked
                                // one for a screen taller than it is wide.
                                {"arrangements",
                                 {arrangement(kDesignArrangement, 0),
                                  arrangement(kStackedArrangement, stacked::kStatusLineWidth)}},
                                {"fingerTarget", kFingerTargetPixels},
                                {"mostChainFileBytes", kMostChainFileBytes}}
      .dump();
}

std::string pageStripBoxes(double speedLabelPixels, double longRunPixels, double viewListPixels) {
  const auto twips = [](double pixels) {
    return static_cast<int>(std::ceil(std::max(0.0, pixels) / kPixelsPerTwip));
  };
  const StripBoxes boxes =
      stripBoxes(twips(speedLabelPixels), twips(longRunPixels), twips(viewListPixels));
  return nlohmann::ordered_json{{"statusLine", box(boxes.statusLine)},
                                {"viewList", box(boxes.viewList)},
                                {"speedLabel", box(boxes.speedLabel)},
                                {"speedList", box(boxes.speedList)},
                                {"longRun", box(boxes.longRun)}}
      .dump();
}

std::string pageTexts() {
  // Assigned one by one from tables: an initializer list this long makes
  // much more code in the page's core.
  constexpr std::array<std::pair<const char*, UiText>, 10> kUiTexts{{
      {"scenarioList", UiText::ScenarioList},
      {"scenarioListTip", UiText::ScenarioListTip},
      {"longRunName", UiText::LongRunName},
      {"nameEditor", UiText::NameEditor},
      {"fullScreenKeys", UiText::FullScreenKeys},
      {"toolsName", UiText::ToolsName},
      {"counts", UiText::CountsCaption},
      {"description", UiText::PageDescription},
      {"noScript", UiText::NoScript},
      {"cannotStart", UiText::CannotStart},
  }};
  // The tools' captions and tooltips, and the view list's name and tooltip.
  constexpr std::array<std::pair<const char*, Command>, 6> kCommandTexts{{
      {"view", Command::ChooseView},
      {"language", Command::ChooseLanguage},
      {"open", Command::Open},
      {"save", Command::Save},
      {"share", Command::ShareLink},
      {"fullScreen", Command::FullScreen},
  }};
  using Json = nlohmann::ordered_json;
  Json texts = Json::object();
  std::string tag(language());
  std::replace(tag.begin(), tag.end(), '_', '-');
  texts["caption"] = kMainForm.caption;
  texts["lang"] = tag.substr(0, tag.find('@'));
  for (const auto& [key, text] : kUiTexts) texts[key] = uiText(text);
  // TRANSLATORS: confirms a rate typed in the larger editor a tap on a rate box opens.
  texts["ok"] = _("OK");
  // TRANSLATORS: closes that editor and keeps the rate as it was.
  texts["cancel"] = _("Cancel");
  for (const auto& [key, command] : kCommandTexts) {
    const CommandInfo& info = commandInfo({command});
    texts[key]["caption"] = _(info.caption);
    texts[key]["title"] = _(info.toolTip);
  }
  for (const Command button : {Command::One, Command::StartStop, Command::PauseContinue}) {
    texts["buttonTitles"].push_back(_(commandInfo({button}).toolTip));
  }
  for (const UiText heading : {UiText::StateHeading, UiText::NameHeading, UiText::VisitsHeading,
                               UiText::ShareHeading, UiText::LongRunHeading}) {
    texts["headings"].push_back(uiText(heading));
  }
  for (const Command control : {Command::ChooseSpeed, Command::LongRun}) {
    const CommandInfo& info = commandInfo({control});
    const char* key = control == Command::LongRun ? "longRun" : "speed";
    texts[key] = captionWithMnemonic(_(info.caption), info.altLetter);
    texts[std::string(key) + "Tip"] = _(info.toolTip);
  }
  for (std::size_t i = 0; i < kRunSpeeds.size(); ++i) texts["speeds"].push_back(speedLabel(i));
  for (const View view : kViews) texts["views"].push_back(viewLabel(view));
  // Each language in its own words; the browser's first.
  texts["languages"].push_back(Json::array({"", uiText(UiText::BrowserLanguage)}));
  for (const Language& spoken : languages()) {
    texts["languages"].push_back(Json::array({spoken.code, spoken.name}));
  }
  return texts.dump();
}

}  // namespace tessel
