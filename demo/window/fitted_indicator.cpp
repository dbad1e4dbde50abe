#include "demo/window/fitted_indicator.h"

#include <QApplication>
#include <QCheckBox>
#include <QProxyStyle>
#include <algorithm>

namespace marv {
namespace {

// The application's style, with a square indicator no larger than the widget it is drawn in.
class FittedIndicatorStyle : public QProxyStyle {
  public:
    // A style of the application's kind of its own: a proxy owns its base style.
    FittedIndicatorStyle() : QProxyStyle(QApplication::style()->name()) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int usual = QProxyStyle::pixelMetric(metric, option, widget);
        if (!widget || (metric != PM_IndicatorWidth && metric != PM_IndicatorHeight)) return usual;
        const int side = std::min(QProxyStyle::pixelMetric(PM_IndicatorWidth, option, widget),
                                  QProxyStyle::pixelMetric(PM_IndicatorHeight, option, widget));
        return std::min({side, widget->width(), widget->height()});
    }
};

}  // namespace

void fitIndicatorToBox(QCheckBox& box) {
    auto* style = new FittedIndicatorStyle;
    style->setParent(&box);
    box.setStyle(style);
}

}  // namespace marv
