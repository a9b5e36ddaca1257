#pragma once

#include <QLabel>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <array>
#include <string>

#include "display/form_controls.h"
#include "display/layout.h"
#include "window/main_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tessel {

// The demonstration's window on screen: draws MainForm's controls, hosts the
// real input widgets (scenario list, buttons, rate boxes) where the layout
// puts them, and turns the user's input and the timer into MainForm's
// events. It keeps no state of its own that the model holds: after every
// event it brings the widgets in line with the model and repaints what
// changed.
class FormView : public QWidget {
  Q_OBJECT

 public:
  // The strip below the design's client area, in pixels at the design's
  // size: the status line, where errors are shown without a dialog, and at
  // its right end the "Long run" checkbox.
  static constexpr int kStatusLineHeight = 24;
  static constexpr QRect kLongRunBox{648, 504, 76, kStatusLineHeight};
  static constexpr FontSpec kStripFont{kFontFace, 9.0F, kRegular, false};

  // Where the "Long run" setting is remembered between runs (QSettings).
  static constexpr const char* kLongRunSetting = "chart/longRunMarks";

  explicit FormView(MainForm& form, QWidget* parent = nullptr);

  // Sends one event to the window and shows its outcome.
  void deliver(FormEvent event);

  QComboBox* scenarioList() const { return scenarioList_; }
  QPushButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
  QLineEdit* rateBox(int index) const { return rateBoxes_.at(static_cast<std::size_t>(index)); }
  QLabel* statusLine() const { return statusLine_; }
  QCheckBox* longRunBox() const { return longRunBox_; }

  // Turns the long-run marks on or off without remembering the choice (the
  // user's own clicks and the L key are remembered).
  void setLongRunMarksShown(bool shown);
  const QTimer& moveTimer() const { return moveTimer_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void createInputWidgets();
  void syncWidgets();
  void syncStatusLine();
  void rateEdited(int box, const QString& text);
  void longRunClicked(bool shown);
  void nameRateBoxes();

  MainForm& form_;
  QComboBox* scenarioList_ = nullptr;
  std::array<QPushButton*, 3> buttons_{};
  std::array<QLineEdit*, kTransitionCount> rateBoxes_{};
  QLabel* statusLine_ = nullptr;
  QString statusText_;  // all of what the status line shows, before any cut
  QCheckBox* longRunBox_ = nullptr;
  std::array<std::string, kStateCount> rateBoxStates_;  // the state names the rate boxes carry
  QTimer moveTimer_;
  FormControls painted_;  // the controls as last drawn, to repaint only what changed
};

}  // namespace tessel
