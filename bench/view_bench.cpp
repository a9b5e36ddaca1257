// The Qt window's drawing costs, rendered into an image the size of the
// window: one timer tick of a counting run with the repaint it causes (the
// whole window, or only the region that changed, as the view repaints), at
// the design's size and at 1920 x 1080 (a full screen), and start-up to the
// first painted frame. Runs on the offscreen platform unless QT_QPA_PLATFORM
// says otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <cstdint>
#include <string_view>

#include "app/form_painter.h"
#include "app/form_view.h"
#include "display/form_drawing.h"
#include "window/run_speed.h"
#include "window/session.h"

namespace tessel {
namespace {

constexpr std::uint64_t kSeed = 1;
const char* const kScenario = "Conversation";

QImage windowImage(const FormView& view) {
  QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  return image;
}

std::int64_t pixelCount(const QRegion& region) {
  std::int64_t pixels = 0;
  for (const QRect& rect : region) pixels += std::int64_t{rect.width()} * rect.height();
  return pixels;
}

// The window counting the four-state ring, as after picking it in the list
// and clicking Start. Its timer never fires: no event loop runs, so the
// benchmarks deliver every tick themselves.
enum class Marks { kOff, kOn };

class CountingWindow {
 public:
  // The long-run marks as asked, whatever the user's remembered choice.
  explicit CountingWindow(QSize size = FormScale::designSize(), Marks marks = Marks::kOff)
      : session_({kSeed}), view_(session_), size_(size) {
    view_.setLongRunMarksShown(marks == Marks::kOn);
    view_.resize(size);
    view_.show();  // a hidden widget lays itself out for a new size only when shown
    view_.load();
    const QString scenario = QString::fromLatin1(kScenario);
    view_.pickScenario(view_.scenarioList()->findText(scenario, Qt::MatchExactly));
    view_.perform({Command::StartStop});
  }

  // Why the window is not counting, or nullptr when it is.
  const char* notCounting() const {
    if (view_.scenarioList()->currentText() != QString::fromLatin1(kScenario)) {
      return "the scenario list does not show the scenario";
    }
    if (form().lastError()) return "the window raised an error";
    if (form().variables().counting != kTrue) return "the window is not counting";
    if (view_.size() != size_) return "the window did not take its size";
    if (!form().controls().moveTimer.enabled) return "the move timer is not running";
    return nullptr;
  }

  const MainForm& form() const { return session_.form(); }
  FormView& view() { return view_; }

 private:
  Session session_;
  FormView view_;
  QSize size_;
};

const QSize kFullScreen(1920, 1080);

// Ticks only: the model's step and the view bringing its widgets in line,
// with nothing rendered. The baseline for the three below.
void BM_Tick(benchmark::State& state) {
  CountingWindow window;
  if (const char* why = window.notCounting()) {
    state.SkipWithError(why);
    return;
  }
  for (auto _ : state) window.view().runFrame(1);
  if (const char* why = window.notCounting()) state.SkipWithError(why);
}
BENCHMARK(BM_Tick)->Unit(benchmark::kMicrosecond);

// The same with the long-run marks on: every tick places them afresh from
// the rate boxes' texts and the state the token rests in.
void BM_TickWithLongRunMarks(benchmark::State& state) {
  CountingWindow window(FormScale::designSize(), Marks::kOn);
  if (const char* why = window.notCounting()) {
    state.SkipWithError(why);
    return;
  }
  for (auto _ : state) window.view().runFrame(1);
  if (const char* why = window.notCounting()) state.SkipWithError(why);
}
BENCHMARK(BM_TickWithLongRunMarks)->Unit(benchmark::kMicrosecond);

// Fast forward: one frame of the timer at a speed, that is its ticks with
// the widgets brought in line once, then Qt's render of the whole window as
// the frame's repaint. Reports the ticks a second of wall time, frames
// included, the measure of "Max" (whose frame is half the timer's interval
// of ticks by design).
void BM_FrameAtSpeed(benchmark::State& state, std::string_view speedName, QSize size,
                     View view = View::Chart) {
  CountingWindow window(size, Marks::kOn);
  window.view().setSpeed(runSpeedNamed(speedName).value());
  window.view().setView(view);
  QImage image = windowImage(window.view());
  if (const char* why = window.notCounting()) {
    state.SkipWithError(why);
    return;
  }
  std::int64_t ticks = 0;
  for (auto _ : state) {
    ticks += window.view().runFrame();
    window.view().render(&image);
  }
  if (const char* why = window.notCounting()) state.SkipWithError(why);
  state.counters["ticks_per_second"] =
      benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsRate);
  state.counters["ticks_per_frame"] =
      benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(BM_FrameAtSpeed, x1000, "1000", FormScale::designSize())
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_FrameAtSpeed, max, "max", FormScale::designSize())
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_FrameAtSpeed, max_full_screen, "max", kFullScreen)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// The views in the chart's place: the History grows at every frame.
BENCHMARK_CAPTURE(BM_FrameAtSpeed, max_full_screen_history, "max", kFullScreen, View::History)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_FrameAtSpeed, max_full_screen_chances, "max", kFullScreen, View::Chances)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A tick, then the whole window rendered: background, drawn elements and
// every child widget.
void BM_TickThenRenderWholeWindow(benchmark::State& state, QSize size) {
  CountingWindow window(size);
  QImage image = windowImage(window.view());
  if (const char* why = window.notCounting()) {
    state.SkipWithError(why);
    return;
  }
  for (auto _ : state) {
    window.view().runFrame(1);
    window.view().render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
  if (const char* why = window.notCounting()) state.SkipWithError(why);
}
BENCHMARK_CAPTURE(BM_TickThenRenderWholeWindow, design_size, FormScale::designSize())
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TickThenRenderWholeWindow, full_screen, kFullScreen)
    ->Unit(benchmark::kMicrosecond);

// How a repaint of the changed region is clipped. A widget's repaint sets
// the region as the paint engine's system clip before paintEvent() clips its
// painter to it; the system clip is what lets QPainter skip the elements
// outside the region. A painter clip alone still lays out and rasterises
// every element, so that variant shows what the system clip saves.
enum class Clip { kLikeWidgetRepaint, kPainterOnly };

// A tick, then the view's own paint of what changed, as paintEvent() does it:
// the background and the drawn elements, clipped to the region between the
// controls as last painted and as they are now. Reports the mean repainted
// area per tick and the share of ticks that repaint anything.
void BM_TickThenPaintChangedRegion(benchmark::State& state, Clip clip, QSize size) {
  CountingWindow window(size);
  QImage image = windowImage(window.view());
  QPaintEngine* const engine = image.paintEngine();
  const QColor background = window.view().palette().color(QPalette::Window);
  FormControls painted = window.form().controls();
  std::int64_t pixels = 0;
  std::int64_t repaints = 0;
  if (const char* why = window.notCounting()) {
    state.SkipWithError(why);
    return;
  }
  for (auto _ : state) {
    window.view().runFrame(1);
    const FormControls& now = window.form().controls();
    const QRegion changedOnForm = toRegion(changedRegion(painted, now));
    if (changedOnForm.isEmpty()) continue;
    painted = now;
    const QRegion changed = window.view().formScale().map(changedOnForm);
    if (clip == Clip::kLikeWidgetRepaint) engine->setSystemClip(changed);
    QPainter painter(&image);
    painter.setClipRegion(changed);
    painter.fillRect(image.rect(), background);
    painter.setTransform(window.view().formScale().transform());
    paintForm(painter, now);
    painter.end();
    engine->setSystemClip(QRegion());
    benchmark::DoNotOptimize(image.constBits());
    pixels += pixelCount(changed);
    ++repaints;
  }
  if (const char* why = window.notCounting()) {
    state.SkipWithError(why);
    return;
  }
  const auto ticks = static_cast<double>(state.iterations());
  state.counters["px_per_tick"] = static_cast<double>(pixels) / ticks;
  state.counters["repainting_ticks"] = static_cast<double>(repaints) / ticks;
}
BENCHMARK_CAPTURE(BM_TickThenPaintChangedRegion, like_widget_repaint, Clip::kLikeWidgetRepaint,
                  FormScale::designSize())
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TickThenPaintChangedRegion, painter_clip_only, Clip::kPainterOnly,
                  FormScale::designSize())
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TickThenPaintChangedRegion, full_screen_like_widget_repaint,
                  Clip::kLikeWidgetRepaint, kFullScreen)
    ->Unit(benchmark::kMicrosecond);

// A tick, then Qt's render of the changed region: what an update() of that
// region costs, with the child widgets it overlaps.
void BM_TickThenRenderChangedRegion(benchmark::State& state, QSize size) {
  CountingWindow window(size);
  QImage image = windowImage(window.view());
  FormControls painted = window.form().controls();
  if (const char* why = window.notCounting()) {
    state.SkipWithError(why);
    return;
  }
  for (auto _ : state) {
    window.view().runFrame(1);
    const FormControls& now = window.form().controls();
    const QRegion changed = toRegion(changedRegion(painted, now));
    if (changed.isEmpty()) continue;
    painted = now;
    window.view().render(&image, QPoint(), window.view().formScale().map(changed));
    benchmark::DoNotOptimize(image.constBits());
  }
  if (const char* why = window.notCounting()) state.SkipWithError(why);
}
BENCHMARK_CAPTURE(BM_TickThenRenderChangedRegion, design_size, FormScale::designSize())
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TickThenRenderChangedRegion, full_screen, kFullScreen)
    ->Unit(benchmark::kMicrosecond);

// Start-up to the first painted frame, after QApplication exists: the model,
// the window with its widgets, the Load event, and one render of the whole
// window.
void BM_StartUpToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    Session session({kSeed});
    FormView view(session);
    view.load();
    QImage image = windowImage(view);
    view.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessel

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
