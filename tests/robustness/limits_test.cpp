// Limits and depth safety: every stage at the depth limit on a small stack, the limit errors,
// and the store's recorded depths after subtrees move.
#include <gtest/gtest.h>
#include <pthread.h>

#include <exception>
#include <functional>
#include <string>

#include "diff/m_macros_diff.h"
#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "engine/listing.h"
#include "engine/tree_printer.h"
#include "pipeline/pipeline.h"
#include "simplify/m_macros_optimize.h"
#include "tests/support/tree_builder.h"

namespace brevano {
namespace {

// Runs `work` on a thread with a 256 KiB stack: a stage that recursed once per level would
// overflow it long before the depth limit, with or without sanitizers.
void RunOnSmallStack(const std::function<void()>& work) {
  struct Job {
    const std::function<void()>* work;
    std::exception_ptr error;
  } job{&work, nullptr};
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 256 * 1024);
  pthread_t thread;
  ASSERT_EQ(pthread_create(
                &thread, &attr,
                [](void* arg) -> void* {
                  auto* j = static_cast<Job*>(arg);
                  try {
                    (*j->work)();
                  } catch (...) {
                    j->error = std::current_exception();
                  }
                  return nullptr;
                },
                &job),
            0);
  pthread_attr_destroy(&attr);
  pthread_join(thread, nullptr);
  if (job.error) std::rethrow_exception(job.error);
}

// A chain of `levels` nodes with text `link`, each holding the next as its first child and
// `sibling` (when not empty) as its second, ending in the leaf `end`.
ExprNode* Chain(ExprTree& tree, const std::string& link, const std::string& sibling, int levels,
                const std::string& end) {
  ExprNode* root = CreateRoot(tree, link);
  ExprNode* node = root;
  for (int i = 1; i < levels; ++i) {
    ExprNode* next = AppendChild(tree, node, link);
    if (!sibling.empty()) AppendChild(tree, node, sibling);
    node = next;
  }
  AppendChild(tree, node, end);
  if (!sibling.empty()) AppendChild(tree, node, sibling);
  return root;
}

struct DeepCase {
  const char* name;
  const char* link;
  const char* sibling;
  const char* end;
  std::function<std::string(ExprTree&, ExprNode*)> stage;
  const char* expectedPrefix;  ///< of the printed result
};

std::string Simplified(ExprTree& tree, ExprNode* root) {
  SimplifyTree(tree, root);
  return PrintTree(root);
}

std::string Differentiated(ExprTree& tree, ExprNode* root) {
  ExprNode* call = CreateRoot(tree, "diff @F");
  CopySubtree(tree, root, AppendChild(tree, call, ""));
  AppendChild(tree, call, "x");
  DeleteNode(tree, root);
  ExpandDiffNodes(tree, call);
  return PrintTree(call).substr(0, 40);
}

std::string Listed(ExprTree&, ExprNode* root) {
  Listing list;
  ListTree(root, list);
  return list.front() + " " + std::to_string(list.size());
}

TEST(DepthSafety, EveryStageWorksAtTheDepthLimitOnASmallStack) {
  const int levels = kMaxTreeDepth - 2;  // room for the diff call above the chain
  const DeepCase cases[] = {
      {"negations cancel", "neg @F", "", "a", Simplified, "a"},
      {"sums of ones fold", "+", "1", "1", Simplified, "99999"},
      {"zero sums hoist", "+", "0", "a", Simplified, "a"},
      {"derivative of nested radians", "rad @F", "", "x", Differentiated,
       "rad @F{rad @F{rad @F{rad @F{rad @F{rad"},
      {"derivative of a sum chain", "+", "x", "x", Differentiated, "+{+{+{+{+{+{+{+{+{+{+{+{+{"},
      {"listing", "neg @F", "", "a", Listed, "neg @F 99999"},
      {"printing", "f @F", "", "a", [](ExprTree&, ExprNode* r) { return PrintTree(r).substr(0, 9); },
       "f @F{f @F"},
  };
  for (const DeepCase& c : cases) {
    ExprTree tree;
    std::string result;
    RunOnSmallStack([&] {
      ExprNode* root = Chain(tree, c.link, c.sibling, levels, c.end);
      result = c.stage(tree, root);
      ClearTree(tree);
    });
    EXPECT_TRUE(result.starts_with(c.expectedPrefix)) << c.name << ": " << result.substr(0, 60);
    EXPECT_EQ(tree.nodeCount, 0u) << c.name;
  }
}

struct PipelineCase {
  std::string text;
  std::string error;  ///< "" when the run must succeed
};

std::string Repeat(const std::string& unit, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += unit;
  return out;
}

std::string RunPipeline(const std::string& text) {
  try {
    ExprTree tree;
    RunWithLargeStack([&] { ProcessExpression(text, tree); });
  } catch (const EngineError& error) {
    return error.what();
  }
  return "";
}

// Ten thousand levels of every kind of nesting work; beyond the depth limit the parse stops with
// the nesting error, and a derivative beyond the node limit with the size error.
TEST(PipelineLimits, DeepInputWorksAndExcessEndsWithAClearError) {
  const std::string tooDeep = "The expression is nested too deeply (more than 100000 levels)";
  const std::string tooLarge = "The expression grows too large (more than 500000 nodes)";
  const PipelineCase cases[] = {
      {Repeat("(", 10'000) + "a" + Repeat(")", 10'000), ""},
      {Repeat("not(", 10'000) + "a" + Repeat(")", 10'000), ""},
      {Repeat("f(", 10'000) + "a" + Repeat(")", 10'000), ""},
      {Repeat("a[", 10'000) + "a" + Repeat("]", 10'000), ""},
      {Repeat("-(", 10'000) + "1" + Repeat(")", 10'000), ""},
      {Repeat("a+", 10'000) + "a", ""},
      {Repeat("diff(", 10'000) + "x" + Repeat(";x)", 10'000), ""},
      {Repeat("not(", 100'001) + "a" + Repeat(")", 100'001), tooDeep},
      {Repeat("a^", 100'001) + "a", tooDeep},
      {Repeat("diff(", 12) + "sin(x)*exp(x)/ln(x)^x" + Repeat(";x)", 12), tooLarge},
      {Repeat("diff(", 200) + "x*x" + Repeat(";x)", 200), tooLarge},
      {"diff(" + Repeat("x*", 20'000) + "x;x)", tooLarge},
  };
  for (const PipelineCase& c : cases) {
    EXPECT_EQ(RunPipeline(c.text), c.error) << c.text.substr(0, 40);
  }
}

// Hoisting leaves recorded depths above the true ones; a node appended below such a node near
// the limit is still accepted when its true depth allows it, and refused when it does not.
TEST(StoreDepths, StaleDepthsNeverRefuseANodeWithinTheLimit) {
  ExprTree tree;
  tree.maxDepth = 6;
  ExprNode* root = testing::BuildTree(tree, "+{+{+{+{+{+{a, 0}, 0}, 0}, 0}, 0}, 0}");
  SimplifyTree(tree, root);
  ASSERT_EQ(PrintTree(root), "a");
  ExprNode* node = root;
  for (int level = 1; level <= 6; ++level) ASSERT_NO_THROW(node = AppendChild(tree, node, "n"));
  try {
    AppendChild(tree, node, "too deep");
    FAIL();
  } catch (const EngineError& error) {
    EXPECT_STREQ(error.what(), "The expression is nested too deeply (more than 6 levels)");
  }
}

// A copy that cannot fit fails before it allocates: the store is left as it was.
TEST(StoreLimits, OversizedCopyFailsBeforeCopying) {
  ExprTree tree;
  tree.maxNodes = 12;
  ExprNode* src = testing::BuildTree(tree, "+{a, *{b, c}}");
  ExprNode* dst = testing::BuildTree(tree, "d");
  CopySubtree(tree, src, dst);
  EXPECT_EQ(tree.nodeCount, 10u);
  try {
    CopySubtree(tree, src, dst);
    FAIL();
  } catch (const EngineError& error) {
    EXPECT_STREQ(error.what(), "The expression grows too large (more than 12 nodes)");
  }
  EXPECT_EQ(tree.nodeCount, 10u);
  EXPECT_EQ(PrintTree(dst), "+{a, *{b, c}}");
}

}  // namespace
}  // namespace brevano
