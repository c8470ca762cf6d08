// Variable orders for a diagram: table order, and orders read from the structure of the expression.
#pragma once

#include <chrono>
#include <vector>

#include "diagram/diagram.h"
#include "tabulate/compiled_program.h"

namespace brevano {

/// Distinct orders worth trying for the diagram of `program`, each giving the table column of every
/// level: table order first, then the order in which the variables first appear in the text, then
/// an order that keeps together the variables that appear together in terms.
std::vector<std::vector<int>> CandidateOrders(const CompiledProgram& program);

/// One build of a diagram in one of the candidate orders.
struct OrderAttempt {
  std::size_t order = 0;  ///< the index of the candidate order
  std::size_t maxNodes = 0;
  std::chrono::steady_clock::time_point deadline;

  /// The time left until the deadline, at least a millisecond.
  std::chrono::milliseconds Time() const;
};

/// The builds to try, in turn, for `orders` candidate orders within `limits`: first each order with
/// a tenth of the budget (a diagram that is small in some order is found quickly), then table order
/// with half of what is left and the others with the rest, with the whole node budget. Table order
/// alone, with the whole budget, when the limits allow no other or there is no other.
std::vector<OrderAttempt> OrderAttempts(std::size_t orders, const DiagramLimits& limits);

/// The level of each column under `order` (its inverse).
std::vector<int> LevelsOf(const std::vector<int>& order);

}  // namespace brevano
