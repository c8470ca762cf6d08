// The main window's controls for the tests and benchmarks that drive them as a user would.
#pragma once

#include "app/frm_boolean.h"

namespace brevano {

/// The window's controls, named as in its layout.
struct WindowControls {
  QLineEdit* eIN;
  TruthTableView* LV;
  QPushButton* Button1;
  QTextEdit* M;
  QRadioButton* r1;
  QRadioButton* r2;
  WarningLine* Warn;
};

/// What the window lets tests reach of itself.
struct WindowTestAccess {
  static WindowControls Controls(const Tfrm_bool_alg& window) {
    return {window.eIN, window.LV, window.Button1, window.M, window.r1, window.r2, window.Warn};
  }
};

/// The controls of `window`.
inline WindowControls Ui(const Tfrm_bool_alg& window) { return WindowTestAccess::Controls(window); }

}  // namespace brevano
