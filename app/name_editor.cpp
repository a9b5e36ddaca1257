#include "app/name_editor.h"

#include <QKeyEvent>

#include "window/commands.h"

namespace tessel {

NameEditor::NameEditor(QWidget* window, const QString& name, const QRect& labelBox,
                       const QFont& font)
    : QLineEdit(name, window) {
  setAlignment(Qt::AlignCenter);
  setFont(font);
  setAccessibleName(QString::fromStdString(uiText(UiText::NameEditor)));
  const int height = sizeHint().height();
  setGeometry(labelBox.left(), labelBox.center().y() - height / 2, labelBox.width(), height);
  selectAll();
  connect(this, &QLineEdit::returnPressed, this, [this] { finish(true); });
  connect(this, &QLineEdit::editingFinished, this, [this] { finish(true); });
}

bool NameEditor::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      event->accept();
      if (event->type() == QEvent::KeyPress) finish(false);
      return true;
    }
  }
  return QLineEdit::event(event);
}

void NameEditor::finish(bool keep) {
  if (done_) return;
  done_ = true;
  emit finished(keep);
}

}  // namespace tessel
