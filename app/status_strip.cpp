#include "app/status_strip.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QShortcut>
#include <QStyle>

#include "app/form_painter.h"
#include "toolkit/text.h"
#include "window/run_speed.h"
#include "window/view_pictures.h"

namespace tessel {
namespace {

constexpr int kStatusLines = 2;

QString qText(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

StatusStrip::StatusStrip(QWidget& window, const Place& place, std::function<void(View)> viewPicked,
                         std::function<void(std::size_t)> speedPicked,
                         std::function<void(bool)> longRunClicked)
    : place_(place) {
  line_ = new QLabel(&window);
  place(line_, kStatusLineBox, kStatusStripFont);
  // Plain text always: a message may quote whatever was typed into a rate box.
  line_->setTextFormat(Qt::PlainText);
  line_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  line_->setAutoFillBackground(true);

  // The marks are an addition to the design, off until the user asks for
  // them.
  longRunBox_ = new QCheckBox(&window);
  place(longRunBox_, kLongRunBox, kStatusStripFont);
  longRunBox_->setAutoFillBackground(true);
  QObject::connect(longRunBox_, &QCheckBox::clicked, longRunBox_, std::move(longRunClicked));

  // The speed: how many ticks each timer event runs. The chain is the same
  // at every speed; only how much of it a frame shows changes.
  speedLabel_ = new QLabel(&window);
  place(speedLabel_, kSpeedLabelBox, kStatusStripFont);
  speedLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  speedLabel_->setAutoFillBackground(true);
  speedList_ = new QComboBox(&window);
  place(speedList_, kSpeedBox, kStatusStripFont);
  speedLabel_->setBuddy(speedList_);
  for (std::size_t speed = 0; speed < kRunSpeeds.size(); ++speed) speedList_->addItem(QString());
  QObject::connect(
      speedList_, &QComboBox::activated, speedList_,
      [picked = std::move(speedPicked)](int index) { picked(static_cast<std::size_t>(index)); });

  // What stands in the chart's place.
  viewList_ = new QComboBox(&window);
  place(viewList_, kViewListBox, kStatusStripFont);
  for (std::size_t view = 0; view < kViews.size(); ++view) viewList_->addItem(QString());
  QObject::connect(viewList_, &QComboBox::activated, viewList_,
                   [picked = std::move(viewPicked)](int index) {
                     picked(kViews.at(static_cast<std::size_t>(index)));
                   });
  viewKey_ = new QShortcut(&window);
  QObject::connect(viewKey_, &QShortcut::activated, viewList_,
                   [list = viewList_] { list->setFocus(Qt::ShortcutFocusReason); });
  retranslate();
}

void StatusStrip::retranslate() {
  const CommandInfo& longRun = commandInfo({Command::LongRun});
  longRunBox_->setText(qText(withAmpersandMnemonic(_(longRun.caption), longRun.altLetter)));
  longRunBox_->setToolTip(qText(_(longRun.toolTip)));
  longRunBox_->setAccessibleName(qText(uiText(UiText::LongRunName)));
  const CommandInfo& choose = commandInfo({Command::ChooseSpeed});
  speedLabel_->setText(qText(withAmpersandMnemonic(_(choose.caption), choose.altLetter)));
  for (std::size_t speed = 0; speed < kRunSpeeds.size(); ++speed) {
    speedList_->setItemText(static_cast<int>(speed), qText(tessel::speedLabel(speed)));
  }
  speedList_->setAccessibleName(qText(_(choose.caption)));
  speedList_->setToolTip(qText(_(choose.toolTip)));
  speedLabel_->setToolTip(speedList_->toolTip());
  const CommandInfo& chooseView = commandInfo({Command::ChooseView});
  for (std::size_t view = 0; view < kViews.size(); ++view) {
    viewList_->setItemText(static_cast<int>(view), qText(viewLabel(kViews[view])));
  }
  viewList_->setAccessibleName(qText(_(chooseView.caption)));
  viewList_->setToolTip(qText(_(chooseView.toolTip)));
  const std::string viewCaption = _(chooseView.caption);
  const std::size_t letter = mnemonicOffset(viewCaption, chooseView.altLetter);
  viewKey_->setKey(
      letter == std::string::npos
          ? QKeySequence()
          : QKeySequence(QStringLiteral("Alt+") + QChar::fromLatin1(viewCaption[letter])));
  text_.clear();  // the message is said afresh at the next sync

  // What the captions need at the design's size, in twips.
  const QFontMetrics metrics(fontFor(kStatusStripFont));
  const auto needs = [&metrics](const std::string& caption, int besides) {
    return (metrics.horizontalAdvance(qText(caption)) + besides) * kTwipsPerPixel;
  };
  const int labelMargin = speedLabel_->margin() * 2 + 2;
  const QStyle& style = *longRunBox_->style();
  const int indicator = style.pixelMetric(QStyle::PM_IndicatorWidth) +
                        style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 4;
  // A list's arrow and frame take about this much beside its entry.
  constexpr int kListChrome = 26;
  int viewNeeds = 0;
  for (const View view : kViews)
    viewNeeds = std::max(viewNeeds, needs(viewLabel(view), kListChrome));
  const StripBoxes boxes = stripBoxes(needs(_(choose.caption), labelMargin),
                                      needs(_(longRun.caption), indicator), viewNeeds);
  place_(line_, boxes.statusLine, kStatusStripFont);
  place_(viewList_, boxes.viewList, kStatusStripFont);
  place_(speedLabel_, boxes.speedLabel, kStatusStripFont);
  place_(speedList_, boxes.speedList, kStatusStripFont);
  place_(longRunBox_, boxes.longRun, kStatusStripFont);
}

void StatusStrip::sync(const Session& session) {
  if (viewList_->currentIndex() != static_cast<int>(session.view())) {
    const QSignalBlocker blocker(viewList_);
    viewList_->setCurrentIndex(static_cast<int>(session.view()));
  }
  if (speedList_->currentIndex() != static_cast<int>(session.speed())) {
    const QSignalBlocker blocker(speedList_);
    speedList_->setCurrentIndex(static_cast<int>(session.speed()));
  }
  if (longRunBox_->isChecked() != session.longRunShown()) {
    longRunBox_->setChecked(session.longRunShown());
  }
  showMessage(session.strip());
}

void StatusStrip::layOut(const FormScale& scale) {
  const int margin = scale.length(static_cast<double>(kStatusStripMargin) / kTwipsPerPixel, 0);
  line_->setContentsMargins(margin, 0, margin, 0);
  // The style draws the checkbox's square at one size; it grows with the
  // form like the checkbox's text. At the design's scale the style's own
  // look stays.
  if (scale.factor() == 1.0) {
    longRunBox_->setStyleSheet(QString());
  } else {
    const int side = scale.length(longRunBox_->style()->pixelMetric(QStyle::PM_IndicatorWidth));
    longRunBox_->setStyleSheet(
        QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }").arg(side));
  }
  text_.clear();  // the message is fitted to the line's new size at the next sync
}

void StatusStrip::showMessage(const StripMessage& message) {
  const QString text = qText(message.text);
  if (text_ == text) return;
  text_ = text;
  bool elided = false;
  line_->setText(
      fitToLines(text, line_->font(), line_->contentsRect().width(), kStatusLines, elided));
  QPalette palette = line_->palette();
  palette.setColor(QPalette::WindowText, message.problem ? QColor(180, 0, 0) : QColor(70, 70, 70));
  line_->setPalette(palette);
  // A tool tip has no plain-text mode: the message goes in escaped.
  const QString keys =
      QStringLiteral("<p>%1</p>").arg(qText(uiText(UiText::FullScreenKeys)).toHtmlEscaped());
  const bool needsText = !message.isHint || elided;
  line_->setToolTip(needsText ? QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped()) + keys
                              : keys);
}

}  // namespace tessel
