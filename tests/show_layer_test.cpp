#include "display/show_layer.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tessel {
namespace {

// Everything showLayer may touch, as sets of visible indexes.
struct Visible {
  std::set<std::size_t> circles, strokes, arcs, boxes;
  bool operator==(const Visible&) const = default;
};

Visible visibleParts(const FormControls& controls) {
  Visible v;
  for (std::size_t i = 0; i < controls.circles.size(); ++i) {
    if (controls.circles[i].visible) v.circles.insert(i);
  }
  for (std::size_t i = 0; i < controls.arrowStrokes.size(); ++i) {
    if (controls.arrowStrokes[i].visible) v.strokes.insert(i);
  }
  for (std::size_t i = 0; i < controls.arcLines.size(); ++i) {
    if (controls.arcLines[i].visible) v.arcs.insert(i);
  }
  for (std::size_t i = 0; i < controls.rateBoxes.size(); ++i) {
    if (controls.rateBoxes[i].visible) v.boxes.insert(i);
  }
  return v;
}

FormControls hiddenDiagram() {
  FormControls controls = makeDesignControls();
  for (Shape& circle : controls.circles) circle.visible = false;
  for (Line& stroke : controls.arrowStrokes) stroke.visible = false;
  for (Line& arc : controls.arcLines) arc.visible = false;
  for (TextBox& box : controls.rateBoxes) box.visible = false;
  return controls;
}

Visible afterLayers(const std::vector<std::int16_t>& layers) {
  FormControls controls = hiddenDiagram();
  for (const std::int16_t layer : layers) showLayer(controls, layer);
  return visibleParts(controls);
}

TEST(ShowLayer, EachLayerShowsItsOwnElements) {
  struct Case {
    std::int16_t layer;
    Visible expected;
  };
  const Case cases[] = {
      {2, {{0, 1}, {0, 8, 9, 1}, {4, 5}, {3, 4}}},
      {3, {{2}, {11, 3, 2, 10}, {1, 0}, {7, 2}}},
      {4, {{3}, {6, 14, 15, 7, 12, 4, 5, 13}, {2, 11, 10, 3}, {6, 1, 5, 0}}},
      {5, {{3, 2}, {6, 14, 15, 7, 18, 19, 21, 22}, {8, 11, 10, 9}, {6, 1, 10, 11}}},
  };
  for (const Case& c : cases) EXPECT_EQ(afterLayers({c.layer}), c.expected) << c.layer;
}

TEST(ShowLayer, OtherValuesChangeNothing) {
  for (const int layer : {0, 1, 6, -1, 32767, -32768}) {
    EXPECT_EQ(afterLayers({static_cast<std::int16_t>(layer)}), Visible{}) << layer;
  }
  // Nor do they hide what is shown.
  EXPECT_EQ(afterLayers({2, 0, 7}), afterLayers({2}));
}

TEST(ShowLayer, LayersAddUpAndRepeatingOneChangesNothing) {
  EXPECT_EQ(afterLayers({2, 2}), afterLayers({2}));
  const Visible ring = afterLayers({2, 3, 4});
  EXPECT_EQ(ring.circles, (std::set<std::size_t>{0, 1, 2, 3}));
  // The diagonals' boxes stay hidden in the ring.
  for (const std::size_t box : {8U, 9U, 10U, 11U}) EXPECT_FALSE(ring.boxes.contains(box)) << box;

  const Visible queue = afterLayers({2, 5});
  EXPECT_EQ(queue.circles, (std::set<std::size_t>{0, 1, 2, 3}));
  for (const std::size_t arc : {0U, 1U, 2U, 3U}) EXPECT_FALSE(queue.arcs.contains(arc)) << arc;
  for (const std::size_t box : {2U, 7U, 5U, 0U}) EXPECT_FALSE(queue.boxes.contains(box)) << box;
}

TEST(ShowLayer, ShowsEveryPartOfATransitionOrNone) {
  // The layer sets the scenarios use.
  for (const std::vector<std::int16_t>& layers :
       {std::vector<std::int16_t>{2}, {2, 3}, {2, 3, 4}, {2, 5}}) {
    const Visible v = afterLayers(layers);
    for (const Transition& t : kTransitions) {
      const bool box = v.boxes.contains(static_cast<std::size_t>(t.rateBox));
      EXPECT_EQ(v.arcs.contains(static_cast<std::size_t>(t.arcLine)), box);
      EXPECT_EQ(v.strokes.contains(static_cast<std::size_t>(t.arrowStrokes[0])), box);
      EXPECT_EQ(v.strokes.contains(static_cast<std::size_t>(t.arrowStrokes[1])), box);
      if (box) {  // a visible transition joins two visible circles
        EXPECT_TRUE(v.circles.contains(static_cast<std::size_t>(t.from)));
        EXPECT_TRUE(v.circles.contains(static_cast<std::size_t>(t.to)));
      }
    }
    // No layer ever shows the Blue-Cyan diagonal.
    EXPECT_FALSE(v.boxes.contains(8));
    EXPECT_FALSE(v.boxes.contains(9));
  }
}

TEST(ShowLayer, LeavesTheBoxesTextsAlone) {
  FormControls controls = hiddenDiagram();
  controls.rateBoxes[3].setText("abc");
  showLayer(controls, 2);
  EXPECT_EQ(controls.rateBoxes[3].text(), "abc");
}

}  // namespace
}  // namespace tessel
