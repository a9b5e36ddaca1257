#include "app/form_view.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStyle>
#include <QUrl>

#include "app/chain_files.h"
#include "app/form_painter.h"
#include "chain/scenarios.h"
#include "chain/transitions.h"
#include "display/show_layer.h"
#include "toolkit/quoted_text.h"

namespace tessel {
namespace {

const char* const kHint =
    "Pick a scenario, then click \"One\" for a single jump or \"Start\" to run and count. "
    "Right-click to open or save a chain, and more.";
const char* const kFullScreenHint = "F11: full screen (Esc leaves it)";

constexpr int kStatusLines = 2;

// The keys of "One", "Start"/"Stop" and "Pause"/"Cont", and what each
// button's tooltip says. A key works wherever the focus is, except in a
// rate box, where the letter is typed instead.
struct ButtonKey {
  Qt::Key key;
  QChar letter;
  const char* toolTip;
};

const std::array<ButtonKey, 3> kButtonKeys{{
    {Qt::Key_O, QLatin1Char('O'), "One jump of the chain (O, or Alt+O)"},
    {Qt::Key_S, QLatin1Char('S'), "Start or stop running and counting (S, or Alt+S)"},
    {Qt::Key_P, QLatin1Char('P'),
     "Pause or continue the animation (P, or Alt with the underlined letter)"},
}};

// A button's caption with its mnemonic: the button's key letter where the
// caption has it, otherwise its first letter. Only the underline differs
// from the caption on screen.
QString withMnemonic(const std::string& caption, QChar letter) {
  QString text = QString::fromStdString(caption);
  text.replace(QLatin1Char('&'), QLatin1String("&&"));
  if (text.isEmpty()) return text;
  qsizetype at = text.indexOf(letter, 0, Qt::CaseInsensitive);
  if (at < 0) at = 0;
  return text.insert(at, QLatin1Char('&'));
}

QString rateBoxStyle(bool marked, const FormScale& scale) {
  // A marked box keeps its text and gains a red frame and a pale red ground.
  return marked ? QStringLiteral(
                      "QLineEdit { background: rgb(255, 205, 205); color: black; "
                      "border: %1px solid rgb(220, 0, 0); padding: 0px; }")
                      .arg(scale.length(2))
                : QStringLiteral(
                      "QLineEdit { background: rgb(192, 192, 192); color: black; "
                      "border: %1px solid rgb(128, 128, 128); padding: 0px; }")
                      .arg(scale.length(1));
}

// Shows a rate box's text from its first non-blank character, as far as it
// fits, once editing ends: a text typed longer than the box then reads from
// its beginning instead of its end. The texts the window writes itself keep
// the line edit's own scrolling, which shows a number's digits whole and lets
// its leading blank scroll out of sight.
void showBeginning(QLineEdit* box) {
  const QString text = box->text();
  qsizetype first = 0;
  while (first < text.size() && text.at(first).isSpace()) ++first;
  box->end(false);
  box->setCursorPosition(static_cast<int>(first));
}

}  // namespace

FormView::FormView(MainForm& form, QWidget* parent)
    : QWidget(parent), form_(form), painted_(form.controls()) {
  setWindowTitle(QString::fromUtf8(kMainForm.caption.data(),
                                   static_cast<qsizetype>(kMainForm.caption.size())));
  // Never smaller than the design, unless the screen itself is smaller:
  // then the form opens scaled down to fit it instead of overflowing.
  const QSize available = screen()->availableGeometry().size();
  setMinimumSize(FormScale::designSizeWithin(available));
  resize(FormScale::designSizeWithin(available));
  setAutoFillBackground(true);
  // A click on the drawing takes the focus out of a rate box, so that the
  // keys work again; the window starts with the focus on itself.
  setFocusPolicy(Qt::ClickFocus);

  createInputWidgets();
  createKeys();
  setAcceptDrops(true);

  moveTimer_.setTimerType(Qt::PreciseTimer);
  connect(&moveTimer_, &QTimer::timeout, this, [this] { runFrame(); });
  layOutForm();
  setLongRunMarksShown(QSettings().value(QString::fromLatin1(kLongRunSetting), false).toBool());
  setFocus();
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

QSize FormView::sizeHint() const {
  return FormScale::designSize();
}

void FormView::place(QWidget* widget, const BoxLayout& box, const FontSpec& font) {
  scaledWidgets_.push_back({widget, box, font});
}

void FormView::createInputWidgets() {
  // Created in tab order: the rate boxes, then the list, then the buttons.
  for (std::size_t i = 0; i < rateBoxes_.size(); ++i) {
    auto* box = new QLineEdit(this);
    place(box, kRateBoxes[i].box, kRateBoxFont);
    box->setAlignment(Qt::AlignCenter);
    const int index = static_cast<int>(i);
    connect(box, &QLineEdit::textEdited, this,
            [this, index](const QString& text) { rateEdited(index, text); });
    connect(box, &QLineEdit::editingFinished, this, [box] {
      if (!box->hasFocus()) showBeginning(box);
    });
    rateBoxes_[i] = box;
  }

  scenarioList_ = new QComboBox(this);
  place(scenarioList_, kScenarioListBox, kScenarioListFont);
  scenarioList_->setAccessibleName(QStringLiteral("Scenario"));
  scenarioList_->setToolTip(QStringLiteral("Scenario (keys 1 to 5 pick them in list order)"));
  connect(scenarioList_, &QComboBox::activated, this, &FormView::pickScenario);

  const std::array<FormEvent, 3> clicks{FormEvent::OneClick, FormEvent::StartStopClick,
                                        FormEvent::PauseContinueClick};
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    auto* button = new QPushButton(this);
    place(button, kButtons[i].box, kButtonFont);
    button->setToolTip(QString::fromLatin1(kButtonKeys[i].toolTip));
    const FormEvent event = clicks[i];
    connect(button, &QPushButton::clicked, this, [this, event] { deliver(event); });
    buttons_[i] = button;
  }

  statusLine_ = new QLabel(this);
  place(statusLine_, kStatusLineBox, kStatusStripFont);
  // Plain text always: a message may quote whatever was typed into a rate box.
  statusLine_->setTextFormat(Qt::PlainText);
  statusLine_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  statusLine_->setAutoFillBackground(true);

  // The marks are an addition to the design, off until the user asks for
  // them.
  longRunBox_ = new QCheckBox(QStringLiteral("&Long run"), this);
  place(longRunBox_, kLongRunBox, kStatusStripFont);
  longRunBox_->setAutoFillBackground(true);
  longRunBox_->setToolTip(
      QStringLiteral("Mark on each bar the share it settles to in the long run (L, or Alt+L)"));
  longRunBox_->setAccessibleName(QStringLiteral("Long-run marks"));
  connect(longRunBox_, &QCheckBox::clicked, this, &FormView::longRunClicked);

  // The speed: how many ticks each timer event runs. The chain is the same
  // at every speed; only how much of it a frame shows changes.
  auto* speedLabel = new QLabel(QStringLiteral("Spee&d"), this);
  place(speedLabel, kSpeedLabelBox, kStatusStripFont);
  speedLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  speedLabel->setAutoFillBackground(true);
  speedList_ = new QComboBox(this);
  place(speedList_, kSpeedBox, kStatusStripFont);
  speedLabel->setBuddy(speedList_);
  for (const RunSpeed& speed : kRunSpeeds) {
    speedList_->addItem(
        QString::fromUtf8(speed.label.data(), static_cast<qsizetype>(speed.label.size())));
  }
  speedList_->setAccessibleName(QStringLiteral("Speed"));
  const QString speedTip = QStringLiteral(
      "Ticks run for each of the timer's events: \u00d71 is the demonstration's own pace, "
      "\"Max\" as many as fit in half of it. The chain is the same at every speed. "
      "(+ or = faster, - slower; Alt+D)");
  speedList_->setToolTip(speedTip);
  speedLabel->setToolTip(speedTip);
  connect(speedList_, &QComboBox::activated, this,
          [this](int index) { setSpeed(static_cast<std::size_t>(index)); });
}

void FormView::setSpeed(std::size_t speed) {
  frames_.setSpeed(speed);
  const QSignalBlocker blocker(speedList_);
  speedList_->setCurrentIndex(static_cast<int>(frames_.speed()));
}

void FormView::stepSpeed(int by) {
  if (frames_.stepSpeed(by)) setSpeed(frames_.speed());
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

void FormView::createKeys() {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    auto* key = new QShortcut(QKeySequence(kButtonKeys[i].key), this);
    QPushButton* button = buttons_[i];
    connect(key, &QShortcut::activated, button, &QPushButton::click);
  }
  for (int i = 0; i < static_cast<int>(kScenarios.size()); ++i) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_1 + i), this);
    connect(key, &QShortcut::activated, this, [this, i] { pickScenario(i); });
  }
  // L toggles the long-run marks as a click on their checkbox would.
  auto* longRun = new QShortcut(QKeySequence(Qt::Key_L), this);
  connect(longRun, &QShortcut::activated, longRunBox_, &QCheckBox::click);
  // + (or =, which shares its key) and - step the speed, from the main
  // keys or the keypad; in a rate box they are typed instead.
  const std::array<std::pair<QKeyCombination, int>, 6> speedKeys{{
      {Qt::Key_Plus, 1},
      {Qt::Key_Equal, 1},
      {Qt::KeypadModifier | Qt::Key_Plus, 1},
      {Qt::Key_Minus, -1},
      {Qt::KeypadModifier | Qt::Key_Minus, -1},
      {Qt::ShiftModifier | Qt::Key_Plus, 1},
  }};
  for (const auto& [combination, by] : speedKeys) {
    auto* key = new QShortcut(QKeySequence(combination), this);
    connect(key, &QShortcut::activated, this, [this, by = by] { stepSpeed(by); });
  }
  auto* open = new QShortcut(QKeySequence::Open, this);
  connect(open, &QShortcut::activated, this, &FormView::askToOpen);
  auto* save = new QShortcut(QKeySequence::Save, this);
  connect(save, &QShortcut::activated, this, &FormView::askToSave);
  auto* fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
  connect(fullScreen, &QShortcut::activated, this, &FormView::toggleFullScreen);
  leaveFullScreen_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  leaveFullScreen_->setEnabled(false);
  connect(leaveFullScreen_, &QShortcut::activated, this, &FormView::toggleFullScreen);
}

void FormView::openChainFiles(const QStringList& paths) {
  QStringList problems;
  for (const QString& path : paths) {
    auto chain = readChainFile(path);
    if (const auto* problem = std::get_if<QString>(&chain)) {
      problems << *problem;
      continue;
    }
    form_.openChain(std::get<Chain>(std::move(chain)));
    rememberChainFolder(path);
  }
  if (!problems.isEmpty()) {
    QString text = problems.constFirst();
    if (problems.size() > 1) {
      text +=
          QStringLiteral(" (%1 more files could not be opened either.)").arg(problems.size() - 1);
    }
    form_.setNotice({text.toStdString(), true});
  }
  syncWidgets();
}

bool FormView::saveChainAs(const QString& path) {
  const auto chain = form_.chainOnWindow();
  std::optional<QString> problem;
  if (const auto* unreadable = std::get_if<std::string>(&chain)) {
    problem = QString::fromStdString(*unreadable);
  } else {
    problem = writeChainFile(withChainExtension(path), std::get<Chain>(chain));
  }
  if (problem) {
    form_.setNotice({problem->toStdString(), true});
  } else {
    rememberChainFolder(path);
    form_.setNotice(
        {"Saved the chain as " +
             quotedForDisplay(QFileInfo(withChainExtension(path)).fileName().toStdString()) + ".",
         false});
  }
  syncWidgets();
  return !problem;
}

void FormView::askToOpen() {
  const QStringList paths =
      QFileDialog::getOpenFileNames(this, QStringLiteral("Open Chains"), chainFolder(),
                                    QStringLiteral("Tessel chains (*.tessel);;All files (*)"));
  if (!paths.isEmpty()) openChainFiles(paths);
}

void FormView::askToSave() {
  QString path = qEnvironmentVariable("TESSEL_DEMO_SAVE_PATH");
  if (path.isEmpty()) {
    const auto chain = form_.chainOnWindow();
    const QString title = std::holds_alternative<Chain>(chain)
                              ? QString::fromStdString(std::get<Chain>(chain).title)
                              : QStringLiteral("chain");
    path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Chain"),
                                        QDir(chainFolder()).filePath(withChainExtension(title)),
                                        QStringLiteral("Tessel chains (*.tessel)"));
  }
  if (!path.isEmpty()) saveChainAs(path);
}

void FormView::editStateName(int state) {
  if (state < 0 || state >= kStateCount) return;
  const auto index = static_cast<std::size_t>(state);
  if (!form_.controls().circles[index].visible) return;
  finishNameEdit(false);
  editedState_ = state;
  nameEditor_ = new QLineEdit(this);
  nameEditor_->setAlignment(Qt::AlignCenter);
  nameEditor_->setFont(fontFor(kNameLabelFont, scale_.factor()));
  nameEditor_->setAccessibleName(QStringLiteral("Name of the state"));
  const QRect label = scale_.map(pixelRect(kNameLabels[index].box));
  const int height = nameEditor_->sizeHint().height();
  nameEditor_->setGeometry(label.left(), label.center().y() - height / 2, label.width(), height);
  nameEditor_->setText(QString::fromStdString(form_.controls().nameLabels[index].caption));
  nameEditor_->selectAll();
  nameEditor_->installEventFilter(this);
  connect(nameEditor_, &QLineEdit::returnPressed, this, [this] { finishNameEdit(true); });
  // Leaving the editor keeps what it holds, as a file manager's rename does.
  connect(nameEditor_, &QLineEdit::editingFinished, this, [this] { finishNameEdit(true); });
  nameEditor_->show();
  nameEditor_->setFocus();
  update(scale_.map(pixelRect(kNameLabels[index].box)));
}

void FormView::finishNameEdit(bool keep) {
  if (!nameEditor_) return;
  QLineEdit* editor = nameEditor_;
  nameEditor_ = nullptr;
  if (keep) {
    if (const auto problem = form_.renameState(editedState_, editor->text().toStdString())) {
      form_.setNotice({*problem, true});
    }
  }
  editor->removeEventFilter(this);
  editor->hide();
  editor->deleteLater();
  editedState_ = -1;
  setFocus();
  syncWidgets();
  update();
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == nameEditor_ &&
      (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
      // Esc drops the edit here, before it could leave full screen.
      if (event->type() == QEvent::KeyPress) finishNameEdit(false);
      event->accept();
      return event->type() == QEvent::KeyPress;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FormView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPointF design = scale_.transform().inverted().map(event->position());
  for (int state = 0; state < kStateCount; ++state) {
    if (pixelRect(kStateCircles[static_cast<std::size_t>(state)].box).contains(design)) {
      editStateName(state);
      return;
    }
  }
  QWidget::mouseDoubleClickEvent(event);
}

void FormView::contextMenuEvent(QContextMenuEvent* event) {
  // Every action of the window beside its buttons, each with its keys.
  QMenu menu(this);
  const auto add = [&menu](const QString& text, const QString& keys, auto slot) {
    QAction* action = menu.addAction(text + QLatin1Char('\t') + keys);
    connect(action, &QAction::triggered, slot);
    return action;
  };
  add(QStringLiteral("Open Chains\u2026"), QStringLiteral("Ctrl+O"), [this] { askToOpen(); });
  add(QStringLiteral("Save Chain As\u2026"), QStringLiteral("Ctrl+S"), [this] { askToSave(); });
  const QPointF design = scale_.transform().inverted().map(QPointF(event->pos()));
  int clicked = -1;
  for (int state = 0; state < kStateCount; ++state) {
    const auto i = static_cast<std::size_t>(state);
    if (form_.controls().circles[i].visible && pixelRect(kStateCircles[i].box).contains(design)) {
      clicked = state;
    }
  }
  QAction* rename = add(QStringLiteral("Rename State"), QStringLiteral("double-click"),
                        [this, clicked] { editStateName(clicked); });
  rename->setEnabled(clicked >= 0);
  if (clicked < 0) rename->setText(QStringLiteral("Rename a State: double-click it"));
  menu.addSeparator();
  add(QStringLiteral("Faster"), QStringLiteral("+"), [this] {
    stepSpeed(1);
  })->setEnabled(frames_.speed() + 1 < kRunSpeeds.size());
  add(QStringLiteral("Slower"), QStringLiteral("-"), [this] {
    stepSpeed(-1);
  })->setEnabled(frames_.speed() > 0);
  QAction* longRun =
      add(QStringLiteral("Long Run"), QStringLiteral("L"), [this] { longRunBox_->click(); });
  longRun->setCheckable(true);
  longRun->setChecked(longRunBox_->isChecked());
  QAction* fullScreen =
      add(QStringLiteral("Full Screen"), QStringLiteral("F11"), [this] { toggleFullScreen(); });
  fullScreen->setCheckable(true);
  fullScreen->setChecked(isFullScreen());
  menu.exec(event->globalPos());
}

void FormView::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void FormView::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  event->acceptProposedAction();
  openChainFiles(paths);
}

void FormView::toggleFullScreen() {
  // Leaving full screen returns to a maximised window if it was one before.
  setWindowState(windowState() ^ Qt::WindowFullScreen);
}

void FormView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) leaveFullScreen_->setEnabled(isFullScreen());
  QWidget::changeEvent(event);
}

void FormView::pickScenario(int index) {
  if (index < 0 || index >= scenarioList_->count()) return;
  const QSignalBlocker blocker(scenarioList_);
  scenarioList_->setCurrentIndex(index);
  form_.controls().scenarioList.text = scenarioList_->itemText(index).toStdString();
  deliver(FormEvent::ScenarioClick);
}

void FormView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layOutForm();
}

void FormView::layOutForm() {
  scale_ = FormScale::fit(size());
  for (const ScaledWidget& placed : scaledWidgets_) {
    placed.widget->setGeometry(scale_.map(pixelRect(placed.box)));
    placed.widget->setFont(fontFor(placed.font, scale_.factor()));
  }
  const int margin = scale_.length(static_cast<double>(kStatusStripMargin) / kTwipsPerPixel, 0);
  statusLine_->setContentsMargins(margin, 0, margin, 0);
  for (QLineEdit* box : rateBoxes_) {
    box->setStyleSheet(rateBoxStyle(box->property("marked").toBool(), scale_));
  }
  // The style draws the checkbox's square at one size; it grows with the
  // form like the checkbox's text. At the design's scale the style's own
  // look stays.
  if (scale_.factor() == 1.0) {
    longRunBox_->setStyleSheet(QString());
  } else {
    const int side = scale_.length(longRunBox_->style()->pixelMetric(QStyle::PM_IndicatorWidth));
    longRunBox_->setStyleSheet(
        QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }").arg(side));
  }
  statusText_.clear();  // the strip's text is fitted to its new size
  syncStatusLine();
  update();
}

void FormView::deliver(FormEvent event) {
  form_.handle(event);
  syncWidgets();
}

int FormView::runFrame(int mostTicks) {
  const FrameRunner::Frame frame = frames_.run(form_, mostTicks);
  syncWidgets();
  if (frame.countReached && ticksReached_) ticksReached_();
  return frame.ticks;
}

void FormView::countTicks(long long ticks, std::function<void()> reached) {
  frames_.countTicks(ticks);
  ticksReached_ = std::move(reached);
}

void FormView::rateEdited(int box, const QString& text) {
  form_.setRateText(box, text.toStdString());
  syncWidgets();
}

void FormView::syncRateBoxStyle(QLineEdit* box, bool marked) {
  if (box->property("marked").toBool() == marked) return;
  box->setProperty("marked", marked);
  box->setStyleSheet(rateBoxStyle(marked, scale_));
}

void FormView::syncWidgets() {
  const FormControls& controls = form_.controls();

  if (scenarioList_->count() != static_cast<int>(controls.scenarioList.entries.size())) {
    const QSignalBlocker blocker(scenarioList_);
    scenarioList_->clear();
    for (std::size_t i = 0; i < controls.scenarioList.entries.size(); ++i) {
      scenarioList_->addItem(QString::fromStdString(controls.scenarioList.entries[i]));
      // An opened chain's note is its entry's tooltip.
      const std::string note = form_.entryNote(i);
      if (!note.empty()) {
        scenarioList_->setItemData(static_cast<int>(i), QString::fromStdString(note),
                                   Qt::ToolTipRole);
      }
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
    const QString caption = withMnemonic(captions[i]->caption, kButtonKeys[i].letter);
    if (buttons_[i]->text() != caption) buttons_[i]->setText(caption);
  }

  const std::optional<int> marked = form_.markedRateBox();
  for (std::size_t i = 0; i < rateBoxes_.size(); ++i) {
    QLineEdit* box = rateBoxes_[i];
    const QString text = QString::fromStdString(controls.rateBoxes[i].text());
    if (box->text() != text) box->setText(text);
    box->setVisible(controls.rateBoxes[i].visible);
    syncRateBoxStyle(box, marked == static_cast<int>(i));
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
    update(scale_.map(changed));
  }
}

void FormView::syncStatusLine() {
  const StripMessage message = stripMessage(form_, kHint);
  const QString text = QString::fromStdString(message.text);
  const bool problem = message.problem;
  if (statusText_ == text) return;
  statusText_ = text;
  bool elided = false;
  statusLine_->setText(fitToLines(text, statusLine_->font(), statusLine_->contentsRect().width(),
                                  kStatusLines, elided));
  QPalette palette = statusLine_->palette();
  palette.setColor(QPalette::WindowText, problem ? QColor(180, 0, 0) : QColor(70, 70, 70));
  statusLine_->setPalette(palette);
  // A tool tip has no plain-text mode: the message goes in escaped.
  const QString keys = QStringLiteral("<p>%1</p>").arg(QString::fromLatin1(kFullScreenHint));
  const bool needsText = !message.isHint || elided;
  statusLine_->setToolTip(needsText ? QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped()) + keys
                                    : keys);
}

void FormView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.setTransform(scale_.transform());
  if (nameEditor_ && editedState_ >= 0) {
    // The editor stands in for the name it edits.
    FormControls shown = form_.controls();
    shown.nameLabels[static_cast<std::size_t>(editedState_)].caption.clear();
    paintForm(painter, shown);
    return;
  }
  paintForm(painter, form_.controls());
}

}  // namespace tessel
