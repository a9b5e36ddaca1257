#include "app/form_scale.h"

#include <algorithm>
#include <cmath>

#include "display/layout.h"

namespace tessel {
namespace {

constexpr double kDesignWidth = static_cast<double>(kFormWidth) / kTwipsPerPixel;
constexpr double kDesignHeight = static_cast<double>(kFormHeight) / kTwipsPerPixel;

}  // namespace

FormScale FormScale::fit(QSize area) {
  const double factor = std::min(area.width() / kDesignWidth, area.height() / kDesignHeight);
  if (!(factor > 0.0)) return FormScale();
  return FormScale(factor, QPointF((area.width() - kDesignWidth * factor) / 2.0,
                                   (area.height() - kDesignHeight * factor) / 2.0));
}

QSize FormScale::designSize() {
  return QSize(static_cast<int>(std::lround(kDesignWidth)),
               static_cast<int>(std::lround(kDesignHeight)));
}

QSize FormScale::designSizeWithin(QSize available) {
  const QSize design = designSize();
  if (available.width() >= design.width() && available.height() >= design.height()) return design;
  // Rounded down, so that the result never exceeds what is available.
  const double factor =
      std::min(available.width() / kDesignWidth, available.height() / kDesignHeight);
  return QSize(std::max(1, static_cast<int>(kDesignWidth * factor)),
               std::max(1, static_cast<int>(kDesignHeight * factor)));
}

QTransform FormScale::transform() const {
  return QTransform::fromTranslate(origin_.x(), origin_.y()).scale(factor_, factor_);
}

QRect FormScale::map(const QRectF& designRect) const {
  const auto edge = [](double pixels) { return static_cast<int>(std::lround(pixels)); };
  const int left = edge(origin_.x() + designRect.left() * factor_);
  const int top = edge(origin_.y() + designRect.top() * factor_);
  const int right = edge(origin_.x() + designRect.right() * factor_);
  const int bottom = edge(origin_.y() + designRect.bottom() * factor_);
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRegion FormScale::map(const QRegion& designRegion) const {
  const QTransform toWindow = transform();
  QRegion region;
  for (const QRect& rect : designRegion) {
    region += toWindow.mapRect(QRectF(rect)).toAlignedRect().adjusted(-1, -1, 1, 1);
  }
  return region;
}

int FormScale::length(double designPixels, int least) const {
  return std::max(least, static_cast<int>(std::lround(designPixels * factor_)));
}

}  // namespace tessel
