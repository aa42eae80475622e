#include "core/mars/mars_expression.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "core/common/model_text.h"
#include "core/common/number_text.h"
#include "core/common/text_utils.h"
#include "core/mars/mars_words.h"

namespace kdk {
namespace {

// Deeper nesting than any export has; the limit keeps the recursive descent off the
// end of the stack for hostile text.
constexpr int kMaxDepth = 200;

struct ParseFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

enum class TokenKind { Number, Name, Symbol, Dot, End };

struct Token {
  TokenKind kind;
  std::string text;
  double value = 0;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Why a number the text spells out cannot be read as a double: it is written as it
// stands, and no program would read it as that number.
std::string OutOfRangeWords(std::string_view number) {
  long double wide = 0;
  const auto [stop, ec] = std::from_chars(number.data(), number.data() + number.size(), wide);
  // Past long double's range too, only the exponent's sign is left to tell.
  const bool large = ec == std::errc() ? wide > 1
                                       : number.find("E-") == std::string_view::npos &&
                                             number.find("e-") == std::string_view::npos;
  if (large) {
    return "is past the largest number (" + std::string(LargestWritableText()) + ")";
  }
  return "is too small to be told from 0";
}

std::vector<Token> Tokenize(std::string_view text) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '\t') {
      ++i;
    } else if (IsDigit(c) || (c == '.' && i + 1 < text.size() && IsDigit(text[i + 1]))) {
      size_t end = i;
      while (end < text.size() && (IsDigit(text[end]) || text[end] == '.')) ++end;
      if (end < text.size() && (text[end] == 'E' || text[end] == 'e')) {
        size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        if (exponent < text.size() && IsDigit(text[exponent])) {
          end = exponent;
          while (end < text.size() && IsDigit(text[end])) ++end;
        }
      }
      Token token{TokenKind::Number, std::string(text.substr(i, end - i))};
      auto [stop, ec] = std::from_chars(text.data() + i, text.data() + end, token.value,
                                        std::chars_format::general);
      if (ec == std::errc::result_out_of_range && stop == text.data() + end) {
        throw ParseFailure("'" + token.text + "' " + OutOfRangeWords(token.text));
      }
      if (ec != std::errc() || stop != text.data() + end) {
        throw ParseFailure("'" + token.text + "' is not a number");
      }
      tokens.push_back(std::move(token));
      i = end;
    } else if (c == '.') {
      tokens.push_back({TokenKind::Dot, "."});
      ++i;
    } else if (IsModelNameStart(c)) {
      size_t end = i;
      while (end < text.size() && IsModelNameChar(text[end])) ++end;
      tokens.push_back({TokenKind::Name, std::string(text.substr(i, end - i))});
      i = end;
    } else if ((c == '<' || c == '>') && i + 1 < text.size() &&
               (text[i + 1] == '=' || (c == '<' && text[i + 1] == '>'))) {
      tokens.push_back({TokenKind::Symbol, std::string(text.substr(i, 2))});
      i += 2;
    } else if (std::string_view("+-*/(),=<>").find(c) != std::string_view::npos) {
      tokens.push_back({TokenKind::Symbol, std::string(1, c)});
      ++i;
    } else {
      throw ParseFailure(std::string("unexpected character '") + c + "'");
    }
  }
  tokens.push_back({TokenKind::End, ""});
  return tokens;
}

using Op = MarsExpression::Op;
using Node = MarsExpression::Node;

class Parser {
 public:
  Parser(std::vector<Token> tokens, const NameResolver& resolve, std::vector<Node>& nodes)
      : tokens_(std::move(tokens)), resolve_(resolve), nodes_(nodes) {}

  int ParseAll() {
    const int root = ParseOr(0);
    if (Peek().kind != TokenKind::End) throw ParseFailure("unexpected '" + Peek().text + "'");
    return root;
  }

 private:
  const Token& Peek() const { return tokens_[position_]; }
  bool IsSymbol(std::string_view symbol) const {
    return Peek().kind == TokenKind::Symbol && Peek().text == symbol;
  }
  bool IsKeyword(std::string_view upper) const {
    return Peek().kind == TokenKind::Name && ToUpperAscii(Peek().text) == upper;
  }
  void Expect(std::string_view symbol) {
    if (!IsSymbol(symbol)) {
      const std::string found = Peek().kind == TokenKind::End ? "the end" : "'" + Peek().text + "'";
      throw ParseFailure("expected '" + std::string(symbol) + "' but found " + found);
    }
    ++position_;
  }
  int Add(Node node) {
    nodes_.push_back(node);
    return static_cast<int>(nodes_.size()) - 1;
  }
  int Binary(Op op, int left, int right) { return Add(Node{op, 0, -1, left, right}); }
  static void CheckDepth(int depth) {
    if (depth > kMaxDepth) throw ParseFailure("the expression is nested too deeply");
  }

  int ParseOr(int depth) {
    CheckDepth(depth);
    int left = ParseAnd(depth + 1);
    while (IsKeyword("OR")) {
      ++position_;
      left = Binary(Op::Or, left, ParseAnd(depth + 1));
    }
    return left;
  }

  int ParseAnd(int depth) {
    int left = ParseComparison(depth);
    while (IsKeyword("AND")) {
      ++position_;
      left = Binary(Op::And, left, ParseComparison(depth));
    }
    return left;
  }

  int ParseComparison(int depth) {
    const int left = ParseSum(depth);
    static const std::pair<std::string_view, Op> kComparisons[] = {
        {"=", Op::Equal},      {"<>", Op::NotEqual}, {"<", Op::Less},
        {"<=", Op::LessEqual}, {">", Op::Greater},   {">=", Op::GreaterEqual}};
    for (const auto& [symbol, op] : kComparisons) {
      if (!IsSymbol(symbol)) continue;
      ++position_;
      if (Peek().kind == TokenKind::Dot) return ParseMissingTest(left, op);
      return Binary(op, left, ParseSum(depth));
    }
    return left;
  }

  // "X = ." and "X > ." (also "X <> ."): tests of an input's value being missing.
  int ParseMissingTest(int left, Op op) {
    ++position_;
    if (nodes_[left].op != Op::Input) {
      throw ParseFailure("a test against '.' needs an input variable on its left");
    }
    if (op == Op::Equal) return Add(Node{Op::IsMissing, 0, nodes_[left].index});
    if (op == Op::Greater || op == Op::NotEqual) {
      return Add(Node{Op::IsPresent, 0, nodes_[left].index});
    }
    throw ParseFailure("only '= .' and '> .' test for a missing value");
  }

  int ParseSum(int depth) {
    int left = ParseProduct(depth);
    while (IsSymbol("+") || IsSymbol("-")) {
      const Op op = IsSymbol("+") ? Op::Add : Op::Subtract;
      ++position_;
      left = Binary(op, left, ParseProduct(depth));
    }
    return left;
  }

  int ParseProduct(int depth) {
    int left = ParseUnary(depth);
    while (IsSymbol("*") || IsSymbol("/")) {
      const Op op = IsSymbol("*") ? Op::Multiply : Op::Divide;
      ++position_;
      left = Binary(op, left, ParseUnary(depth));
    }
    return left;
  }

  int ParseUnary(int depth) {
    CheckDepth(depth);
    if (IsSymbol("-")) {
      ++position_;
      return Add(Node{Op::Negate, 0, -1, ParseUnary(depth + 1)});
    }
    if (IsSymbol("+")) {
      ++position_;
      return ParseUnary(depth + 1);
    }
    return ParsePrimary(depth);
  }

  int ParsePrimary(int depth) {
    const Token& token = Peek();
    if (token.kind == TokenKind::Number) {
      ++position_;
      return Add(Node{Op::Number, token.value});
    }
    if (IsSymbol("(")) {
      ++position_;
      const int inner = ParseOr(depth + 1);
      Expect(")");
      return inner;
    }
    if (token.kind == TokenKind::Name) {
      const std::string upper = ToUpperAscii(token.text);
      if ((upper == "MAX" || upper == "MIN") && tokens_[position_ + 1].text == "(") {
        position_ += 2;
        const int a = ParseOr(depth + 1);
        Expect(",");
        const int b = ParseOr(depth + 1);
        Expect(")");
        return Binary(upper == "MAX" ? Op::Max : Op::Min, a, b);
      }
      if (upper == "OR" || upper == "AND") {
        throw ParseFailure("'" + token.text + "' is a word of the grammar, not a name");
      }
      std::optional<NameReference> reference = resolve_(token.text);
      if (!reference) {
        throw ParseFailure("'" + token.text +
                           "' is neither an input nor an earlier basis function");
      }
      ++position_;
      const Op op = reference->kind == NameReference::Kind::Input ? Op::Input : Op::Basis;
      return Add(Node{op, 0, reference->index});
    }
    if (token.kind == TokenKind::End) throw ParseFailure("the expression ends too early");
    throw ParseFailure("unexpected '" + token.text + "'");
  }

  std::vector<Token> tokens_;
  const NameResolver& resolve_;
  std::vector<Node>& nodes_;
  size_t position_ = 0;
};

}  // namespace

bool MarsExpression::Parse(std::string_view text, const NameResolver& resolve, std::string& error) {
  nodes_.clear();
  root_ = -1;
  try {
    Parser parser(Tokenize(text), resolve, nodes_);
    root_ = parser.ParseAll();
    return true;
  } catch (const ParseFailure& failure) {
    nodes_.clear();
    error = failure.what();
    return false;
  }
}

double MarsExpression::Evaluate(std::span<const std::optional<double>> inputs,
                                std::span<const double> basis_values) const {
  if (root_ < 0) return 0.0;
  // Children are always stored before their parents, so one pass in storage order
  // evaluates the tree without recursion, however long a sum is.
  std::vector<double> values(nodes_.size());
  auto truth = [](bool value) { return value ? 1.0 : 0.0; };
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const Node& node = nodes_[i];
    const double a = node.left >= 0 ? values[node.left] : 0.0;
    const double b = node.right >= 0 ? values[node.right] : 0.0;
    double& out = values[i];
    switch (node.op) {
      case Op::Number:
        out = node.value;
        break;
      case Op::Input:
        out = inputs[node.index].value_or(0.0);
        break;
      case Op::Basis:
        out = basis_values[node.index];
        break;
      case Op::Negate:
        out = -a;
        break;
      case Op::Add:
        out = a + b;
        break;
      case Op::Subtract:
        out = a - b;
        break;
      case Op::Multiply:
        out = a * b;
        break;
      case Op::Divide:
        out = a / b;
        break;
      case Op::Max:
        out = std::max(a, b);
        break;
      case Op::Min:
        out = std::min(a, b);
        break;
      case Op::Equal:
        out = truth(a == b);
        break;
      case Op::NotEqual:
        out = truth(a != b);
        break;
      case Op::Less:
        out = truth(a < b);
        break;
      case Op::LessEqual:
        out = truth(a <= b);
        break;
      case Op::Greater:
        out = truth(a > b);
        break;
      case Op::GreaterEqual:
        out = truth(a >= b);
        break;
      case Op::Or:
        out = truth(a != 0 || b != 0);
        break;
      case Op::And:
        out = truth(a != 0 && b != 0);
        break;
      case Op::IsMissing:
        out = truth(!inputs[node.index].has_value());
        break;
      case Op::IsPresent:
        out = truth(inputs[node.index].has_value());
        break;
    }
  }
  return values[root_];
}

}  // namespace kdk
