// A circuit's clauses in CaDiCaL and the search for the least or greatest row where a signal is 1.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "sat/circuit.h"
#include "sat/sat_search.h"

namespace CaDiCaL {
class Solver;
}

namespace brevano::sat_detail {

class QuestionEnd;

/// The clauses of the gates that `watched` signals depend on; the circuit's inputs are the bits
/// of a row, input 0 the most significant.
///
/// A search for the least row at or after `from` where a watched signal is 1 assumes the signal
/// and a row at or after `from` (clauses switched on by an activation literal of the search),
/// then fixes the row's bits from the most significant one: each bit takes the wanted value when
/// some row with the bits fixed so far and that value exists, the other value otherwise. A bit
/// that the last model already has the wanted value for needs no call, so a search takes one
/// call plus one per bit where the answer differs from the wanted value. The greatest row at or
/// before `from` is the mirror image. The search's state outlives a call cut short, so that
/// asking the same again goes on from the bit where it stopped.
class RowSolver {
 public:
  RowSolver(const Circuit& circuit, const std::vector<Signal>& watched);
  ~RowSolver();

  /// The least (`forward`) or greatest row with `goal` (a watched signal) 1, at or after (at or
  /// before) `from`; `from` must be a row.
  SatRow Search(Signal goal, std::uint64_t from, bool forward, const Budget& budget);

  /// The value (0 or 1) of watched signal `signal` in the row the last answered search found.
  int ValueInAnswer(Signal signal) const;

 private:
  struct Pending;

  int Literal(Signal signal) const;
  int RowLiteral(int input, int bit) const;
  void StartSearch(Signal goal, std::uint64_t from, bool forward);
  void EndSearch();
  int Solve(const std::vector<int>& extra);
  SatRow Descend(const QuestionEnd& end);
  void TakeModel();

  std::unique_ptr<CaDiCaL::Solver> solver_;
  int inputs_ = 0;
  std::vector<bool> inCone_;  // inputs that some watched signal depends on
  int nextVariable_ = 0;
  std::vector<Signal> watched_;
  std::vector<int> modelValues_;  // of the watched signals, in the last model
  std::uint64_t modelRow_ = 0;
  std::vector<int> answerValues_;
  std::unique_ptr<Pending> pending_;
};

}  // namespace brevano::sat_detail
