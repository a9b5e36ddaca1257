#pragma once

// The window's commands as Qt actions, made from the one command table:
// each carries its command's keys as shortcuts, active wherever the focus is
// in the window (a rate box keeps the keys it takes as text, as a line edit
// does), and the right-click menu lists the table's menu entries with them.

#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "display/views.h"
#include "window/commands.h"

class QAction;
class QMenu;
class QWidget;

namespace tessel {

class FormActions : public QObject {
 public:
  // The actions are the window's; each triggers `perform` with its action,
  // the language menu's entries `chooseLanguage` with their language's
  // code ("" to follow the system), and the view menu's `chooseView`.
  FormActions(QWidget& window, std::function<void(Action)> perform,
              std::function<void(const std::string&)> chooseLanguage,
              std::function<void(View)> chooseView);

  // Writes the actions' texts afresh, in the language spoken now.
  void retranslate();

  QAction* action(Command command) const;

  // What the menu shows enabled or checked, beside the table's texts.
  struct MenuState {
    bool faster = true;
    bool slower = true;
    bool longRun = false;
    bool fullScreen = false;
    std::optional<int> stateClicked;  // the oval the menu was opened on
    std::string language;             // the language chosen; "" follows the system
    View view = View::Chart;
  };
  // Fills `menu` with the table's menu entries in order, each group after a
  // separator; the rename entry names its gesture, and says how to rename
  // where no oval was clicked.
  void fillMenu(QMenu& menu, const MenuState& state);

 private:
  void addLanguages(QMenu& menu, const std::string& chosen);
  void addViews(QMenu& menu, View shown);

  std::vector<std::pair<Action, QAction*>> actions_;
  std::function<void(Action)> perform_;
  std::function<void(const std::string&)> chooseLanguage_;
  std::function<void(View)> chooseView_;
};

}  // namespace tessel
