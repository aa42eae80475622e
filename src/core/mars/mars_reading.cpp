#include "core/mars/mars_reading.h"

#include <unordered_map>

#include "core/common/text_utils.h"
#include "core/mars/basis_function_ops.h"
#include "core/mars/mars_expression.h"
#include "core/mars/mars_words.h"

namespace kdk {
namespace {

using Op = MarsExpression::Op;
using Node = MarsExpression::Node;

struct Tree {
  const std::vector<Node>& nodes;
  const Node& At(int i) const { return nodes[static_cast<size_t>(i)]; }
};

// The helpers below walk trees with their own stack: a sum or an OR list of thousands
// of terms is a left-leaning tree as deep as it is long.
bool SameTree(const Tree& a, int i, const Tree& b, int j) {
  std::vector<std::pair<int, int>> stack{{i, j}};
  while (!stack.empty()) {
    auto [x, y] = stack.back();
    stack.pop_back();
    if (x < 0 || y < 0) {
      if (x != y) return false;
      continue;
    }
    const Node& p = a.At(x);
    const Node& q = b.At(y);
    if (p.op != q.op || p.value != q.value || p.index != q.index) return false;
    stack.emplace_back(p.left, q.left);
    stack.emplace_back(p.right, q.right);
  }
  return true;
}

// Calls `visit` on every node of the subtree at `root`; stops at the first false.
template <typename Visit>
bool EveryNode(const Tree& tree, int root, Visit visit) {
  std::vector<int> stack{root};
  while (!stack.empty()) {
    const int i = stack.back();
    stack.pop_back();
    if (i < 0) continue;
    if (!visit(tree.At(i))) return false;
    stack.push_back(tree.At(i).left);
    stack.push_back(tree.At(i).right);
  }
  return true;
}

// An input plus or minus numbers, without products: the inside of a hinge.
bool IsLinearInOneInput(const Tree& tree, int root, int& input) {
  int inputs_seen = 0;
  const bool linear = EveryNode(tree, root, [&](const Node& node) {
    if (node.op == Op::Input) {
      input = node.index;
      return ++inputs_seen == 1;
    }
    return node.op == Op::Number || node.op == Op::Negate || node.op == Op::Add ||
           node.op == Op::Subtract;
  });
  return linear && inputs_seen == 1;
}

bool IsSignedNumber(const Tree& tree, int i) {
  const Node& node = tree.At(i);
  return node.op == Op::Number || (node.op == Op::Negate && tree.At(node.left).op == Op::Number);
}

// X = 1 OR X = 3 ...: equality tests of one input against numbers.
bool IsSetTest(const Tree& tree, int root, int& input) {
  std::vector<int> stack{root};
  while (!stack.empty()) {
    const Node& node = tree.At(stack.back());
    stack.pop_back();
    if (node.op == Op::Or) {
      stack.push_back(node.left);
      stack.push_back(node.right);
      continue;
    }
    if (node.op != Op::Equal || tree.At(node.left).op != Op::Input ||
        !IsSignedNumber(tree, node.right)) {
      return false;
    }
    const int tested = tree.At(node.left).index;
    if (input >= 0 && input != tested) return false;
    input = tested;
  }
  return true;
}

// The factors of a product, left to right.
std::vector<int> Factors(const Tree& tree, int root) {
  std::vector<int> out;
  std::vector<int> stack{root};
  while (!stack.empty()) {
    const int i = stack.back();
    stack.pop_back();
    const Node& node = tree.At(i);
    if (node.op == Op::Multiply) {
      stack.push_back(node.right);
      stack.push_back(node.left);
    } else {
      out.push_back(i);
    }
  }
  return out;
}

// Only sums, differences and products of numbers and basis functions.
bool IsEquationTree(const Tree& tree, int root, std::string& why, const MarsModel& model) {
  return EveryNode(tree, root, [&](const Node& node) {
    switch (node.op) {
      case Op::Number:
      case Op::Basis:
      case Op::Negate:
      case Op::Add:
      case Op::Subtract:
      case Op::Multiply:
        return true;
      case Op::Input:
        why = "it uses the input " + model.input_names[node.index] +
              "; only numbers and basis functions may appear in it";
        return false;
      default:
        why = "it may only add, subtract and multiply numbers and basis functions";
        return false;
    }
  });
}

class Reader {
 public:
  explicit Reader(const MarsModel& model) : model_(model) {
    for (int i = 0; i < model.InputCount(); ++i) inputs_.emplace(model.input_names[i], i);
  }

  bool Read(MarsReading& reading, std::string& error) {
    if (!CheckNamesDiffer(error)) return false;
    reading.basis.clear();
    reading.basis.reserve(model_.basis_function_defs.size());
    for (int i = 0; i < model_.BasisFunctionCount(); ++i) {
      BasisReading basis;
      std::string why;
      if (!ReadDefinition(i, basis, why)) {
        error = "Basis function " + std::to_string(i + 1) + " (" + model_.basis_function_defs[i] +
                ") cannot be read: " + why;
        return false;
      }
      reading.basis.push_back(std::move(basis));
    }
    std::string why;
    if (!ReadEquation(reading, why)) {
      error = "The model equation (" + model_.equation + ") cannot be read: " + why;
      return false;
    }
    return true;
  }

 private:
  // SQL and SPSS compare names without case, so names differing only in case would
  // be one field there and two in the model.
  bool CheckNamesDiffer(std::string& error) const {
    std::unordered_map<std::string, const std::string*> seen;
    auto check = [&](const std::string& name, const char* what) {
      auto [at, fresh] = seen.emplace(ToUpperAscii(name), &name);
      if (fresh || *at->second == name) return true;  // the same name twice: see below
      error = std::string("The ") + what + " '" + *at->second + "' and '" + name +
              "' differ only in case; SQL and SPSS would take them for one name";
      return false;
    };
    for (const std::string& name : model_.input_names) {
      if (!check(name, "names")) return false;
    }
    for (const std::string& name : model_.basis_function_names) {
      if (!check(name, "names")) return false;
    }
    return true;
  }

  std::optional<NameReference> Resolve(std::string_view name) const {
    const std::string key(name);
    if (auto input = inputs_.find(key); input != inputs_.end()) {
      return NameReference{NameReference::Kind::Input, input->second};
    }
    if (auto basis = defined_.find(key); basis != defined_.end()) {
      return NameReference{NameReference::Kind::BasisFunction, basis->second};
    }
    return std::nullopt;
  }

  bool ReadDefinition(int index, BasisReading& basis, std::string& why) {
    const std::string definition = TrimBlanks(model_.basis_function_defs[index]);
    const std::string& name = model_.basis_function_names[index];
    const size_t equals = definition.find('=');
    if (equals == std::string::npos) return Fail(why, "it has no '=' sign");
    if (!IsMarsName(name)) return Fail(why, "its name is not one word");
    if (definition.back() != ';') return Fail(why, "it does not end with ';'");
    const std::string body = TrimBlanks(DropLast(definition.substr(equals + 1), 1));

    MarsExpression expression;
    const NameResolver resolve = [this](std::string_view n) { return Resolve(n); };
    if (!expression.Parse(body, resolve, why)) return false;
    const Tree tree{expression.Nodes()};
    const std::vector<int> factors = Factors(tree, expression.Root());
    for (size_t f = 1; f < factors.size(); ++f) {
      const Op op = tree.At(factors[f]).op;
      if (op != Op::Basis && !IsSignedNumber(tree, factors[f])) {
        return Fail(why,
                    "after its first factor it may only multiply by earlier basis "
                    "functions and numbers");
      }
    }
    if (!ReadLead(definition, body, tree, factors[0], basis, why)) return false;
    const size_t star = body.find('*');
    if (star != std::string::npos) {
      // As the converters take it: after the first "*" of the definition, less its ";".
      basis.product = DropLast(definition.substr(definition.find('*') + 1), 1);
    }
    if (!defined_.emplace(name, index).second) {
      return Fail(why, "another basis function has the same name");
    }
    return true;
  }

  bool ReadLead(const std::string& definition, const std::string& body, const Tree& tree, int lead,
                BasisReading& basis, std::string& why) const {
    const Node& node = tree.At(lead);
    if (node.op == Op::IsPresent || node.op == Op::IsMissing) {
      basis.form = node.op == Op::IsPresent ? BasisForm::Present : BasisForm::Missing;
      basis.input = node.index;
      return true;
    }
    int input = -1;
    if (IsSetTest(tree, lead, input)) {
      basis.form = BasisForm::SetTest;
      basis.input = input;
      basis.lead = body.substr(0, body.find('*'));
      return SameAs(basis.lead, tree, lead, why, "its set test");
    }
    if (node.op == Op::Max && tree.At(node.left).op == Op::Number &&
        tree.At(node.left).value == 0 && IsLinearInOneInput(tree, node.right, input)) {
      basis.form = BasisForm::Hinge;
      basis.input = input;
      const size_t comma = definition.rfind(',');
      const std::string after = definition.substr(comma + 1);
      basis.lead = TrimBlanks(after.substr(0, after.find(')')));
      return SameAs(basis.lead, tree, node.right, why, "the inside of its hinge");
    }
    return Fail(why,
                "it is not a hinge max(0, ...), a set test ( X = 1 OR X = 2), a missing-value "
                "indicator ( X > .) or ( X = .), nor one of these times earlier basis functions");
  }

  // The converters cut the parts of a definition out of its text; what they cut must
  // be what the reader understood.
  bool SameAs(const std::string& part, const Tree& tree, int node, std::string& why,
              const char* what) const {
    MarsExpression cut;
    std::string ignored;
    const NameResolver resolve = [this](std::string_view n) { return Resolve(n); };
    if (cut.Parse(part, resolve, ignored) && SameTree(Tree{cut.Nodes()}, cut.Root(), tree, node)) {
      return true;
    }
    return Fail(why, std::string(what) + " must be written without brackets of its own");
  }

  bool ReadEquation(MarsReading& reading, std::string& why) {
    const std::string& equation = model_.equation;
    const size_t equals = equation.find('=');
    if (equals == std::string::npos) return Fail(why, "it has no '=' sign");
    MarsExpression expression;
    const NameResolver resolve = [this](std::string_view n) { return Resolve(n); };
    if (!expression.Parse(std::string_view(equation).substr(equals + 1), resolve, why)) {
      return false;
    }
    if (!IsEquationTree(Tree{expression.Nodes()}, expression.Root(), why, model_)) return false;
    reading.equation_terms = equation.substr(equals + 1);
    return true;
  }

  static bool Fail(std::string& why, std::string reason) {
    why = std::move(reason);
    return false;
  }

  const MarsModel& model_;
  std::unordered_map<std::string, int> inputs_;
  std::unordered_map<std::string, int> defined_;  // basis functions read so far
};

}  // namespace

bool ReadMarsModel(const MarsModel& model, MarsReading& reading, std::string& error) {
  return Reader(model).Read(reading, error);
}

}  // namespace kdk
