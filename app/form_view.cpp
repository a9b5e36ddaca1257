#include "app/form_view.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>

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
  syncWidgets();
}

void FormView::createInputWidgets() {
  // Created in tab order: the rate boxes, then the list, then the buttons.
  for (std::size_t i = 0; i < rateBoxes_.size(); ++i) {
    auto* box = new QLineEdit(this);
    box->setGeometry(pixelRect(kRateBoxes[i].box).toRect());
    box->setFont(fontFor(kRateBoxFont));
    box->setAlignment(Qt::AlignCenter);
    box->setStyleSheet(rateBoxStyle(false));
    box->setAccessibleName(QStringLiteral("Rate box %1").arg(i));
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
  statusLine_->setGeometry(0, kMainForm.clientHeight / kTwipsPerPixel, width(), kStatusLineHeight);
  statusLine_->setContentsMargins(6, 0, 6, 0);
  statusLine_->setFont(fontFor({kFontFace, 9.0F, 400, false}));
  statusLine_->setAutoFillBackground(true);
  // Messages quote what the user typed; shown as rich text, a typed tag would
  // restyle or hide the rest of the message.
  statusLine_->setTextFormat(Qt::PlainText);
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

  syncStatusLine();

  const QRegion changed = changedRegion(painted_, controls);
  if (!changed.isEmpty()) {
    painted_ = controls;
    update(changed);
  }
}

void FormView::syncStatusLine() {
  const std::optional<RunError>& error = form_.lastError();
  const QString text = error ? QString::fromUtf8(error->what()) : QString::fromUtf8(kHint);
  if (statusLine_->text() == text) return;
  statusLine_->setText(text);
  QPalette palette = statusLine_->palette();
  palette.setColor(QPalette::WindowText, error ? QColor(180, 0, 0) : QColor(70, 70, 70));
  statusLine_->setPalette(palette);
  // A tool tip has no plain-text mode: the message goes in escaped.
  statusLine_->setToolTip(error ? QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped())
                                : QString());
}

void FormView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  paintForm(painter, form_.controls());
}

}  // namespace tessel
