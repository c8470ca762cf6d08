// Scrolled dialog layouts and sizes bounded by the screen.
#include "app/dialog_fit.h"

#include <QDialog>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace brevano {

namespace {

// The scroll area sizes a content whose layout has a height for its width to that height, which is
// reckoned from the preferred heights: the fields would then scroll at their preferred heights rather
// than give up room down to their least ones. Without it the content is as high as the view, or as
// its least height where that is more.
class ContentLayout : public QVBoxLayout {
 public:
  using QVBoxLayout::QVBoxLayout;
  bool hasHeightForWidth() const override { return false; }
};

}  // namespace

ScrolledLayout MakeScrolledLayout(QDialog* dialog) {
  ScrolledLayout layout;
  layout.outer = new QVBoxLayout(dialog);
  layout.scroll = new QScrollArea(dialog);
  layout.scroll->setFrameShape(QFrame::NoFrame);
  layout.scroll->setWidgetResizable(true);
  layout.scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  auto* content = new QWidget(layout.scroll);
  layout.content = new ContentLayout(content);
  layout.content->setContentsMargins(0, 0, 0, 0);
  layout.scroll->setWidget(content);
  layout.outer->addWidget(layout.scroll, 1);
  return layout;
}

QSize UnscrolledSize(const ScrolledLayout& layout) {
  QSize size = layout.scroll->widget()->minimumSizeHint();
  for (int i = 0; i < layout.outer->count(); ++i) {
    const QWidget* item = layout.outer->itemAt(i)->widget();
    if (!item || item == layout.scroll || item->isHidden()) continue;
    size.setWidth(std::max(size.width(), item->sizeHint().width()));
    size.setHeight(size.height() + layout.outer->spacing() + item->sizeHint().height());
  }
  const QMargins margins = layout.outer->contentsMargins();
  return size.grownBy(margins);
}

QSize FitScreen(const QWidget& widget, QSize size) {
  const QScreen* screen = widget.screen();
  if (!screen) return size;
  // Room for a title bar and thin borders, which the window manager adds.
  const int title = widget.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &widget);
  return size.boundedTo(screen->availableSize().shrunkBy(QMargins(4, title + 4, 4, 4)));
}

}  // namespace brevano
