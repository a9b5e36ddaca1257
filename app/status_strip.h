#pragma once

// The strip under the diagram: the window's one message, fitted to two
// lines and whole in its tooltip; the view list; the speed list with its
// label; and the
// long-run checkbox. It stands on the form as FormView places it.

#include <QString>
#include <cstddef>
#include <functional>

#include "app/form_scale.h"
#include "display/layout.h"
#include "window/session.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QShortcut;
class QWidget;

namespace tessel {

class StatusStrip {
 public:
  // Places a widget on the form at a design box with a design font.
  using Place = std::function<void(QWidget*, const BoxLayout&, const FontSpec&)>;

  // `viewPicked`, `speedPicked` and `longRunClicked` are called with the
  // user's choices.
  StatusStrip(QWidget& window, const Place& place, std::function<void(View)> viewPicked,
              std::function<void(std::size_t)> speedPicked,
              std::function<void(bool)> longRunClicked);

  QLabel* line() const { return line_; }
  QComboBox* viewList() const { return viewList_; }
  QComboBox* speedList() const { return speedList_; }
  QLabel* speedLabel() const { return speedLabel_; }
  QCheckBox* longRunBox() const { return longRunBox_; }

  // Writes the strip's own texts afresh, in the language spoken now, and
  // places the speed label and the long-run box where their captions fit.
  void retranslate();

  // Brings the strip in line with the session.
  void sync(const Session& session);
  // Fits the strip to the form's new scale: margins, the checkbox's square
  // and the message's lines.
  void layOut(const FormScale& scale);

 private:
  void showMessage(const StripMessage& message);

  Place place_;
  QLabel* line_ = nullptr;
  QLabel* speedLabel_ = nullptr;
  QComboBox* speedList_ = nullptr;
  QComboBox* viewList_ = nullptr;
  QShortcut* viewKey_ = nullptr;  // Alt with the view caption's letter: the list has no label
  QCheckBox* longRunBox_ = nullptr;
  QString text_;  // the whole message; the line may show it shortened
};

}  // namespace tessel
