// Program start: the application object, the one window and the event loop.
#include <QApplication>
#include <QIcon>
#include <QPointer>

#include "app/frm_boolean.h"
#include "app/window_settings.h"
#include "engine/numbers.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  brevano::UseLocaleDecimalSeparator();
  brevano::UseUserSettings();
  QGuiApplication::setDesktopFileName(QStringLiteral("brevano-boolean"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("brevano-boolean")));
  const QPointer<brevano::Tfrm_bool_alg> window = brevano::ShowMainWindow();
  const int status = app.exec();
  delete window.data();
  return status;
}
