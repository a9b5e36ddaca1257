#include "app/form_actions.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include "toolkit/text.h"
#include "window/view_pictures.h"

namespace tessel {
namespace {

QString fromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

FormActions::FormActions(QWidget& window, std::function<void(Action)> perform,
                         std::function<void(const std::string&)> chooseLanguage,
                         std::function<void(View)> chooseView)
    : QObject(&window),
      perform_(std::move(perform)),
      chooseLanguage_(std::move(chooseLanguage)),
      chooseView_(std::move(chooseView)) {
  for (const CommandInfo& command : commandTable()) {
    if (!existsOn(command, FrontEnd::Desktop)) continue;
    if (command.keys.front().empty() && command.menuText == nullptr) continue;
    auto* made = new QAction(&window);
    QList<QKeySequence> keys;
    for (const std::string_view key : command.keys) {
      if (!key.empty()) {
        keys << QKeySequence(QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())),
                             QKeySequence::PortableText);
      }
    }
    made->setShortcuts(keys);
    made->setShortcutContext(Qt::WindowShortcut);
    const Action action = command.action;
    connect(made, &QAction::triggered, this, [this, action] { perform_(action); });
    window.addAction(made);
    actions_.emplace_back(action, made);
  }
  retranslate();
}

void FormActions::retranslate() {
  for (const auto& [action, made] : actions_) {
    const CommandInfo& command = commandInfo(action);
    if (command.menuText != nullptr) made->setText(fromUtf8(_(command.menuText)));
  }
}

void FormActions::addLanguages(QMenu& menu, const std::string& chosen) {
  QMenu* languages = menu.addMenu(fromUtf8(_(commandInfo({Command::ChooseLanguage}).menuText)));
  const auto add = [&](const QString& text, const std::string& code) {
    QAction* entry = languages->addAction(text);
    entry->setCheckable(true);
    entry->setChecked(code == chosen);
    connect(entry, &QAction::triggered, this, [this, code] { chooseLanguage_(code); });
  };
  add(fromUtf8(uiText(UiText::SystemLanguage)), "");
  languages->addSeparator();
  for (const Language& language : tessel::languages()) {
    // Each in its own words, whatever the window speaks.
    add(QString::fromUtf8(language.name.data(), static_cast<qsizetype>(language.name.size())),
        std::string(language.code));
  }
}

void FormActions::addViews(QMenu& menu, View shown) {
  QMenu* views = menu.addMenu(fromUtf8(_(commandInfo({Command::ChooseView}).menuText)));
  for (const View view : kViews) {
    QAction* entry = views->addAction(fromUtf8(viewLabel(view)));
    entry->setCheckable(true);
    entry->setChecked(view == shown);
    connect(entry, &QAction::triggered, this, [this, view] { chooseView_(view); });
  }
}

QAction* FormActions::action(Command command) const {
  for (const auto& [action, made] : actions_) {
    if (action.command == command) return made;
  }
  return nullptr;
}

void FormActions::fillMenu(QMenu& menu, const MenuState& state) {
  for (const CommandInfo& command : commandTable()) {
    if (command.menuText == nullptr || !existsOn(command, FrontEnd::Desktop)) continue;
    if (command.startsMenuGroup) menu.addSeparator();
    if (command.action.command == Command::ChooseLanguage) {
      addLanguages(menu, state.language);
      continue;
    }
    if (command.action.command == Command::ChooseView) {
      addViews(menu, state.view);
      continue;
    }
    QAction* made = action(command.action.command);
    switch (command.action.command) {
      case Command::Rename: {
        // A gesture, not a key: the menu names it in the keys' column.
        made->setText(state.stateClicked ? fromUtf8(_(command.menuText)) + QLatin1Char('\t') +
                                               fromUtf8(_(command.gesture))
                                         : fromUtf8(uiText(UiText::RenameByDoubleClick)));
        made->setEnabled(state.stateClicked.has_value());
        break;
      }
      case Command::Faster:
        made->setEnabled(state.faster);
        break;
      case Command::Slower:
        made->setEnabled(state.slower);
        break;
      case Command::LongRun:
      case Command::FullScreen:
        made->setCheckable(true);
        made->setChecked(command.action.command == Command::LongRun ? state.longRun
                                                                    : state.fullScreen);
        break;
      default:
        break;
    }
    menu.addAction(made);
  }
}

}  // namespace tessel
