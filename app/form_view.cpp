#include "app/form_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>

#include "app/form_painter.h"

namespace tessel {
namespace {

const char* const kHint =
    "Pick a scenario, then click \"One\" for a single jump or \"Start\" to run and count.";

QString rateBoxStyle(bool marked) {
  // A marked box keeps its text and gains a red frame and a pale red ground.
  return marked ? QStringLiteral(
                      "QLineEdit { background: rgb(255, 205, 205); color: black; "
                      "border: 2px solid rgb(220, 0, 0); padding: 0px; }")
                : QStringLiteral(
                      "QLineEdit { background: rgb(192, 192, 192); color: black; "
                      "border: 1px solid rgb(128, 128, 128); padding: 0px; }");
}

}  // namespace

FormView::FormView(MainForm& form, QWidget* parent)
    : QWidget(parent), form_(form), painted_(form.controls()) {
  setWindowTitle(QString::fromUtf8(kMainForm.caption.data(),
                                   static_cast<qsizetype>(kMainForm.caption.size())));
  setFixedSize(kMainForm.clientWidth / kTwipsPerPixel,
               kMainForm.clientHeight / kTwipsPerPixel + kStatusLineHeight);
  setAutoFillBackground(true);

  createInputWidgets();

  moveTimer_.setTimerType(Qt::PreciseTimer);
  connect(&moveTimer_, &QTimer::timeout, this, [this] { deliver(FormEvent::TimerTick); });
  setLongRunMarksShown(QSettings().value(QString::fromLatin1(kLongRunSetting), false).toBool());
}

void FormView::setLongRunMarksShown(bool shown) {
  longRunBox_->setChecked(shown);
  form_.setLongRunMarksShown(shown);
  syncWidgets();
}

void FormView::longRunClicked(bool shown) {
  QSettings().setValue(QString::fromLatin1(kLongRunSetting), shown);
  setLongRunMarksShown(shown);
}

void FormView::createInputWidgets() {
  // Created in tab order: the rate boxes, then the list, then the buttons.
  for (std::size_t i = 0; i < rateBoxes_.size(); ++i) {
    auto* box = new QLineEdit(this);
    box->setGeometry(pixelRect(kRateBoxes[i].box).toRect());
    box->setFont(fontFor(kRateBoxFont));
    box->setAlignment(Qt::AlignCenter);
    box->setStyleSheet(rateBoxStyle(false));
    const int index = static_cast<int>(i);
    connect(box, &QLineEdit::textEdited, this,
            [this, index](const QString& text) { rateEdited(index, text); });
    rateBoxes_[i] = box;
  }

  scenarioList_ = new QComboBox(this);
  scenarioList_->setGeometry(pixelRect(kScenarioListBox).toRect());
  scenarioList_->setFont(fontFor(kScenarioListFont));
  scenarioList_->setAccessibleName(QStringLiteral("Scenario"));
  connect(scenarioList_, &QComboBox::activated, this, [this](int index) {
    form_.controls().scenarioList.text = scenarioList_->itemText(index).toStdString();
    deliver(FormEvent::ScenarioClick);
  });

  const std::array<FormEvent, 3> clicks{FormEvent::OneClick, FormEvent::StartStopClick,
                                        FormEvent::PauseContinueClick};
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    auto* button = new QPushButton(this);
    button->setGeometry(pixelRect(kButtons[i].box).toRect());
    button->setFont(fontFor(kButtonFont));
    const FormEvent event = clicks[i];
    connect(button, &QPushButton::clicked, this, [this, event] { deliver(event); });
    buttons_[i] = button;
  }

  statusLine_ = new QLabel(this);
  statusLine_->setGeometry(0, kMainForm.clientHeight / kTwipsPerPixel, kLongRunBox.left(),
                           kStatusLineHeight);
  statusLine_->setContentsMargins(6, 0, 6, 0);
  statusLine_->setFont(fontFor(kStripFont));
  statusLine_->setAutoFillBackground(true);
  // Messages quote what the user typed; shown as rich text, a typed tag would
  // restyle or hide the rest of the message.
  statusLine_->setTextFormat(Qt::PlainText);

  // The marks are an addition to the design, off until the user asks for
  // them. L toggles them wherever the focus is, except in a rate box, which
  // takes the letter as text.
  longRunBox_ = new QCheckBox(QStringLiteral("&Long run"), this);
  longRunBox_->setGeometry(kLongRunBox);
  longRunBox_->setFont(fontFor(kStripFont));
  longRunBox_->setAutoFillBackground(true);
  longRunBox_->setToolTip(
      QStringLiteral("Mark on each bar the share it settles to in the long run (key L)"));
  longRunBox_->setAccessibleName(QStringLiteral("Long-run marks"));
  connect(longRunBox_, &QCheckBox::clicked, this, &FormView::longRunClicked);
  auto* toggle = new QShortcut(QKeySequence(Qt::Key_L), this);
  connect(toggle, &QShortcut::activated, longRunBox_, &QCheckBox::click);
}

void FormView::nameRateBoxes() {
  // The boxes name their transitions by the states the window shows, so
  // they change with the scenario.
  std::array<std::string, kStateCount> names;
  for (int state = 0; state < kStateCount; ++state) {
    const auto i = static_cast<std::size_t>(state);
    names[i] = shownStateName(state, form_.controls().nameLabels[i].caption);
  }
  if (names == rateBoxStates_) return;
  rateBoxStates_ = names;
  for (const Transition& transition : kTransitions) {
    const QString name =
        QStringLiteral("Rate from %1 to %2")
            .arg(QString::fromStdString(names[static_cast<std::size_t>(transition.from)]),
                 QString::fromStdString(names[static_cast<std::size_t>(transition.to)]));
    QLineEdit* box = rateBoxes_[static_cast<std::size_t>(transition.rateBox)];
    box->setAccessibleName(name);
    box->setToolTip(name);
  }
}

void FormView::deliver(FormEvent event) {
  form_.handle(event);
  syncWidgets();
}

void FormView::rateEdited(int box, const QString& text) {
  form_.setRateText(box, text.toStdString());
  syncWidgets();
}

void FormView::syncWidgets() {
  const FormControls& controls = form_.controls();

  if (scenarioList_->count() != static_cast<int>(controls.scenarioList.entries.size())) {
    const QSignalBlocker blocker(scenarioList_);
    scenarioList_->clear();
    for (const std::string& entry : controls.scenarioList.entries) {
      scenarioList_->addItem(QString::fromStdString(entry));
    }
  }
  const QString listText = QString::fromStdString(controls.scenarioList.text);
  if (scenarioList_->currentText() != listText) {
    const QSignalBlocker blocker(scenarioList_);
    scenarioList_->setCurrentIndex(scenarioList_->findText(listText, Qt::MatchExactly));
  }

  const std::array<const PushButton*, 3> captions{&controls.oneButton, &controls.startStopButton,
                                                  &controls.pauseButton};
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const QString caption = QString::fromStdString(captions[i]->caption);
    if (buttons_[i]->text() != caption) buttons_[i]->setText(caption);
  }

  const std::optional<int> marked = form_.markedRateBox();
  for (std::size_t i = 0; i < rateBoxes_.size(); ++i) {
    QLineEdit* box = rateBoxes_[i];
    const QString text = QString::fromStdString(controls.rateBoxes[i].text());
    if (box->text() != text) box->setText(text);
    box->setVisible(controls.rateBoxes[i].visible);
    const bool isMarked = marked == static_cast<int>(i);
    if (box->property("marked").toBool() != isMarked) {
      box->setProperty("marked", isMarked);
      box->setStyleSheet(rateBoxStyle(isMarked));
    }
  }

  const Timer& timer = controls.moveTimer;
  if (moveTimer_.interval() != timer.interval) moveTimer_.setInterval(timer.interval);
  if (timer.enabled && !moveTimer_.isActive()) moveTimer_.start();
  if (!timer.enabled && moveTimer_.isActive()) moveTimer_.stop();

  nameRateBoxes();
  syncStatusLine();

  const QRegion changed = changedRegion(painted_, controls);
  if (!changed.isEmpty()) {
    painted_ = controls;
    update(changed);
  }
}

void FormView::syncStatusLine() {
  // An error first; then what the long-run marks stand for, where that
  // depends on the start; otherwise the hint.
  const std::optional<RunError>& error = form_.lastError();
  const std::string note = error ? std::string() : form_.longRunNote();
  const QString text = error           ? QString::fromUtf8(error->what())
                       : !note.empty() ? QString::fromStdString(note)
                                       : QString::fromUtf8(kHint);
  if (statusText_ == text) return;
  statusText_ = text;
  // A text too long for the line ends in "..." rather than mid-word; its
  // tooltip holds all of it.
  const QString shown = statusLine_->fontMetrics().elidedText(text, Qt::ElideRight,
                                                              statusLine_->contentsRect().width());
  statusLine_->setText(shown);
  QPalette palette = statusLine_->palette();
  palette.setColor(QPalette::WindowText, error ? QColor(180, 0, 0) : QColor(70, 70, 70));
  statusLine_->setPalette(palette);
  // A tool tip has no plain-text mode: the message goes in escaped.
  const bool needsTip = error || !note.empty() || shown != text;
  statusLine_->setToolTip(needsTip ? QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped())
                                   : QString());
}

void FormView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  paintForm(painter, form_.controls());
}

}  // namespace tessel
