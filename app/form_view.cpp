#include "app/form_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QUrl>

#include "app/chain_files.h"
#include "app/form_actions.h"
#include "app/form_painter.h"
#include "app/name_editor.h"
#include "app/qt_translations.h"
#include "app/status_strip.h"
#include "window/run_speed.h"

namespace tessel {
namespace {

QString qText(const std::string& text) {
  return QString::fromStdString(text);
}

QString qText(const char* text) {
  return qText(_(text));
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

FormView::FormView(Session& session, QWidget* parent) : QWidget(parent), session_(session) {
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
  actions_ = new FormActions(
      *this, [this](Action action) { perform(action); },
      [this](const std::string& language) { chooseLanguage(language); },
      [this](View view) { setView(view); });
  actions_->action(Command::LeaveFullScreen)->setEnabled(false);
  retranslate();
  setAcceptDrops(true);

  moveTimer_.setTimerType(Qt::PreciseTimer);
  connect(&moveTimer_, &QTimer::timeout, this, [this] { runFrame(); });
  setLongRunMarksShown(QSettings().value(QString::fromLatin1(kLongRunSetting), false).toBool());
  setFocus();
}

FormView::~FormView() = default;

QComboBox* FormView::speedList() const {
  return strip_->speedList();
}

QLabel* FormView::statusLine() const {
  return strip_->line();
}

QLabel* FormView::speedLabel() const {
  return strip_->speedLabel();
}

QCheckBox* FormView::longRunBox() const {
  return strip_->longRunBox();
}

void FormView::load() {
  session_.load();
  syncWidgets();
}

void FormView::setLongRunMarksShown(bool shown) {
  session_.setLongRun(shown);
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
  for (ScaledWidget& placed : scaledWidgets_) {
    if (placed.widget == widget) {
      placed = {widget, box, font};
      return;
    }
  }
  scaledWidgets_.push_back({widget, box, font});
}

void FormView::createInputWidgets() {
  // Created in tab order: the rate boxes, then the list, then the buttons.
  for (std::size_t i = 0; i < rateBoxes_.size(); ++i) {
    auto* box = new QLineEdit(this);
    place(box, kRateBoxes[i].box, kRateBoxFont);
    box->setAlignment(Qt::AlignCenter);
    const int index = static_cast<int>(i);
    connect(box, &QLineEdit::textEdited, this, [this, index](const QString& text) {
      session_.typeRate(index, text.toStdString());
      syncWidgets();
    });
    connect(box, &QLineEdit::editingFinished, this, [box] {
      if (!box->hasFocus()) showBeginning(box);
    });
    rateBoxes_[i] = box;
  }

  scenarioList_ = new QComboBox(this);
  place(scenarioList_, kScenarioListBox, kScenarioListFont);
  connect(scenarioList_, &QComboBox::activated, this, &FormView::pickScenario);

  const std::array<Command, 3> clicks{Command::One, Command::StartStop, Command::PauseContinue};
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    auto* button = new QPushButton(this);
    place(button, kButtons[i].box, kButtonFont);
    const Action action{clicks[i]};
    connect(button, &QPushButton::clicked, this, [this, action] { perform(action); });
    buttons_[i] = button;
  }

  strip_ = std::make_unique<StatusStrip>(
      *this,
      [this](QWidget* widget, const BoxLayout& box, const FontSpec& font) {
        place(widget, box, font);
      },
      [this](View view) { setView(view); }, [this](std::size_t speed) { setSpeed(speed); },
      [this](bool shown) { longRunClicked(shown); });
}

void FormView::retranslate() {
  scenarioList_->setAccessibleName(qText(uiText(UiText::ScenarioList)));
  scenarioList_->setToolTip(qText(uiText(UiText::ScenarioListTip)));
  const std::array<Command, 3> clicks{Command::One, Command::StartStop, Command::PauseContinue};
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->setToolTip(qText(commandInfo({clicks[i]}).toolTip));
  }
  if (actions_ != nullptr) actions_->retranslate();
  strip_->retranslate();
  // The list's labels and the rate boxes' names are written afresh.
  scenarioList_->clear();
  rateBoxStates_ = {};
  layOutForm();  // the strip's captions may need other boxes
  syncWidgets();
}

void FormView::chooseLanguage(const std::string& language) {
  QSettings().setValue(QString::fromLatin1(kLanguageSetting), QString::fromStdString(language));
  const std::string spoken = language.empty() ? matchLanguage(systemLanguages()) : language;
  session_.setLanguage(spoken);
  useQtTranslations(spoken);
  retranslate();
}

void FormView::setView(View view) {
  session_.setView(view);
  syncWidgets();
}

void FormView::setSpeed(std::size_t speed) {
  session_.setSpeed(speed);
  syncWidgets();
}

void FormView::perform(Action action) {
  switch (action.command) {
    case Command::PickEntry:
      pickScenario(action.entry);
      return;
    case Command::LongRun:
      longRunClicked(!session_.longRunShown());
      return;
    case Command::Open:
      askToOpen();
      return;
    case Command::Save:
      askToSave();
      return;
    case Command::Rename:
      if (menuState_) editStateName(*menuState_);
      return;
    case Command::FullScreen:
    case Command::LeaveFullScreen:
      toggleFullScreen();
      return;
    default:
      session_.perform(action);
      syncWidgets();
  }
}

void FormView::openChainFiles(const QStringList& paths) {
  std::vector<Document> documents;
  for (const QString& path : paths) documents.push_back(readChainDocument(path));
  const std::vector<bool> opened = session_.openDocuments(documents);
  for (std::size_t i = 0; i < opened.size(); ++i) {
    if (opened[i]) rememberChainFolder(paths[static_cast<qsizetype>(i)]);
  }
  syncWidgets();
}

bool FormView::saveChainAs(const QString& path) {
  const std::optional<Session::ChainToSave> chain = session_.chainToSave();
  bool saved = false;
  if (chain) {
    const QString file = qText(withChainExtension(path.toStdString()));
    if (const std::optional<QString> problem = writeChainDocument(file, chain->document)) {
      session_.chainNotSaved(file.toStdString(), problem->toStdString());
    } else {
      rememberChainFolder(path);
      session_.chainSaved(file.toStdString());
      saved = true;
    }
  }
  syncWidgets();
  return saved;
}

void FormView::askToOpen() {
  const QStringList paths = QFileDialog::getOpenFileNames(
      this, qText(uiText(UiText::OpenTitle)), chainFolder(),
      qText(uiText(UiText::ChainFiles)) + QStringLiteral(";;") + qText(uiText(UiText::AllFiles)));
  if (!paths.isEmpty()) openChainFiles(paths);
}

void FormView::askToSave() {
  QString path = qEnvironmentVariable("TESSEL_DEMO_SAVE_PATH");
  if (path.isEmpty()) {
    path = QFileDialog::getSaveFileName(this, qText(uiText(UiText::SaveTitle)),
                                        QDir(chainFolder()).filePath(qText(session_.saveName())),
                                        qText(uiText(UiText::ChainFiles)));
  }
  if (!path.isEmpty()) saveChainAs(path);
}

QLineEdit* FormView::nameEditor() const {
  return nameEditor_.data();
}

void FormView::editStateName(int state) {
  finishNameEdit(false);
  if (!session_.beginRename(state)) return;
  const auto index = static_cast<std::size_t>(state);
  const QRect label = scale_.map(pixelRect(kNameLabels[index].box));
  nameEditor_ = new NameEditor(this, qText(session_.controls().nameLabels[index].caption), label,
                               fontFor(kNameLabelFont, scale_.factor()));
  connect(nameEditor_, &NameEditor::finished, this, &FormView::finishNameEdit);
  nameEditor_->show();
  nameEditor_->setFocus();
  syncWidgets();
}

void FormView::finishNameEdit(bool keep) {
  if (!nameEditor_) return;
  NameEditor* editor = nameEditor_;
  nameEditor_ = nullptr;
  session_.finishRename(keep ? std::optional(editor->text().toStdString()) : std::nullopt);
  editor->hide();
  editor->deleteLater();
  setFocus();
  syncWidgets();
}

std::optional<int> FormView::stateAt(QPointF windowPoint) const {
  const QPointF design = scale_.transform().inverted().map(windowPoint);
  return session_.stateAt(design.x(), design.y());
}

void FormView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (const std::optional<int> state = stateAt(event->position())) {
    editStateName(*state);
    return;
  }
  QWidget::mouseDoubleClickEvent(event);
}

void FormView::contextMenuEvent(QContextMenuEvent* event) {
  // Every action of the window beside its buttons, each with its keys.
  QMenu menu(this);
  menuState_ = stateAt(QPointF(event->pos()));
  FormActions::MenuState state;
  state.faster = session_.speed() + 1 < kRunSpeeds.size();
  state.slower = session_.speed() > 0;
  state.longRun = session_.longRunShown();
  state.view = session_.view();
  state.fullScreen = isFullScreen();
  state.stateClicked = menuState_;
  state.language =
      QSettings().value(QString::fromLatin1(kLanguageSetting)).toString().toStdString();
  actions_->fillMenu(menu, state);
  menu.exec(event->globalPos());
  menuState_.reset();
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
  if (event->type() == QEvent::WindowStateChange) {
    actions_->action(Command::LeaveFullScreen)->setEnabled(isFullScreen());
  }
  QWidget::changeEvent(event);
}

void FormView::pickScenario(int index) {
  if (index < 0 || index >= scenarioList_->count()) return;
  session_.pickEntry(static_cast<std::size_t>(index));
  syncWidgets();
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
  fitEntries(scenarioList_, kScenarioListFont);
  fitEntries(speedList(), kStatusStripFont);
  fitEntries(strip_->viewList(), kStatusStripFont);
  for (QLineEdit* box : rateBoxes_) {
    box->setStyleSheet(rateBoxStyle(box->property("marked").toBool(), scale_));
  }
  strip_->layOut(scale_);
  strip_->sync(session_);
  update();
}

int FormView::runFrame(int mostTicks) {
  const FrameRunner::Frame frame = session_.runFrame(mostTicks);
  syncWidgets();
  if (frame.countReached && ticksReached_) ticksReached_();
  return frame.ticks;
}

void FormView::countTicks(long long ticks, std::function<void()> reached) {
  session_.countTicks(ticks, AtCount::Hold);
  ticksReached_ = std::move(reached);
}

void FormView::fitEntries(QComboBox* list, const FontSpec& font) const {
  QStringList entries;
  for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
  QStyleOptionComboBox option;
  option.initFrom(list);
  const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, list);
  list->setFont(fittedListFont(fontFor(font, scale_.factor()), entries, field.width()));
}

void FormView::syncRateBoxStyle(QLineEdit* box, bool marked) {
  if (box->property("marked").toBool() == marked) return;
  box->setProperty("marked", marked);
  box->setStyleSheet(rateBoxStyle(marked, scale_));
}

void FormView::syncWidgets() {
  const FormControls& controls = session_.controls();

  const std::vector<std::string>& entries = controls.scenarioList.entries;
  if (scenarioList_->count() != static_cast<int>(entries.size())) {
    const QSignalBlocker blocker(scenarioList_);
    scenarioList_->clear();
    for (std::size_t i = 0; i < entries.size(); ++i) {
      scenarioList_->addItem(qText(session_.entryLabel(i)));
      // An opened chain's note is its entry's tooltip.
      const std::string note = session_.form().entryNote(i);
      if (!note.empty()) {
        scenarioList_->setItemData(static_cast<int>(i), qText(note), Qt::ToolTipRole);
      }
    }
    fitEntries(scenarioList_, kScenarioListFont);
  }
  const std::optional<std::size_t> entry = session_.pickedEntry();
  const int picked = entry ? static_cast<int>(*entry) : -1;
  if (scenarioList_->currentIndex() != picked) {
    const QSignalBlocker blocker(scenarioList_);
    scenarioList_->setCurrentIndex(picked);
  }

  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const int button = static_cast<int>(i);
    const QString caption =
        qText(withAmpersandMnemonic(session_.buttonCaption(button), session_.buttonLetter(button)));
    if (buttons_[i]->text() != caption) buttons_[i]->setText(caption);
  }

  const std::optional<int> marked = session_.form().markedRateBox();
  for (std::size_t i = 0; i < rateBoxes_.size(); ++i) {
    QLineEdit* box = rateBoxes_[i];
    const QString text = qText(controls.rateBoxes[i].text());
    if (box->text() != text) box->setText(text);
    box->setVisible(controls.rateBoxes[i].visible);
    syncRateBoxStyle(box, marked == static_cast<int>(i));
  }
  // The boxes name their transitions by the states the window shows, so
  // their names change only with the states' names.
  std::array<std::string, kStateCount> names;
  for (std::size_t i = 0; i < kStateCount; ++i) names[i] = controls.nameLabels[i].caption;
  if (names != rateBoxStates_) {
    rateBoxStates_ = names;
    for (std::size_t i = 0; i < rateBoxes_.size(); ++i) {
      const QString name = qText(session_.rateBoxName(static_cast<int>(i)));
      rateBoxes_[i]->setAccessibleName(name);
      rateBoxes_[i]->setToolTip(name);
    }
  }

  const Timer& timer = controls.moveTimer;
  if (moveTimer_.interval() != timer.interval) moveTimer_.setInterval(timer.interval);
  if (timer.enabled && !moveTimer_.isActive()) moveTimer_.start();
  if (!timer.enabled && moveTimer_.isActive()) moveTimer_.stop();

  strip_->sync(session_);

  const std::vector<PixelRect> changed = session_.takeRepaint();
  if (!changed.empty()) update(scale_.map(toRegion(changed)));
}

void FormView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.setTransform(scale_.transform());
  PainterCanvas canvas(painter);
  session_.draw(canvas);
}

}  // namespace tessel
