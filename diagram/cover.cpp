// Minato and Morreale's irredundant sum of products, built on the owner thread.
#include "diagram/cover.h"

#include <algorithm>
#include <atomic>
#include <unordered_map>

#include "diagram/buddy.h"
#include "diagram/symbolic_run.h"

namespace brevano {

namespace {

using diagram_detail::JobEnd;
using diagram_detail::Ref;

constexpr int kNoVariable = 64;
constexpr unsigned kCallsPerCheck = 64;
// Most results a cover keeps (about 100 bytes each with its part of the cover graph).
constexpr std::size_t kMaxKeptResults = 1'000'000;

// The covers form a graph shared between calls: a node stands for x'·C0 + x·C1 + Cd. Node 0 is
// the empty sum, node 1 the sum of the one term without literals.
struct CoverNode {
  int variable = kNoVariable;
  std::uint32_t negative = 0, positive = 0, either = 0;
  unsigned __int128 terms = 0;
};

struct Interval {
  Ref result;
  std::uint32_t cover = 0;
};

// isop(L, U): a sum of products R with L <= R <= U, each of whose terms is a prime implicant of
// U that covers some row of L no other term covers. Results are kept per (L, U), with their
// arguments referenced so that the node numbers stay theirs.
class CoverBuilder {
 public:
  /// Stops (throwing TooManyTerms) once a part has more than `termLimit` terms.
  explicit CoverBuilder(unsigned __int128 termLimit)
      : covers_{CoverNode{}, CoverNode{kNoVariable, 0, 0, 0, 1}}, termLimit_(termLimit) {}

  struct TooManyTerms {
    unsigned __int128 terms;
  };

  Interval Build(const Ref& lower, const Ref& upper) {
    if (lower.Get() == 0) return {Ref(0), 0};
    if (upper.Get() == 1) return {Ref(1), 1};
    const std::uint64_t key =
        static_cast<std::uint64_t>(lower.Get()) << 32 | static_cast<std::uint32_t>(upper.Get());
    if (const auto found = memo_.find(key); found != memo_.end()) return found->second.interval;
    if (++calls_ % kCallsPerCheck == 0) diagram_detail::CheckJob();

    const int x = std::min(diagram_detail::TopVariable(lower.Get(), kNoVariable),
                           diagram_detail::TopVariable(upper.Get(), kNoVariable));
    const Ref l0(diagram_detail::Cofactor(lower.Get(), x, 0)),
        l1(diagram_detail::Cofactor(lower.Get(), x, 1));
    const Ref u0(diagram_detail::Cofactor(upper.Get(), x, 0)),
        u1(diagram_detail::Cofactor(upper.Get(), x, 1));
    const Interval negative = Build(Ref(bdd_apply(l0.Get(), u1.Get(), bddop_diff)), u0);
    const Interval positive = Build(Ref(bdd_apply(l1.Get(), u0.Get(), bddop_diff)), u1);
    const Ref rest0(bdd_apply(l0.Get(), negative.result.Get(), bddop_diff));
    const Ref rest1(bdd_apply(l1.Get(), positive.result.Get(), bddop_diff));
    const Ref rest(bdd_apply(rest0.Get(), rest1.Get(), bddop_or));
    const Interval either = Build(rest, Ref(bdd_apply(u0.Get(), u1.Get(), bddop_and)));
    const Ref branches(bdd_ite(bdd_ithvar(x), positive.result.Get(), negative.result.Get()));
    Interval interval{Ref(bdd_apply(branches.Get(), either.result.Get(), bddop_or)),
                      Join(x, negative.cover, positive.cover, either.cover)};
    if (memo_.size() >= kMaxKeptResults) diagram_detail::EndJob(JobEnd::kNodeBudget);
    memo_.emplace(key, Entry{lower, upper, interval});
    return interval;
  }

  unsigned __int128 Terms(std::uint32_t cover) const { return covers_[cover].terms; }

  // The terms of `cover` over `variableCount` variables.
  void Collect(std::uint32_t cover, WideCube cube, int variableCount, std::vector<WideCube>& out) const {
    if (cover == 0) return;
    const CoverNode& node = covers_[cover];
    if (cover == 1) {
      out.push_back(cube);
      return;
    }
    const std::uint64_t bit = std::uint64_t{1} << (variableCount - 1 - node.variable);
    Collect(node.negative, {cube.care | bit, cube.value}, variableCount, out);
    Collect(node.positive, {cube.care | bit, cube.value | bit}, variableCount, out);
    Collect(node.either, cube, variableCount, out);
  }

 private:
  struct Entry {
    Ref lower, upper;
    Interval interval;
  };

  std::uint32_t Join(int x, std::uint32_t negative, std::uint32_t positive, std::uint32_t either) {
    if (negative == 0 && positive == 0) return either;
    const unsigned __int128 terms = covers_[negative].terms + covers_[positive].terms + covers_[either].terms;
    if (terms > termLimit_) throw TooManyTerms{terms};
    covers_.push_back({x, negative, positive, either, terms});
    return static_cast<std::uint32_t>(covers_.size() - 1);
  }

  std::vector<CoverNode> covers_;
  std::unordered_map<std::uint64_t, Entry> memo_;
  unsigned __int128 termLimit_;
  unsigned calls_ = 0;
};

// Variable by variable from the first: a negated literal, then a plain one, then none.
bool TermBefore(const WideCube& a, const WideCube& b) {
  const std::uint64_t differing = (a.care ^ b.care) | ((a.value ^ b.value) & a.care & b.care);
  if (differing == 0) return false;
  const std::uint64_t bit = std::uint64_t{1} << (63 - __builtin_clzll(differing));
  const int digitA = (a.care & bit) ? ((a.value & bit) ? 1 : 0) : 2;
  const int digitB = (b.care & bit) ? ((b.value & bit) ? 1 : 0) : 2;
  return digitA < digitB;
}

// The cover of `function` (or of its complement), listed when small enough.
Cover CoverOf(const Ref& function, bool complement, int variableCount, const CoverLimits& limits) {
  const Ref target = complement ? Ref(bdd_not(function.Get())) : function;
  CoverBuilder builder(limits.countAll ? ~static_cast<unsigned __int128>(0) : limits.maxTerms);
  Cover cover;
  std::uint32_t top = 0;
  try {
    top = builder.Build(target, target).cover;
  } catch (const CoverBuilder::TooManyTerms& tooMany) {
    cover.termCount = tooMany.terms;
    cover.status = CoverStatus::kTooManyTerms;
    return cover;
  }
  cover.termCount = builder.Terms(top);
  if (cover.termCount > limits.maxTerms) {
    cover.status = CoverStatus::kTooManyTerms;
    return cover;
  }
  builder.Collect(top, {}, variableCount, cover.terms);
  std::sort(cover.terms.begin(), cover.terms.end(), TermBefore);
  cover.status = CoverStatus::kFound;
  return cover;
}

// What the jobs of BuildDiagramAndCovers share with their caller. The jobs own their input and
// their output: a caller that stops waiting leaves them to them.
struct CoverJobs {
  CompiledProgram program;
  CoverLimits limits;
  std::atomic<int> phase{static_cast<int>(CoverPhase::kDiagram)};
  diagram_detail::FlatDiagram flat;
  std::atomic<bool> built{false};  // set once `flat` is written, which is then left alone
  Cover sum, product;
};

// Builds the function, flattens it the first time, then makes the cover of `phase` within the
// cover's own budget.
JobEnd RunCoverJob(const std::shared_ptr<CoverJobs>& jobs, CoverPhase phase, const DiagramLimits& limits,
                   const DiagramStop& polled) {
  if (phase != CoverPhase::kDiagram) jobs->phase.store(static_cast<int>(phase));
  return diagram_detail::RunOnOwner(
      [jobs, phase, limits] {
        // The job waits for the diagram and then its cover; the diagram has its own budget first.
        diagram_detail::RenewJobBudget(limits.maxNodes, limits.maxTime);
        const int n = jobs->program.VariableCount();
        const Ref root = diagram_detail::RunSymbolically(jobs->program, diagram_detail::FirstVariables(n));
        if (!jobs->built) {
          jobs->flat = diagram_detail::Flatten(root, n);
          jobs->built = true;
        }
        if (phase == CoverPhase::kDiagram) return;
        diagram_detail::RenewJobBudget(jobs->limits.maxNodes, jobs->limits.maxTime);
        const bool complement = phase == CoverPhase::kProduct;
        (complement ? jobs->product : jobs->sum) = CoverOf(root, complement, n, jobs->limits);
      },
      limits.maxNodes, limits.maxTime + jobs->limits.maxTime, polled);
}

// A finished job's cover is read; one that ran out of its budget is marked (an abandoned job may
// still be writing its own).
Cover Settle(JobEnd end, const Cover& done) {
  if (end == JobEnd::kDone) return done;
  Cover cover;
  if (end != JobEnd::kStopped) cover.status = CoverStatus::kTooComplex;
  return cover;
}

}  // namespace

DiagramWithCovers BuildDiagramAndCovers(const CompiledProgram& program, bool sum, bool product,
                                        const DiagramLimits& limits, const CoverLimits& coverLimits,
                                        const PhasedStop& stop, const DiagramReady& ready) {
  const auto jobs = std::make_shared<CoverJobs>();
  jobs->program = program;
  jobs->limits = coverLimits;
  DiagramWithCovers result;
  // Hands the diagram over once the job has written it.
  auto deliver = [&] {
    if (result.diagram.diagram || !jobs->built.load()) return;
    result.diagram.diagram = std::make_shared<const Diagram>(std::move(jobs->flat.nodes),
                                                             program.VariableCount(), jobs->flat.root);
    result.diagram.status = DiagramStatus::kBuilt;
    if (ready) ready(result.diagram.diagram);
  };
  // A job may run on in one long operation of the manager past its time; the wait for the diagram
  // ends with its budget all the same, as BuildDiagram's does.
  const auto diagramDeadline = std::chrono::steady_clock::now() + limits.maxTime + diagram_detail::kJobGrace;
  bool diagramOutOfTime = false;
  const DiagramStop polled = [&] {
    deliver();
    if (!jobs->built.load() && std::chrono::steady_clock::now() > diagramDeadline) {
      diagramOutOfTime = true;
      return true;
    }
    return stop && stop(static_cast<CoverPhase>(jobs->phase.load()));
  };
  // One job per cover, each with its own budget; the second builds the function again, which is
  // quick now that it is known to fit.
  const JobEnd first = RunCoverJob(jobs, sum ? CoverPhase::kSum : CoverPhase::kDiagram, limits, polled);
  deliver();
  if (!result.diagram.diagram) {
    result.diagram.status =
        first == JobEnd::kStopped && !diagramOutOfTime ? DiagramStatus::kStopped : DiagramStatus::kTooComplex;
    return result;
  }
  if (sum) result.sum = Settle(first, jobs->sum);
  JobEnd last = first;
  if (last != JobEnd::kStopped && product) {
    last = RunCoverJob(jobs, CoverPhase::kProduct, limits, polled);
    result.product = Settle(last, jobs->product);
  }
  if (last == JobEnd::kStopped) result.diagram.status = DiagramStatus::kStopped;
  return result;
}

}  // namespace brevano
