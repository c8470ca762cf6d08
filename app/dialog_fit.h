// Dialogs that fit the screen at any scale: their controls scroll inside where the dialog is smaller than
// they need, and a dialog is never made larger than the screen's free area.
#pragma once

#include <QSize>

class QDialog;
class QScrollArea;
class QVBoxLayout;
class QWidget;

namespace brevano {

/// The layout of a dialog whose controls scroll: `content` holds the controls, in a frameless scroll
/// area; `outer` holds that area and what always stays in view below it (the buttons).
struct ScrolledLayout {
  QVBoxLayout* content = nullptr;
  QVBoxLayout* outer = nullptr;
  QScrollArea* scroll = nullptr;
};

/// Gives `dialog` a ScrolledLayout.
ScrolledLayout MakeScrolledLayout(QDialog* dialog);

/// The least size at which `layout`'s dialog shows its controls without scrolling.
QSize UnscrolledSize(const ScrolledLayout& layout);

/// `size` bounded to the free area of `widget`'s screen, leaving room for a window frame.
QSize FitScreen(const QWidget& widget, QSize size);

}  // namespace brevano
