// The filter-expression matcher behind the grid's filtering: terms joined by & (and) and
// ; ^ | (or), parenthesised groups, comparisons and wildcard patterns.
#include "grid/base/ZudAzud.h"

namespace {

// The operand of a comparison starting at From: leading blanks skipped, up to the next blank,
// the end, or an "&" or "|" outside double quotes; surrounding double quotes dropped.
String ReadOperand(const String& Term, size_t From) {
  size_t i = From;
  while (i < Term.size() && Term[i] == ' ') ++i;
  String operand;
  bool quoted = false;
  for (; i < Term.size(); ++i) {
    char c = Term[i];
    if (c == '"') quoted = !quoted;
    if (!quoted && (c == ' ' || c == '&' || c == '|')) break;
    operand.push_back(c);
  }
  if (!operand.empty() && operand.front() == '"') operand.erase(0, 1);
  if (!operand.empty() && operand.back() == '"') operand.pop_back();
  return operand;
}

// <0, 0, >0 as Value compares with Operand: as numbers when both read as numbers and neither
// as a date, as dates when both read as dates, else as texts.
int CompareWithOperand(const String& Value, const String& Operand) {
  double v = 0, o = 0;
  const TFormatSettings invariant = TFormatSettings::Invariant();
  Extended ev = 0, eo = 0;
  bool numbers = TryStrToFloat(NormalizeNumberText(Value), ev, invariant) &&
                 TryStrToFloat(NormalizeNumberText(Operand), eo, invariant);
  TDateTime dv = 0, dop = 0;
  bool valueDate = ParseDateTimeLocale(Value, dv), operandDate = ParseDateTimeLocale(Operand, dop);
  if (!numbers || valueDate || operandDate) {
    if (valueDate && operandDate) return dv < dop ? -1 : dv > dop ? 1 : 0;
    return CompareStr(Value.substr(0, 255), Operand.substr(0, 255));
  }
  v = static_cast<double>(ev);
  o = static_cast<double>(eo);
  return v < o ? -1 : v > o ? 1 : 0;
}

// Wildcards: "*" any run, "?" one character; double quotes and "!" are not matched, and a "!"
// anywhere inverts the answer. Backtracks to the last star only, so any pattern runs in
// time proportional to the product of the lengths at worst.
bool MatchPattern(const String& Pattern, const String& Value) {
  String pattern;
  for (char c : Pattern)
    if (c != '"' && c != '!') pattern.push_back(c);
  const bool invert = Pattern.find('!') != String::npos;
  size_t p = 0, v = 0, starP = String::npos, starV = 0;
  while (v < Value.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && pattern[p] == Value[v]))) {
      ++p;
      ++v;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starV = v;
    } else if (starP != String::npos) {
      p = starP + 1;
      v = ++starV;
    } else {
      return invert;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return (p == pattern.size()) != invert;
}

bool MatchFilterCondition(const String& Term, const String& Value) {
  size_t gt = Term.find('>'), lt = Term.find('<');
  bool greater = false, less = false;
  if (gt != String::npos) {
    bool orEqual = gt + 1 < Term.size() && Term[gt + 1] == '=';
    int cmp = CompareWithOperand(Value, ReadOperand(Term, gt + (orEqual ? 2 : 1)));
    greater = orEqual ? cmp >= 0 : cmp > 0;
  }
  if (lt != String::npos) {
    bool orEqual = lt + 1 < Term.size() && Term[lt + 1] == '=';
    int cmp = CompareWithOperand(Value, ReadOperand(Term, lt + (orEqual ? 2 : 1)));
    less = orEqual ? cmp <= 0 : cmp < 0;
  }
  const bool anySide = gt != String::npos || lt != String::npos;
  if (Term.find('^') != String::npos && anySide) return greater || less;
  if (Term.find('&') != String::npos && gt != String::npos && lt != String::npos) return greater && less;
  if (gt != String::npos && greater) return true;
  if (lt != String::npos && less) return true;
  return MatchPattern(Term, Value);
}

bool MatchFilterTerm(const String& Term, const String& Value, bool CaseSensitive) {
  if (CaseSensitive) return MatchFilterCondition(Term, Value);
  return MatchFilterCondition(AnsiUpperCase(Term), AnsiUpperCase(Value));
}

// Matches an expression without its outer spaces; Readable turns false on an unbalanced "(".
bool MatchExpression(String Expression, const String& Value, bool CaseSensitive, bool& Readable) {
  static const TCharSet operators = {'(', ';', '^', '&', '|'};
  bool result = true;
  char op = '\0';
  auto combine = [&](bool term) {
    if (op == '\0') result = term;
    else if (op == '&') result = result && term;
    else if (op == ';' || op == '^' || op == '|') result = result || term;
  };
  int pos = 0;
  char found = '\0';
  while ((found = FirstCharOfSetOutsideQuotes(operators, Expression, pos)) != '\0') {
    if (Expression[0] == '(') {
      int close = MatchingParenPos(Expression);
      if (close == 0) {
        // An unbalanced group can never be consumed: no match, at once.
        Readable = false;
        return false;
      }
      bool group = MatchExpression(Expression.substr(1, static_cast<size_t>(close) - 2), Value, CaseSensitive, Readable);
      if (!Readable) return false;
      combine(group);
      Expression.erase(0, static_cast<size_t>(close));
      found = '(';
    } else {
      combine(MatchFilterTerm(Expression.substr(0, static_cast<size_t>(pos) - 1), Value, CaseSensitive));
      Expression.erase(0, static_cast<size_t>(pos));
    }
    op = found;  // "(" combines nothing: a group's result stands until the next operator
  }
  combine(MatchFilterTerm(Expression, Value, CaseSensitive));
  return result;
}

}  // namespace

bool MatchFilterExpression(const String& Expression, const String& Value, bool CaseSensitive) {
  String expression;
  bool quoted = false;
  for (char c : Trim(Expression)) {
    if (c == '"') quoted = !quoted;
    if (c != ' ' || quoted) expression.push_back(c);
  }
  if (!expression.empty() && expression[0] == '=') expression.erase(0, 1);
  bool readable = true;
  bool result = MatchExpression(expression, Value, CaseSensitive, readable);
  return readable && result;
}
