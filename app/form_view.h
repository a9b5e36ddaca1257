#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>

#include "display/form_controls.h"
#include "window/main_form.h"

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
  // Pixels below the design's client area for the status line, where errors
  // are shown without a dialog.
  static constexpr int kStatusLineHeight = 24;

  explicit FormView(MainForm& form, QWidget* parent = nullptr);

  // Sends one event to the window and shows its outcome.
  void deliver(FormEvent event);

  QComboBox* scenarioList() const { return scenarioList_; }
  QPushButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
  QLineEdit* rateBox(int index) const { return rateBoxes_.at(static_cast<std::size_t>(index)); }
  QLabel* statusLine() const { return statusLine_; }
  const QTimer& moveTimer() const { return moveTimer_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void createInputWidgets();
  void syncWidgets();
  void syncStatusLine();
  void rateEdited(int box, const QString& text);

  MainForm& form_;
  QComboBox* scenarioList_ = nullptr;
  std::array<QPushButton*, 3> buttons_{};
  std::array<QLineEdit*, kTransitionCount> rateBoxes_{};
  QLabel* statusLine_ = nullptr;
  QTimer moveTimer_;
  FormControls painted_;  // the controls as last drawn, to repaint only what changed
};

}  // namespace tessel
