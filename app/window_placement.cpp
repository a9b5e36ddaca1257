#include "app/window_placement.h"

#include <QEvent>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace tessel {
namespace {

// Writes the window's geometry to the settings as it closes.
class GeometryKeeper : public QObject {
 public:
  explicit GeometryKeeper(QWidget& window) : QObject(&window), window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Close) {
      QSettings().setValue(QString::fromLatin1(kWindowGeometryKey), window_.saveGeometry());
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& window_;
};

}  // namespace

void showWithSavedGeometry(QWidget& window) {
  const QByteArray saved = QSettings().value(QString::fromLatin1(kWindowGeometryKey)).toByteArray();
  if (!saved.isEmpty() && window.restoreGeometry(saved)) {
    window.setWindowState(window.windowState() & ~Qt::WindowFullScreen);
    // The screen may have shrunk, or the scale factor grown, since the size
    // was saved.
    const QSize available = window.screen()->availableGeometry().size();
    if (!window.isMaximized()) window.resize(window.size().boundedTo(available));
  }
  window.installEventFilter(new GeometryKeeper(window));
  window.show();
}

}  // namespace tessel
