#pragma once

// The editor of a state's name, over the name in its oval: Enter, or
// leaving it, keeps what it holds, as a file manager's rename does; Esc
// drops it, before the window's own Esc (leaving full screen) can see it.

#include <QLineEdit>

namespace tessel {

class NameEditor : public QLineEdit {
  Q_OBJECT

 public:
  NameEditor(QWidget* window, const QString& name, const QRect& labelBox, const QFont& font);

 signals:
  // Once, when the edit ends: whether to keep the name.
  void finished(bool keep);

 protected:
  bool event(QEvent* event) override;

 private:
  void finish(bool keep);

  bool done_ = false;
};

}  // namespace tessel
