// Program start: the application object, the one window and the event loop.
#include <QApplication>
#include <QIcon>

#include "app/frm_boolean.h"
#include "engine/numbers.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  brevano::UseLocaleDecimalSeparator();
  QGuiApplication::setDesktopFileName(QStringLiteral("brevano-boolean"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("brevano-boolean")));
  brevano::Tfrm_bool_alg window;
  window.show();
  return app.exec();
}
