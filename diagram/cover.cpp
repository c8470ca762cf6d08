// Minato and Morreale's irredundant sum of products, built on the owner thread.
#include "diagram/cover.h"

#include <algorithm>
#include <atomic>
#include <unordered_map>

#include "diagram/buddy.h"
#include "diagram/isop.h"
#include "diagram/symbolic_run.h"
#include "minimise/cube_list.h"

namespace brevano {

namespace {

using diagram_detail::CoverBuilder;
using diagram_detail::JobEnd;
using diagram_detail::Ref;

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
  diagram_detail::FlatDiagram flat;
  std::atomic<bool> built{false};  // set once `flat` is written, which is then left alone
  Cover sum, product;
};

// Builds the function, flattens it the first time, then makes the cover of `phase` within the
// cover's own budget.
JobEnd RunCoverJob(const std::shared_ptr<CoverJobs>& jobs, CoverPhase phase, const DiagramLimits& limits,
                   const Budget& stop, const Budget& polled) {
  stop.SetStage(static_cast<int>(phase));
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
                                        const Budget& stop, const DiagramReady& ready) {
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
  const Budget polled(Budget::kNoLimit, [&](std::uint64_t, std::uint64_t) {
    deliver();
    if (!jobs->built.load() && std::chrono::steady_clock::now() > diagramDeadline) {
      diagramOutOfTime = true;
      return false;
    }
    return !stop.Poll();
  });
  // One job per cover, each with its own budget; the second builds the function again, which is
  // quick now that it is known to fit.
  const JobEnd first = RunCoverJob(jobs, sum ? CoverPhase::kSum : CoverPhase::kDiagram, limits, stop, polled);
  deliver();
  if (!result.diagram.diagram) {
    result.diagram.status =
        first == JobEnd::kStopped && !diagramOutOfTime ? DiagramStatus::kStopped : DiagramStatus::kTooComplex;
    return result;
  }
  if (sum) result.sum = Settle(first, jobs->sum);
  JobEnd last = first;
  if (last != JobEnd::kStopped && product) {
    last = RunCoverJob(jobs, CoverPhase::kProduct, limits, stop, polled);
    result.product = Settle(last, jobs->product);
  }
  if (last == JobEnd::kStopped) result.diagram.status = DiagramStatus::kStopped;
  return result;
}

}  // namespace brevano
