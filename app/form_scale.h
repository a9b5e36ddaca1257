#pragma once

#include <QPointF>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QTransform>

namespace tessel {

// How the form's design pixels (15 twips each) map onto the window: one
// uniform factor, the largest at which the whole form, status strip
// included, fits the window, and the form centred in it. The window's
// background shows in the margins left over on two sides.
class FormScale {
 public:
  // The form at its design size, in the window's top left corner.
  FormScale() = default;

  // The largest uniform scale at which the form fits `area`, centred in it.
  static FormScale fit(QSize area);

  // The form's own size in logical pixels, at scale 1.
  static QSize designSize();

  // The largest size with the form's proportions that is no larger than its
  // design size and fits `available`: the window's smallest and opening size
  // on a screen too small for the design.
  static QSize designSizeWithin(QSize available);

  double factor() const { return factor_; }
  QPointF origin() const { return origin_; }

  // Design pixels to the window's pixels.
  QTransform transform() const;

  // A design rectangle on the window, its edges rounded to whole pixels so
  // that neighbouring widgets keep touching where they touch in the design.
  QRect map(const QRectF& designRect) const;

  // A design region on the window, grown to whole pixels on every side so
  // that a repaint of it covers everything drawn inside it.
  QRegion map(const QRegion& designRegion) const;

  // A length in design pixels on the window, rounded and at least `least`.
  int length(double designPixels, int least = 1) const;

 private:
  FormScale(double factor, QPointF origin) : factor_(factor), origin_(origin) {}

  double factor_ = 1.0;
  QPointF origin_;
};

}  // namespace tessel
