// The properties of a function and its algebraic normal form, read off its diagram on the owner thread.
#include "diagram/function_properties.h"

#include <atomic>
#include <memory>
#include <unordered_map>

#include "diagram/buddy.h"
#include "diagram/symbolic_run.h"

namespace brevano {

namespace {

using diagram_detail::JobEnd;
using diagram_detail::Ref;

constexpr unsigned kCallsPerCheck = 64;
// Most transforms the Möbius builder keeps (each with its two referenced nodes).
constexpr std::size_t kMaxKeptResults = 1'000'000;

std::uint64_t RowBit(int variable, int n) { return std::uint64_t{1} << (n - 1 - variable); }

// The Result in the row whose variables all have the value `bit`.
int ResultWhereAll(int node, int bit) {
  while (node >= 2) node = bit ? bdd_high(node) : bdd_low(node);
  return node;
}

Ref Restricted(const Ref& f, int variable, int bit) {
  return Ref(bdd_restrict(f.Get(), bit ? bdd_ithvar(variable) : bdd_nithvar(variable)));
}

// Exchanging two variables is a product of exchanges of neighbours, and exchanging neighbours v
// and v+1 leaves f alone exactly when its cofactors at (0, 1) and (1, 0) agree.
bool Symmetric(const Ref& f, int n) {
  for (int v = 0; v + 1 < n; ++v) {
    diagram_detail::CheckJob();
    const Ref up(bdd_apply(bdd_nithvar(v), bdd_ithvar(v + 1), bddop_and));
    const Ref down(bdd_apply(bdd_ithvar(v), bdd_nithvar(v + 1), bddop_and));
    if (Ref(bdd_restrict(f.Get(), up.Get())).Get() != Ref(bdd_restrict(f.Get(), down.Get())).Get())
      return false;
  }
  return true;
}

// f(not x) = not f(x), with every variable replaced by its complement at once.
bool SelfDual(const Ref& f, int n) {
  struct Pair {
    bddPair* pair = bdd_newpair();
    ~Pair() { bdd_freepair(pair); }
  } complement;
  for (int v = 0; v < n; ++v) bdd_setbddpair(complement.pair, v, bdd_nithvar(v));
  const Ref mirrored(bdd_veccompose(f.Get(), complement.pair));
  return Ref(bdd_not(f.Get())).Get() == mirrored.Get();
}

FunctionProperties PropertiesOf(const Ref& f, int n) {
  FunctionProperties properties;
  properties.linear = true;
  for (int v = 0; v < n; ++v) {
    diagram_detail::CheckJob();
    const Ref low = Restricted(f, v, 0), high = Restricted(f, v, 1);
    if (low.Get() == high.Get()) continue;
    const std::uint64_t bit = RowBit(v, n);
    properties.dependsOn |= bit;
    if (Ref(bdd_imp(low.Get(), high.Get())).Get() == 1) properties.increasing |= bit;
    if (Ref(bdd_imp(high.Get(), low.Get())).Get() == 1) properties.decreasing |= bit;
    // Affine exactly when every derivative f(x, 0) XOR f(x, 1) is constant.
    if (Ref(bdd_apply(low.Get(), high.Get(), bddop_xor)).Get() != 1) properties.linear = false;
  }
  properties.symmetric = Symmetric(f, n);
  properties.selfDual = SelfDual(f, n);
  properties.zeroPreserving = ResultWhereAll(f.Get(), 0) == 0;
  properties.onePreserving = ResultWhereAll(f.Get(), 1) == 1;
  return properties;
}

// The Möbius transform g of f: g(u) = XOR of f(x) over the rows x whose 1s lie within u's, so that
// g is 1 exactly at the products of the algebraic normal form. Since f = f0 XOR x*(f0 XOR f1) for
// its top variable x, g's half for x = 0 is the transform of f0 and its half for x = 1 that of
// f0 XOR f1; a variable f skips has no products with it. The transform depends on the level it
// starts at, so results are kept per (node, level).
class MoebiusBuilder {
 public:
  explicit MoebiusBuilder(int n) : n_(n) {}

  Ref Transform(const Ref& f, int level) {
    if (level == n_) return f;
    const std::uint64_t key = static_cast<std::uint64_t>(f.Get()) << 8 | static_cast<std::uint64_t>(level);
    if (const auto found = memo_.find(key); found != memo_.end()) return found->second.transform;
    if (++calls_ % kCallsPerCheck == 0) diagram_detail::CheckJob();
    Ref transform;
    if (diagram_detail::TopVariable(f.Get(), n_) > level) {
      const Ref rest = Transform(f, level + 1);
      transform = Ref(bdd_apply(bdd_nithvar(level), rest.Get(), bddop_and));
    } else {
      const Ref f0(bdd_low(f.Get())), f1(bdd_high(f.Get()));
      const Ref zero = Transform(f0, level + 1);
      const Ref one = Transform(Ref(bdd_apply(f0.Get(), f1.Get(), bddop_xor)), level + 1);
      transform = Ref(bdd_ite(bdd_ithvar(level), one.Get(), zero.Get()));
    }
    if (memo_.size() >= kMaxKeptResults) diagram_detail::EndJob(JobEnd::kNodeBudget);
    memo_.emplace(key, Entry{f, transform});
    return transform;
  }

 private:
  struct Entry {
    Ref argument, transform;
  };

  int n_;
  std::unordered_map<std::uint64_t, Entry> memo_;
  unsigned calls_ = 0;
};

// Rows where `node` is 1 among the assignments of its own top variable and those after it.
unsigned __int128 OnesBelow(int node, int n, std::unordered_map<int, unsigned __int128>& memo) {
  if (node < 2) return static_cast<unsigned __int128>(node);
  if (const auto found = memo.find(node); found != memo.end()) return found->second;
  const int top = bdd_var(node);
  unsigned __int128 ones = 0;
  for (const int child : {bdd_low(node), bdd_high(node)})
    ones += OnesBelow(child, n, memo) << (diagram_detail::TopVariable(child, n) - top - 1);
  return memo[node] = ones;
}

void CollectOnes(int node, int level, int n, std::uint64_t row, std::vector<std::uint64_t>& out) {
  if (node == 0) return;
  if (level == n) {
    out.push_back(row);
    return;
  }
  const std::uint64_t bit = RowBit(level, n);
  if (diagram_detail::TopVariable(node, n) > level) {
    CollectOnes(node, level + 1, n, row, out);
    CollectOnes(node, level + 1, n, row | bit, out);
    return;
  }
  CollectOnes(bdd_low(node), level + 1, n, row, out);
  CollectOnes(bdd_high(node), level + 1, n, row | bit, out);
}

AnfTerms AnfOf(const Ref& f, int n, std::size_t maxTerms) {
  const Ref transform = MoebiusBuilder(n).Transform(f, 0);
  AnfTerms anf;
  std::unordered_map<int, unsigned __int128> memo;
  anf.termCount = OnesBelow(transform.Get(), n, memo) << diagram_detail::TopVariable(transform.Get(), n);
  if (anf.termCount > maxTerms) {
    anf.status = AnfStatus::kTooManyTerms;
    return anf;
  }
  CollectOnes(transform.Get(), 0, n, 0, anf.monomials);
  anf.status = AnfStatus::kFound;
  return anf;
}

// What the job shares with its caller; the job owns it, since a caller that stops waiting leaves
// it to the job.
struct DescribeJob {
  CompiledProgram program;
  CoverLimits anfLimits;
  FunctionProperties properties;
  std::atomic<bool> described{false};  // set once `properties` is written, which is then left alone
  AnfTerms anf;
};

}  // namespace

DiagramDescription DescribeWithDiagram(const CompiledProgram& program, const DiagramLimits& limits,
                                       const CoverLimits& anfLimits, const Budget& stop) {
  const auto job = std::make_shared<DescribeJob>();
  job->program = program;
  job->anfLimits = anfLimits;
  const JobEnd end = diagram_detail::RunOnOwner(
      [job] {
        const int n = job->program.VariableCount();
        const Ref f = diagram_detail::RunSymbolically(job->program, diagram_detail::FirstVariables(n));
        job->properties = PropertiesOf(f, n);
        job->described = true;
        diagram_detail::RenewJobBudget(job->anfLimits.maxNodes, job->anfLimits.maxTime);
        job->anf = AnfOf(f, n, job->anfLimits.maxTerms);
      },
      limits.maxNodes, limits.maxTime + anfLimits.maxTime, stop);
  DiagramDescription description;
  if (!job->described.load()) {
    description.status = end == JobEnd::kStopped ? DiagramStatus::kStopped : DiagramStatus::kTooComplex;
    return description;
  }
  description.status = end == JobEnd::kStopped ? DiagramStatus::kStopped : DiagramStatus::kBuilt;
  description.properties = job->properties;
  if (end == JobEnd::kDone) {
    description.anf = job->anf;
  } else if (end != JobEnd::kStopped) {
    description.anf.status = AnfStatus::kTooComplex;
  }
  return description;
}

}  // namespace brevano
