// The stacked arrangement: its parts stand one under another across the
// form's width, and the whole drawing moves with them inside the form.

#include "display/arrangement.h"

#include <gtest/gtest.h>

#include "display/form_drawing.h"
#include "display/recording_canvas.h"

namespace tessel {
namespace {

TEST(StackedArrangement, PartsStandOneUnderAnotherWithinTheWidth) {
  const std::array<std::pair<FormPart, BoxLayout>, kFormPartCount> inOrder{{
      {FormPart::Diagram, stacked::kDiagram},
      {FormPart::View, stacked::kView},
      {FormPart::Controls, stacked::kControls},
      {FormPart::StatusLine, kStatusLineBox},
      {FormPart::StripControls, stacked::kStripControls},
  }};
  int top = 0;
  for (const auto& [part, box] : inOrder) {
    const BoxLayout moved = arranged(kStackedArrangement, part, box);
    EXPECT_EQ(moved.top, top) << static_cast<int>(part);
    EXPECT_GE(moved.left, 0) << static_cast<int>(part);
    EXPECT_LE(moved.right(), kStackedArrangement.width) << static_cast<int>(part);
    top = moved.bottom();
  }
  EXPECT_EQ(top, kStackedArrangement.height);
}

TEST(StackedArrangement, TheDrawingMovesWithItsPartsAndStaysInTheForm) {
  FormControls controls = makeDesignControls();
  RecordingCanvas design;
  RecordingCanvas stacked;
  ArrangedCanvas arranged(stacked, kStackedArrangement);
  drawForm(design, controls);
  drawForm(arranged, controls);
  ASSERT_EQ(design.operations().size(), stacked.operations().size());
  const double width = kStackedArrangement.width * kPixelsPerTwip;
  const double height = kStackedArrangement.height * kPixelsPerTwip;
  for (std::size_t i = 0; i < design.operations().size(); ++i) {
    const auto& before = design.operations()[i];
    const auto& after = stacked.operations()[i];
    const bool inDiagram = before.place[0] < kDiagramRegionRight * kPixelsPerTwip;
    // The diagram keeps its place; the chart moves under it.
    EXPECT_EQ(after.place[0] == before.place[0], inDiagram) << i;
    EXPECT_GE(after.place[0], 0.0) << i;
    EXPECT_LE(after.place[0], width) << i;
    EXPECT_GE(after.place[1], 0.0) << i;
    EXPECT_LE(after.place[1], height) << i;
  }
}

TEST(StackedArrangement, ARepaintAcrossTheDiagramsEdgeMovesInTwoPieces) {
  constexpr double edge = kDiagramRegionRight * kPixelsPerTwip;
  const Arrangement::Offset view = kStackedArrangement.offset(FormPart::View);
  const PixelRect across{edge - 10, 20, 30, 5};
  const std::vector<PixelRect> pieces = arrangedPieces(kStackedArrangement, across);
  ASSERT_EQ(pieces.size(), 2U);
  EXPECT_EQ(pieces[0], (PixelRect{edge - 10, 20, 10, 5}));
  EXPECT_EQ(pieces[1],
            (PixelRect{edge + view.dx * kPixelsPerTwip, 20 + view.dy * kPixelsPerTwip, 20, 5}));
  EXPECT_EQ(arrangedPieces(kDesignArrangement, across), std::vector<PixelRect>{across});
}

}  // namespace
}  // namespace tessel
