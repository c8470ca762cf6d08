// A push button that shows when it has the keyboard focus, whatever the style draws for a default button.
#pragma once

#include <QPainter>
#include <QPushButton>
#include <QStyleOptionFocusRect>

namespace brevano {

/// A QPushButton that draws the style's focus rectangle inside its frame while it has the focus.
/// Some styles draw the default button and the focused button alike, so the focus alone was not
/// to be seen.
class FocusButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPushButton::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(kInset, kInset, -kInset, -kInset);
    option.backgroundColor = palette().color(QPalette::Button);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }

 private:
  static constexpr int kInset = 3;
};

}  // namespace brevano
