#pragma once

#include <QLabel>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "app/form_scale.h"
#include "display/layout.h"
#include "window/session.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tessel {

class FormActions;
class NameEditor;
class StatusStrip;

// The demonstration's window on screen: draws the session's window, hosts
// the real input widgets (scenario list, buttons, rate boxes, the strip's
// speed and long-run controls) where the layout puts them, and hands the
// user's input, its keys and the timer to the session. It keeps nothing the
// session holds: after every event it brings the widgets in line with the
// session and repaints what changed.
//
// The window takes any size. The form, status strip included, is scaled
// uniformly to the largest size that fits and centred: the drawing through
// the painter's transform, every widget by placing its design box and font
// at the same scale.
class FormView : public QWidget {
  Q_OBJECT

 public:
  // Where the "Long run" setting is remembered between runs (QSettings),
  // and the language chosen in the menu ("" follows the system).
  static constexpr const char* kLongRunSetting = "chart/longRunMarks";
  static constexpr const char* kLanguageSetting = "view/language";

  explicit FormView(Session& session, QWidget* parent = nullptr);
  ~FormView() override;

  // Loads the window, as the program does once it has made the view.
  void load();
  // Carries out a command of the table, the session's or the view's own
  // (its dialogs, the name editor, full screen), and shows its outcome.
  void perform(Action action);

  // Runs one frame of ticks at the current speed, never more than
  // `mostTicks`, and shows its outcome; what the move timer does. Returns
  // the ticks run.
  int runFrame(int mostTicks = std::numeric_limits<int>::max());

  // Opens chain files into the scenario list, each picked as it is added;
  // a file that cannot be opened changes nothing and the strip says why.
  void openChainFiles(const QStringList& paths);
  // Saves the chain on the window as it stands to `path` (with the chain
  // files' extension added where it has none). Returns whether it did; the
  // strip says what happened.
  bool saveChainAs(const QString& path);
  // Asks for files to open, or where to save, as Ctrl+O and Ctrl+S do. The
  // save path comes from TESSEL_DEMO_SAVE_PATH instead where that is set,
  // for the program's tests.
  void askToOpen();
  void askToSave();
  // Opens the editor of a shown state's name in its oval, as a double-click
  // on the oval does.
  void editStateName(int state);
  QLineEdit* nameEditor() const;

  // From now on the timer's frames count exactly `ticks` ticks more, the
  // last frame cut short where they end, and then run none; `reached` is
  // called right after the frame that ends the count is shown.
  void countTicks(long long ticks, std::function<void()> reached);

  // The speed, by place in kRunSpeeds: ×1 at every start, so that a class
  // never inherits the last lesson's fast forward.
  void setSpeed(std::size_t speed);
  void setView(View view);
  std::size_t speed() const { return session_.speed(); }
  QComboBox* speedList() const;

  // Picks the scenario at `index` in the list, as a click on its entry does.
  void pickScenario(int index);

  // Speaks `language` from now on, as its entry in the menu does, and
  // remembers it ("" follows the system): the whole window is relabelled and
  // the run goes on.
  void chooseLanguage(const std::string& language);

  QComboBox* scenarioList() const { return scenarioList_; }
  QPushButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
  QLineEdit* rateBox(int index) const { return rateBoxes_.at(static_cast<std::size_t>(index)); }
  QLabel* statusLine() const;
  QLabel* speedLabel() const;
  QCheckBox* longRunBox() const;

  // Turns the long-run marks on or off without remembering the choice (the
  // user's own clicks and the L key are remembered).
  void setLongRunMarksShown(bool shown);
  const QTimer& moveTimer() const { return moveTimer_; }
  const FormScale& formScale() const { return scale_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // A widget that stands on the form at a design box with a design font;
  // every resize places and sizes it again at the form's scale.
  struct ScaledWidget {
    QWidget* widget;
    BoxLayout box;
    FontSpec font;
  };

  void createInputWidgets();
  void retranslate();
  void place(QWidget* widget, const BoxLayout& box, const FontSpec& font);
  void layOutForm();
  // Shows a list's entries smaller where the widest does not fit its box.
  void fitEntries(QComboBox* list, const FontSpec& font) const;
  void toggleFullScreen();
  void syncWidgets();
  void syncRateBoxStyle(QLineEdit* box, bool marked);
  void longRunClicked(bool shown);
  void finishNameEdit(bool keep);
  std::optional<int> stateAt(QPointF windowPoint) const;

  Session& session_;
  QComboBox* scenarioList_ = nullptr;
  std::array<QPushButton*, 3> buttons_{};
  std::array<QLineEdit*, kTransitionCount> rateBoxes_{};
  std::vector<ScaledWidget> scaledWidgets_;
  FormScale scale_;
  std::unique_ptr<StatusStrip> strip_;
  FormActions* actions_ = nullptr;
  QPointer<NameEditor> nameEditor_;
  std::optional<int> menuState_;  // the oval the right-click menu was opened on
  std::function<void()> ticksReached_;
  std::array<std::string, kStateCount> rateBoxStates_;  // the names the rate boxes carry
  QTimer moveTimer_;
};

}  // namespace tessel
