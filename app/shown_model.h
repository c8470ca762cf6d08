// The window's function shown as a QObject: the changes go through it and it says which part changed,
// so that the table view, the commands and the dialogs follow it.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "shown/shown_function.h"

namespace brevano {

/// The one owner of the function the window shows (shown/shown_function.h). Each change emits
/// `changed` with the ShownPart bits it touched; observers read the new state from Shown().
class ShownModel : public QObject {
  Q_OBJECT

 public:
  explicit ShownModel(QObject* parent = nullptr) : QObject(parent) {}

  const ShownFunction& Shown() const { return shown_; }

  void ShowTyped(const QString& text, TruthTable table) {
    Emit(shown_.ShowTyped(text.toStdString(), std::move(table)));
  }
  void ShowFile(std::shared_ptr<const FunctionFile> file, std::shared_ptr<const FileTable> table,
                const QString& name) {
    Emit(shown_.ShowFile(std::move(file), std::move(table), name.toStdString()));
  }
  void ChooseOutput(int output) { Emit(shown_.ChooseOutput(output)); }
  void SetOutputFunction(int output, const QString& text, TruthTable sum, const std::string& dontCare) {
    Emit(shown_.SetOutputFunction(output, text.toStdString(), std::move(sum), dontCare));
  }
  void SetDisplayMode(DisplayMode mode) { Emit(shown_.SetDisplayMode(mode)); }

  SearchMemory TakeMemory() { return shown_.TakeMemory(); }
  void Learn(const SearchMemory& memory) { Emit(shown_.Learn(memory)); }
  void LearnDiagram(const std::shared_ptr<const Diagram>& diagram, bool tooComplex) {
    Emit(shown_.LearnDiagram(diagram, tooComplex));
  }
  void LearnFileCounts(const std::vector<CubeCount>& counted) { Emit(shown_.LearnFileCounts(counted)); }

 signals:
  /// Part of the function shown changed: `parts` holds its ShownPart bits.
  void changed(unsigned parts);

 private:
  void Emit(unsigned parts) {
    if (parts != 0) emit changed(parts);
  }

  ShownFunction shown_;
};

}  // namespace brevano
