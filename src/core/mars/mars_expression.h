#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kdk {

// What a name in an expression stands for.
struct NameReference {
  enum class Kind { Input, BasisFunction } kind;
  int index;  // 0-based
};
using NameResolver = std::function<std::optional<NameReference>(std::string_view name)>;

// One basis-function body or equation right-hand side as an expression tree:
// numbers (2.5, .5, 1.5E-03), + - * /, parentheses, max(a, b) and min(a, b),
// comparisons (= <> < <= > >=), OR and AND, and the missing-value tests "X = ."
// (1 when X is missing) and "X > ." (1 when X has a value). Comparisons and logic
// give 1 or 0.
class MarsExpression {
 public:
  // False with a plain-words `error` for text outside that grammar or a name the
  // resolver does not know.
  bool Parse(std::string_view text, const NameResolver& resolve, std::string& error);

  // A missing input counts as 0 except in the missing-value tests.
  double Evaluate(std::span<const std::optional<double>> inputs,
                  std::span<const double> basis_values) const;

  enum class Op {
    Number,
    Input,
    Basis,
    Negate,
    Add,
    Subtract,
    Multiply,
    Divide,
    Max,
    Min,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Or,
    And,
    IsMissing,
    IsPresent
  };
  struct Node {
    Op op;
    double value = 0;
    int index = -1;  // input or basis function
    int left = -1;
    int right = -1;
  };

  // The tree, children stored before their parents; Root() is -1 before a parse.
  const std::vector<Node>& Nodes() const { return nodes_; }
  int Root() const { return root_; }

 private:
  std::vector<Node> nodes_;
  int root_ = -1;
};

}  // namespace kdk
