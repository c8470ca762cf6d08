// Program start: the application object, the one window and the event loop.
#include <QApplication>

#include "app/frm_boolean.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  brevano::Tfrm_bool_alg window;
  window.show();
  return app.exec();
}
