// The window's command list, its actions, menus and enabled states, and the count of rows with Result 1.
#include "app/window_commands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "app/background_job.h"
#include "app/frm_boolean.h"
#include "app/help_dialog.h"
#include "app/shown_model.h"
#include "app/truth_table_view.h"
#include "app/window_settings.h"
#include "diagram/diagram.h"
#include "kmap/kmap_layout.h"
#include "search/ladder.h"

namespace brevano {

namespace {

QString MenuTitle(CommandMenu menu) {
  switch (menu) {
    case CommandMenu::kFile: return QObject::tr("&File");
    case CommandMenu::kEdit: return QObject::tr("&Edit");
    case CommandMenu::kGo: return QObject::tr("&Go");
    case CommandMenu::kTools: return QObject::tr("&Tools");
    case CommandMenu::kView: return QObject::tr("&View");
    case CommandMenu::kHelp: break;
  }
  return QObject::tr("&Help");
}

constexpr CommandMenu kMenuBarOrder[] = {CommandMenu::kFile,  CommandMenu::kEdit, CommandMenu::kGo,
                                         CommandMenu::kTools, CommandMenu::kView, CommandMenu::kHelp};
// The context menu is about the table: its copies come first.
constexpr CommandMenu kContextOrder[] = {CommandMenu::kEdit,  CommandMenu::kFile, CommandMenu::kGo,
                                         CommandMenu::kTools, CommandMenu::kView, CommandMenu::kHelp};

QList<QKeySequence> Keys(QKeySequence::StandardKey key) { return QKeySequence::keyBindings(key); }
QList<QKeySequence> Keys(QKeyCombination key) { return {QKeySequence(key)}; }

}  // namespace

WindowCommands::WindowCommands(Tfrm_bool_alg& window, TruthTableView* view, QLineEdit* box)
    : QObject(&window), window_(window), shown_(*window.Model()), view_(view), box_(box) {
  limits_.solverTime = kWindowSolverTime;
  search_ = new BackgroundJob(this);
  connect(search_, &BackgroundJob::cancelled, this, &WindowCommands::searchFinished);
  save_ = new BackgroundJob(this);
  connect(save_, &BackgroundJob::cancelled, this, &WindowCommands::saveFinished);
  count_ = new BackgroundJob(this);
  contextMenu_ = new QMenu(view_);
  contextMenu_->setToolTipsVisible(true);
  AddCommands();
  for (std::size_t i = 0; i < commands_.size(); ++i) actions_.push_back(MakeAction(i));
  FillMenu(contextMenu_, CommandMenu::kFile, kContextMenu);
  connect(contextMenu_, &QMenu::aboutToShow, this, &WindowCommands::UpdateStates);
  connect(view_, &TruthTableView::contextMenuRequested, contextMenu_,
          [this](const QPoint& at) { contextMenu_->exec(at); });
  connect(view_, &TruthTableView::selectionChanged, this, &WindowCommands::UpdateStates);
  connect(&shown_, &ShownModel::changed, this, &WindowCommands::ShownChanged);
  UpdateStates();
}

void WindowCommands::ShownChanged(unsigned parts) {
  if (parts & kShownTable) TableChanged();
  if (parts & kShownOutput) UpdateStates();
  if (parts & kShownCounts) emit countChanged();
}

// A save still running is dropped: its file stays as it was.
WindowCommands::~WindowCommands() {
  StopSearch();
  const QSignalBlocker quiet(save_);
  save_->Cancel();
}

// The list. Adding a command is adding its entry here; the menu bar, the context menu and the
// shortcuts follow.
void WindowCommands::AddCommands() {
  AddFileAndEditCommands();
  AddGoCommands();
  AddToolsViewAndHelpCommands();
}

void WindowCommands::AddFileAndEditCommands() {
  const auto rows = [this] { return HasRows(); };
  using M = CommandMenu;
  Add(
      M::kFile, tr("&Open\u2026"), Keys(QKeySequence::Open), [this] { return !window_.OpeningFile(); },
      [this] { window_.AskOpen(); });
  // An opened file's table is written by Export… (PLA); these write a typed expression's.
  const auto typed = [this] { return HasRows() && view_->Table(); };
  const auto whyNotTyped = [this] {
    return view_->File() ? tr("An opened file's table is written with Export\u2026 (PLA)") : QString();
  };
  Add(
      M::kFile, tr("&Save table\u2026"), Keys(QKeySequence::Save), typed, [this] { AskSaveTable(); },
      kContextMenu)
      .whyNot = whyNotTyped;
  Add(M::kFile, tr("&Export\u2026"), {}, rows, [this] { window_.AskExport(); });
  Add(
      M::kFile, tr("&Print\u2026"), Keys(QKeySequence::Print), typed, [this] { AskPrintTable(); },
      kContextMenu)
      .whyNot = whyNotTyped;
  Add(M::kFile);
  Add(M::kFile, tr("&Quit"), Keys(QKeySequence::Quit), {}, [this] { window_.close(); });

  // The edit box's own undo and redo, for the menu; with the focus in the box its keys act there.
  QLineEdit* box = box_;
  Add(
      M::kEdit, tr("&Undo"), Keys(QKeySequence::Undo), [box] { return box->isUndoAvailable(); },
      [box] { box->undo(); });
  Add(
      M::kEdit, tr("&Redo"), Keys(QKeySequence::Redo), [box] { return box->isRedoAvailable(); },
      [box] { box->redo(); });
  Add(M::kEdit);
  Add(
      M::kEdit, tr("&Copy"), Keys(QKeySequence::Copy), [this] { return view_->Selection().Count() > 0; },
      [this] { CopySelection(); }, kContextMenu | kEditBoxKeys);
  Add(
      M::kEdit, tr("Copy &table"), Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_C), rows, [this] { CopyTable(); },
      kContextMenu);
  Add(
      M::kEdit, tr("Select &all"), Keys(QKeySequence::SelectAll), rows, [this] { view_->SelectAll(); },
      kContextMenu);
}

void WindowCommands::AddGoCommands() {
  const auto rows = [this] { return HasRows(); };
  using M = CommandMenu;
  Add(
      M::kGo, tr("&Go to row\u2026"), Keys(Qt::CTRL | Qt::Key_G), rows, [this] { AskGoTo(); }, kContextMenu);
  Add(
      M::kGo, tr("Go to the n-&th row where Result is 1\u2026"), {}, rows, [this] { AskNth(); },
      kContextMenu);
  Add(M::kGo, {}, {}, {}, {}, kContextMenu);
  for (const bool forward : {true, false}) {
    for (const int wanted : {1, 0}) {
      const QKeyCombination key((forward ? Qt::NoModifier : Qt::ShiftModifier),
                                wanted == 1 ? Qt::Key_F3 : Qt::Key_F4);
      const QString text =
          forward
              ? (wanted == 1 ? tr("&Next row where Result is 1") : tr("Ne&xt row where Result is 0"))
              : (wanted == 1 ? tr("&Previous row where Result is 1") : tr("P&revious row where Result is 0"));
      Add(
          M::kGo, text, Keys(key), rows, [this, forward, wanted] { FindResult(forward, wanted); },
          kContextMenu);
    }
  }
  // An opened file's outputs, one after the other.
  const auto outputs = [this] { return view_->File() ? view_->File()->OutputCount() : 0; };
  Add(M::kGo);
  Add(
      M::kGo, tr("Next outp&ut"), Keys(Qt::CTRL | Qt::Key_PageDown),
      [this, outputs] { return view_->ChosenOutput() + 1 < outputs(); },
      [this] { window_.ChooseFileOutput(view_->ChosenOutput() + 1); });
  Add(
      M::kGo, tr("Previous &output"), Keys(Qt::CTRL | Qt::Key_PageUp),
      [this, outputs] { return outputs() > 0 && view_->ChosenOutput() > 0; },
      [this] { window_.ChooseFileOutput(view_->ChosenOutput() - 1); });
}

void WindowCommands::AddToolsViewAndHelpCommands() {
  const auto rows = [this] { return HasRows(); };
  using M = CommandMenu;
  Add(
      M::kTools, tr("&Analyse\u2026"), Keys(Qt::Key_F9), rows, [this] { window_.OpenAnalysis(); },
      kContextMenu);
  // Only a table of 1 to kMaxKmapVariables variables is drawn as a map; otherwise the tooltip says why.
  const auto variables = [this] {
    const TruthTable* table = window_.FunctionTable();
    return table ? table->Variables().size() : 0;
  };
  Add(
      M::kTools, tr("&Karnaugh map\u2026"), Keys(Qt::Key_F6),
      [this, variables] { return HasRows() && variables() >= 1 && variables() <= kMaxKmapVariables; },
      [this] { window_.OpenKmap(); }, kContextMenu)
      .whyNot = [this, variables] {
    if (!HasRows()) return QString();
    return tr("A Karnaugh map is drawn for 1 to %1 variables; this table has %2")
        .arg(kMaxKmapVariables)
        .arg(variables());
  };
  Add(
      M::kTools, tr("&Circuit\u2026"), Keys(Qt::Key_F7), rows, [this] { window_.OpenCircuit(); },
      kContextMenu);
  Add(
      M::kTools, tr("Circuit of &every output\u2026"), Keys(Qt::SHIFT | Qt::Key_F7),
      [this] { return HasRows() && view_->File() && !window_.SharedCircuitRunning(); },
      [this] { window_.OpenSharedCircuit(); })
      .whyNot = [this] {
    return HasRows() && !view_->File() ? tr("Open a file to draw all its outputs in one circuit") : QString();
  };
  Add(
      M::kTools, tr("Co&mpare with\u2026"), Keys(Qt::Key_F8), [this] { return HasRows() && view_->Table(); },
      [this] { window_.AskCompare(); }, kContextMenu);

  Add(M::kView, tr("&Row numbers"), {}, {}, [this] {
    view_->SetRowNumbersShown(!view_->RowNumbersShown());
  }).checked = [this] { return view_->RowNumbersShown(); };

  Add(M::kHelp, tr("&Expression syntax"), Keys(QKeySequence::HelpContents), {},
      [this] { window_.ShowHelp(HelpTopic::kSyntax); });
  Add(M::kHelp, tr("A&nalysis"), {}, {}, [this] { window_.ShowHelp(HelpTopic::kAnalysis); });
  Add(M::kHelp, tr("&Karnaugh map"), {}, {}, [this] { window_.ShowHelp(HelpTopic::kMap); });
  Add(M::kHelp, tr("&Circuit"), {}, {}, [this] { window_.ShowHelp(HelpTopic::kCircuit); });
  Add(M::kHelp, tr("&Files"), {}, {}, [this] { window_.ShowHelp(HelpTopic::kFiles); });
  Add(M::kHelp);
  Add(M::kHelp, tr("&About Brevano Boolean"), {}, {}, [this] { window_.ShowAbout(); });
}

WindowCommand& WindowCommands::Add(CommandMenu menu, QString text, QList<QKeySequence> keys,
                                   std::function<bool()> enabled, std::function<void()> run,
                                   unsigned places) {
  WindowCommand& command = commands_.emplace_back();
  command.menu = menu;
  command.text = std::move(text);
  command.keys = std::move(keys);
  command.enabled = std::move(enabled);
  command.run = std::move(run);
  command.places = places;
  return command;
}

// One action per command, owned here; its shortcuts act wherever the focus is in the window, once
// the menu bar holds it.
QAction* WindowCommands::MakeAction(std::size_t index) {
  const WindowCommand& command = commands_[index];
  if (command.text.isEmpty()) return nullptr;
  auto* action = new QAction(command.text, this);
  action->setShortcuts(command.keys);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setCheckable(static_cast<bool>(command.checked));
  connect(action, &QAction::triggered, this, [this, index] {
    const WindowCommand& chosen = commands_[index];
    if (!chosen.enabled || chosen.enabled()) chosen.run();
    UpdateStates();
  });
  return action;
}

// The commands of `which` (of every menu, in the context menu's order, when `place` is kContextMenu),
// a separator between menus.
void WindowCommands::FillMenu(QMenu* menu, CommandMenu which, unsigned place) {
  for (const CommandMenu group : kContextOrder) {
    if (place == kMenuBarOnly && group != which) continue;
    menu->addSeparator();
    for (std::size_t i = 0; i < commands_.size(); ++i) {
      const WindowCommand& command = commands_[i];
      if (command.menu != group || (place != kMenuBarOnly && !(command.places & place))) continue;
      if (actions_[i]) {
        menu->addAction(actions_[i]);
      } else {
        menu->addSeparator();
      }
    }
  }
}

void WindowCommands::FillMenuBar(QMenuBar* bar) {
  for (const CommandMenu which : kMenuBarOrder) {
    QMenu* menu = bar->addMenu(MenuTitle(which));
    menu->setToolTipsVisible(true);
    FillMenu(menu, which, kMenuBarOnly);
    connect(menu, &QMenu::aboutToShow, this, &WindowCommands::UpdateStates);
    if (which != CommandMenu::kFile) continue;
    // Open Recent, after Open…, filled each time it opens.
    recent_ = new QMenu(tr("Open &Recent"), menu);
    const QList<QAction*> items = menu->actions();
    const auto open = std::find(items.begin(), items.end(), Action(tr("Open\u2026")));
    menu->insertMenu(open != items.end() && open + 1 != items.end() ? *(open + 1) : nullptr, recent_);
    connect(recent_, &QMenu::aboutToShow, this, &WindowCommands::FillRecent);
    FillRecent();
  }
}

void WindowCommands::FillRecent() {
  recent_->clear();
  const QStringList files = RecentFiles();
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    const QString name = QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = recent_->addAction(i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(name) : name);
    item->setToolTip(QDir::toNativeSeparators(path));
    item->setEnabled(!window_.OpeningFile());
    connect(item, &QAction::triggered, this, [this, path] { window_.OpenFunctionFile(path); });
  }
  recent_->setToolTipsVisible(true);
  recent_->setEnabled(!files.isEmpty());
}

QString WithoutAccessKey(QString text) { return text.remove(QLatin1Char('&')); }

QAction* WindowCommands::Action(const QString& text) const {
  const QString wanted = WithoutAccessKey(text);
  for (QAction* action : actions_) {
    if (action && WithoutAccessKey(action->text()) == wanted) return action;
  }
  return nullptr;
}

void WindowCommands::UpdateStates() {
  for (std::size_t i = 0; i < commands_.size(); ++i) {
    QAction* action = actions_[i];
    if (!action) continue;
    const WindowCommand& command = commands_[i];
    const bool enabled = !command.enabled || command.enabled();
    action->setEnabled(enabled);
    if (command.checked) action->setChecked(command.checked());
    if (command.whyNot) {
      action->setToolTip(enabled ? QString() : command.whyNot());
      action->setStatusTip(action->toolTip());
    }
  }
}

bool WindowCommands::RunFromEditBox(const QKeySequence& keys) {
  UpdateStates();
  for (std::size_t i = 0; i < commands_.size(); ++i) {
    QAction* action = actions_[i];
    if (action && (commands_[i].places & kEditBoxKeys) && action->isEnabled() &&
        action->shortcuts().contains(keys)) {
      action->trigger();
      return true;
    }
  }
  return false;
}

bool WindowCommands::HasRows() const { return view_->RowCount() > 0; }

void WindowCommands::Notify(const QString& text) {
  if (noticeHandler_) {
    noticeHandler_(text);
  } else {
    QMessageBox::information(&window_, QGuiApplication::applicationDisplayName(), text);
  }
}

// A new table ends the search on the old one and starts learning the new one's diagram (the model
// has forgotten the old one's).
void WindowCommands::TableChanged() {
  StopSearch();
  UpdateStates();
  StartCount();
}

void WindowCommands::PendingDiagram::Finish(DiagramOutcome result) {
  {
    const std::lock_guard lock(mutex);
    outcome = std::move(result);
  }
  built.notify_all();
}

std::optional<DiagramOutcome> WindowCommands::PendingDiagram::Wait(const std::function<bool()>& stop) {
  std::unique_lock lock(mutex);
  while (!outcome) {
    if (stop()) return std::nullopt;
    built.wait_for(lock, std::chrono::milliseconds(10));
  }
  return outcome;
}

// A count still running for the previous table is left to stop on its own: waiting for it would
// hold up the new table.
void WindowCommands::StartCount() {
  count_->DeleteWhenStopped();
  count_ = new BackgroundJob(this);
  pending_.reset();
  if (view_->File()) return StartFileCount();
  const TruthTable* table = view_->Table();
  if (!table || view_->RowCount() == 0) return;
  pending_ = std::make_shared<PendingDiagram>();
  std::function<DiagramOutcome(JobControl&)> work = [table = *table,
                                                     pending = pending_](JobControl& control) {
    // The count by the ladder's diagram, which the searches after it take: no quick scan, and no
    // count row by row when the diagram is too complex.
    SearchLimits limits;
    limits.quickScanRows = 0;
    limits.maxScanSteps = 0;
    const Budget stop(Budget::kNoLimit,
                      [&control](std::uint64_t, std::uint64_t) { return !control.StopRequested(); });
    const RowSearch counted = AskRows(table.Program(), {RowQuery::Kind::kCount, 1, 0}, limits, {}, stop);
    DiagramOutcome outcome;
    outcome.diagram = counted.memory.diagram;
    outcome.status = counted.outcome.stopped            ? DiagramStatus::kStopped
                     : counted.memory.diagramTooComplex ? DiagramStatus::kTooComplex
                                                        : DiagramStatus::kBuilt;
    pending->Finish(outcome);
    return outcome;
  };
  StartJob<DiagramOutcome>(
      *count_, std::move(work),
      [this](const DiagramOutcome& outcome) {
        if (outcome.status == DiagramStatus::kStopped) return;
        shown_.LearnDiagram(outcome.diagram, outcome.status == DiagramStatus::kTooComplex);
      },
      [](const JobFailure&) {});
}

// Each output counted by the ladder in turn; the searches take its diagrams once they are there, and
// walk the cubes meanwhile.
void WindowCommands::StartFileCount() {
  const std::shared_ptr<const FileTable> file = view_->FileShared();
  using Counted = std::vector<CubeCount>;
  std::function<Counted(JobControl&)> work = [file](JobControl& control) {
    Counted counted;
    for (int o = 0; o < file->OutputCount() && !control.StopRequested(); ++o) {
      const Budget stop(Budget::kNoLimit,
                        [&control](std::uint64_t, std::uint64_t) { return !control.StopRequested(); });
      counted.push_back(CountCubeRows(file->Terms(o), file->InputCount(), {}, stop));
      control.Report(static_cast<std::uint64_t>(o + 1), static_cast<std::uint64_t>(file->OutputCount()));
    }
    return counted;
  };
  StartJob<Counted>(
      *count_, std::move(work), [this](const Counted& counted) { shown_.LearnFileCounts(counted); },
      [](const JobFailure&) {});
}

std::optional<CellCounts> WindowCommands::FileCounts(int output) const {
  return shown_.Shown().FileCounts(output);
}

bool WindowCommands::FileCountTooComplex(int output) const {
  return shown_.Shown().FileCountTooComplex(output);
}

}  // namespace brevano
