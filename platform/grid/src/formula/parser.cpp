// Formula text to a tree: a recursive-descent parser over the characters, one level per operator
// precedence (lowest first): comparisons, "&", "+ -", "* /", "^", "%", unary "- +", then numbers,
// strings, TRUE/FALSE, error constants, references and ranges, function calls and parentheses.
// Nesting is bounded (kMaxFormulaDepth), so neither parsing nor evaluating a formula can run deep.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>
#include <unordered_map>

#include "formula/formula.h"

namespace vtl::grid {
namespace {
bool isAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isNameChar(char c) { return isAlpha(c) || isDigit(c) || c == '_' || c == '.'; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

struct NameTable {
    std::deque<std::string> names;  // stable references
    std::unordered_map<std::string, std::uint32_t> ids;
};
NameTable& nameTable() {
    static NameTable table;
    return table;
}

class Parser {
public:
    Parser(std::string_view text, int style, CellRef host, Formula& out)
        : s_(text), r1c1_(style == kRefStyleR1C1), host_(host), out_(out), heights_(heightScratch()) {
        heights_.clear();
    }

    bool run() {
        skipBlanks();
        if (peek() == '=') ++pos_;
        const int root = expr(0);
        skipBlanks();
        if (root < 0 || pos_ != s_.size()) return false;
        out_.root = root;
        return true;
    }

    // The text with each A1 reference written relative to the host, everything else as it stands; false
    // where the text would not parse as it is scanned (an unclosed string, "1A", a reference outside the
    // grid). References are recognised exactly where and as the parser recognises them, so two texts
    // with the same key parse to the same formula at their hosts.
    bool shapeKey(std::string& key) {
        key.clear();
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (c == '"') {
                key.push_back(c);
                for (++pos_;; ++pos_) {
                    if (pos_ >= s_.size()) return false;
                    key.push_back(s_[pos_]);
                    if (s_[pos_] == '"') {
                        if (peek(1) != '"') break;
                        key.push_back(s_[++pos_]);
                    }
                }
                ++pos_;
            } else if (isDigit(c) || (c == '.' && isDigit(peek(1)))) {
                const std::size_t start = pos_;
                if (!scanNumber()) return false;
                key.append(s_.substr(start, pos_ - start));
            } else if (isAlpha(c) || c == '$' || c == '_') {
                RefPart part;
                const std::size_t start = pos_;
                if (a1Part(part)) {
                    // A separator no text holds, then each axis absolute or relative.
                    key.push_back('\x01');
                    key.push_back(part.colAbs ? 'C' : 'c');
                    key.append(std::to_string(part.col));
                    key.push_back(part.rowAbs ? 'R' : 'r');
                    key.append(std::to_string(part.row));
                    continue;
                }
                pos_ = start;
                // a1Part fails on a reference outside the grid, which the parser refuses too.
                if (c == '$') return false;
                while (isNameChar(peek())) ++pos_;
                if (referenceOutsideGrid(start, pos_)) return false;
                key.append(s_.substr(start, pos_ - start));
            } else {
                key.push_back(c);
                ++pos_;
            }
        }
        return true;
    }

private:
    // Letters and digits between `from` and `to` that read as a reference beyond the grid's limits.
    bool referenceOutsideGrid(std::size_t from, std::size_t to) const {
        std::size_t i = from;
        long long col = 0;
        while (i < to && isAlpha(s_[i]) && i - from < 3) col = col * 26 + (upper(s_[i++]) - 'A' + 1);
        if (i == from || i == to || !isDigit(s_[i])) return false;
        long long row = 0;
        while (i < to && isDigit(s_[i]) && row <= 10'000'000) row = row * 10 + (s_[i++] - '0');
        return i == to && (col > kMaxCols || row < 1 || row > kMaxRows);
    }

    // Moves past the digits, decimals and exponent of a number; false when a letter follows ("1A").
    bool scanNumber() {
        while (isDigit(peek())) ++pos_;
        if (peek() == '.') {
            ++pos_;
            while (isDigit(peek())) ++pos_;
        }
        if ((peek() == 'e' || peek() == 'E') && (isDigit(peek(1)) || ((peek(1) == '+' || peek(1) == '-') && isDigit(peek(2))))) {
            pos_ += 2;
            while (isDigit(peek())) ++pos_;
        }
        return !(isAlpha(peek()) || peek() == '_');
    }
    char peek(std::size_t ahead = 0) const { return pos_ + ahead < s_.size() ? s_[pos_ + ahead] : '\0'; }
    void skipBlanks() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r')) ++pos_;
    }
    bool eat(char c) {
        skipBlanks();
        if (peek() != c) return false;
        ++pos_;
        return true;
    }

    int add(Node n, int height) {
        out_.nodes.push_back(n);
        heights_.push_back(height);
        return static_cast<int>(out_.nodes.size()) - 1;
    }
    int height(int n) const { return heights_[static_cast<std::size_t>(n)]; }
    int withChildren(Node n, std::initializer_list<int> children) {
        int h = 0;
        int prev = -1;
        for (int c : children) {
            h = std::max(h, height(c));
            if (prev < 0) {
                n.child = c;
            } else {
                out_.nodes[static_cast<std::size_t>(prev)].next = c;
            }
            prev = c;
        }
        if (h + 1 > kMaxFormulaDepth) return -1;
        return add(n, h + 1);
    }

    // comparisons < & < + - < * / < ^ < % < unary
    int expr(int depth) {
        if (depth > kMaxFormulaDepth) return -1;
        int left = concat(depth);
        for (;;) {
            if (left < 0) return -1;
            skipBlanks();
            BinaryOp op;
            const char c = peek();
            if (c == '=') {
                op = BinaryOp::eq;
                ++pos_;
            } else if (c == '<' && peek(1) == '>') {
                op = BinaryOp::ne;
                pos_ += 2;
            } else if (c == '<' && peek(1) == '=') {
                op = BinaryOp::le;
                pos_ += 2;
            } else if (c == '>' && peek(1) == '=') {
                op = BinaryOp::ge;
                pos_ += 2;
            } else if (c == '<') {
                op = BinaryOp::lt;
                ++pos_;
            } else if (c == '>') {
                op = BinaryOp::gt;
                ++pos_;
            } else {
                return left;
            }
            left = binary(op, left, concat(depth));
        }
    }
    int binary(BinaryOp op, int left, int right) {
        if (left < 0 || right < 0) return -1;
        Node n;
        n.kind = NodeKind::binary;
        n.op = static_cast<std::uint8_t>(op);
        return withChildren(n, {left, right});
    }
    int concat(int depth) {
        int left = additive(depth);
        while (left >= 0 && eat('&')) left = binary(BinaryOp::concat, left, additive(depth));
        return left;
    }
    int additive(int depth) {
        int left = term(depth);
        for (;;) {
            if (left < 0) return -1;
            if (eat('+')) {
                left = binary(BinaryOp::add, left, term(depth));
            } else if (eat('-')) {
                left = binary(BinaryOp::sub, left, term(depth));
            } else {
                return left;
            }
        }
    }
    int term(int depth) {
        int left = power(depth);
        for (;;) {
            if (left < 0) return -1;
            if (eat('*')) {
                left = binary(BinaryOp::mul, left, power(depth));
            } else if (eat('/')) {
                left = binary(BinaryOp::div, left, power(depth));
            } else {
                return left;
            }
        }
    }
    int power(int depth) {
        int left = percent(depth);
        while (left >= 0 && eat('^')) left = binary(BinaryOp::pow, left, percent(depth));
        return left;
    }
    int percent(int depth) {
        int v = unary(depth);
        while (v >= 0 && eat('%')) {
            Node n;
            n.kind = NodeKind::percent;
            v = withChildren(n, {v});
        }
        return v;
    }
    int unary(int depth) {
        skipBlanks();
        const char c = peek();
        if (c == '-' || c == '+') {
            if (depth + 1 > kMaxFormulaDepth) return -1;
            ++pos_;
            const int operand = unary(depth + 1);
            if (operand < 0) return -1;
            Node n;
            n.kind = NodeKind::unary;
            n.op = static_cast<std::uint8_t>(c);
            return withChildren(n, {operand});
        }
        return primary(depth);
    }

    int primary(int depth) {
        skipBlanks();
        const char c = peek();
        if (c == '(') {
            ++pos_;
            const int inner = expr(depth + 1);
            if (inner < 0 || !eat(')')) return -1;
            Node n;
            n.kind = NodeKind::paren;
            return withChildren(n, {inner});
        }
        if (c == '"') return stringLiteral();
        if (isDigit(c) || (c == '.' && isDigit(peek(1)))) return numberLiteral();
        if (c == '#') return errorLiteral();
        if (isAlpha(c) || c == '$' || c == '_' || (r1c1_ && c == '[')) return nameOrReference(depth);
        return -1;
    }

    int stringLiteral() {
        ++pos_;
        std::string text;
        for (;;) {
            if (pos_ >= s_.size()) return -1;
            const char ch = s_[pos_++];
            if (ch == '"') {
                if (peek() != '"') break;
                ++pos_;
            }
            text.push_back(ch);
        }
        Node n;
        n.kind = NodeKind::text;
        n.index = static_cast<std::uint32_t>(out_.strings.size());
        out_.strings.push_back(std::move(text));
        return add(n, 1);
    }

    int numberLiteral() {
        const std::size_t start = pos_;
        if (!scanNumber()) return -1;  // "1A" is nothing
        double v = 0;
        const auto [end, ec] = std::from_chars(s_.data() + start, s_.data() + pos_, v);
        if (ec != std::errc() || end != s_.data() + pos_ || !std::isfinite(v)) return -1;
        Node n;
        n.kind = NodeKind::number;
        n.number = v;
        return add(n, 1);
    }

    int errorLiteral() {
        // The longest error text that matches here.
        for (std::size_t len = 7; len >= 4; --len) {
            if (pos_ + len > s_.size()) continue;
            const FormulaError e = errorFromText(s_.substr(pos_, len));
            if (e != FormulaError::none) {
                pos_ += len;
                Node n;
                n.kind = NodeKind::error;
                n.error = e;
                return add(n, 1);
            }
        }
        return -1;
    }

    // ---- references ----
    static bool number(std::string_view s, std::size_t& i, int& v) {
        const std::size_t start = i;
        bool negative = false;
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
            negative = s[i] == '-';
            ++i;
        }
        const std::size_t digits = i;
        long long value = 0;
        while (i < s.size() && isDigit(s[i])) {
            value = value * 10 + (s[i] - '0');
            if (value > 10'000'000) return false;
            ++i;
        }
        if (i == digits) {
            i = start;
            return false;
        }
        v = static_cast<int>(negative ? -value : value);
        return true;
    }

    // An A1 reference at pos: "$"? letters "$"? digits. Leaves pos after it.
    bool a1Part(RefPart& part) {
        std::size_t i = pos_;
        part = {};
        if (i < s_.size() && s_[i] == '$') {
            part.colAbs = true;
            ++i;
        }
        int col = 0;
        const std::size_t letters = i;
        while (i < s_.size() && isAlpha(s_[i]) && i - letters < 3) col = col * 26 + (upper(s_[i++]) - 'A' + 1);
        if (i == letters) return false;
        if (i < s_.size() && s_[i] == '$') {
            part.rowAbs = true;
            ++i;
        }
        int row = 0;
        if (i >= s_.size() || !isDigit(s_[i]) || !number(s_, i, row)) return false;
        if (i < s_.size() && (isNameChar(s_[i]) || s_[i] == '(')) return false;
        if (col < 1 || col > kMaxCols || row < 1 || row > kMaxRows) return false;
        part.col = part.colAbs ? col : col - host_.col;
        part.row = part.rowAbs ? row : row - host_.row;
        pos_ = i;
        return true;
    }

    // An R1C1 reference at pos: "R" (n | "[" n "]")? "C" (n | "[" n "]")?.
    bool r1c1Part(RefPart& part) {
        std::size_t i = pos_;
        part = {};
        auto axis = [&](char letter, int& value, bool& absolute, int limit) {
            if (i >= s_.size() || upper(s_[i]) != letter) return false;
            ++i;
            if (i < s_.size() && s_[i] == '[') {
                ++i;
                if (!number(s_, i, value) || i >= s_.size() || s_[i] != ']') return false;
                ++i;
                absolute = false;
                return std::abs(value) <= limit;
            }
            if (i < s_.size() && isDigit(s_[i])) {
                if (!number(s_, i, value)) return false;
                absolute = true;
                return value >= 1 && value <= limit;
            }
            value = 0;
            absolute = false;
            return true;
        };
        if (!axis('R', part.row, part.rowAbs, kMaxRows)) return false;
        if (!axis('C', part.col, part.colAbs, kMaxCols)) return false;
        if (i < s_.size() && (isNameChar(s_[i]) || s_[i] == '(' || s_[i] == '[')) return false;
        pos_ = i;
        return true;
    }

    bool refPart(RefPart& part) { return r1c1_ ? r1c1Part(part) : a1Part(part); }

    int nameOrReference(int depth) {
        RefPart first;
        if (refPart(first)) {
            skipBlanks();
            if (peek() == ':') {
                ++pos_;
                skipBlanks();
                RefPart second;
                if (!refPart(second)) return -1;
                Node n;
                n.kind = NodeKind::range;
                n.a = first;
                n.b = second;
                return add(n, 1);
            }
            Node n;
            n.kind = NodeKind::ref;
            n.a = first;
            return add(n, 1);
        }
        const std::size_t start = pos_;
        if (!isAlpha(peek()) && peek() != '_') return -1;
        while (isNameChar(peek())) ++pos_;
        const std::string_view name = s_.substr(start, pos_ - start);
        skipBlanks();
        if (peek() != '(') {
            std::string up(name);
            for (char& ch : up) ch = upper(ch);
            if (up == "TRUE" || up == "FALSE") {
                Node n;
                n.kind = NodeKind::boolean;
                n.number = up == "TRUE" ? 1 : 0;
                return add(n, 1);
            }
            return -1;
        }
        ++pos_;
        if (depth + 1 > kMaxFormulaDepth) return -1;
        std::vector<int> args;
        skipBlanks();
        if (peek() == ')') {
            ++pos_;
        } else {
            for (;;) {
                const int arg = expr(depth + 1);
                if (arg < 0) return -1;
                args.push_back(arg);
                if (args.size() > 255) return -1;
                if (eat(',')) continue;
                if (eat(')')) break;
                return -1;
            }
        }
        Node n;
        n.kind = NodeKind::call;
        n.index = functionNameId(name);
        n.argc = static_cast<std::uint16_t>(args.size());
        int h = 0;
        for (std::size_t k = 0; k < args.size(); ++k) {
            h = std::max(h, height(args[k]));
            if (k + 1 < args.size()) out_.nodes[static_cast<std::size_t>(args[k])].next = args[k + 1];
        }
        if (!args.empty()) n.child = args.front();
        if (h + 1 > kMaxFormulaDepth) return -1;
        return add(n, h + 1);
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    bool r1c1_;
    CellRef host_;
    Formula& out_;
    // The height of each node; one buffer per thread, reused from parse to parse (a parse never runs
    // inside another).
    static std::vector<int>& heightScratch() {
        static thread_local std::vector<int> heights;
        return heights;
    }
    std::vector<int>& heights_;
};
}  // namespace

std::uint32_t functionNameId(std::string_view name) {
    std::string up(name);
    for (char& c : up) c = upper(c);
    NameTable& t = nameTable();
    if (auto it = t.ids.find(up); it != t.ids.end()) return it->second;
    const auto id = static_cast<std::uint32_t>(t.names.size());
    t.names.push_back(up);
    t.ids.emplace(std::move(up), id);
    return id;
}

const std::string& functionName(std::uint32_t id) {
    static const std::string none;
    const NameTable& t = nameTable();
    return id < t.names.size() ? t.names[id] : none;
}

bool formulaShapeKey(std::string_view text, CellRef host, std::string& key) {
    Formula unused;
    return Parser(text, kRefStyleA1, host, unused).shapeKey(key);
}

bool parseFormula(std::string_view text, int style, CellRef host, Formula& out) {
    out.nodes.clear();
    out.strings.clear();
    out.root = -1;
    Parser p(text, style, host, out);
    if (p.run()) return true;
    out.nodes.clear();
    out.strings.clear();
    out.root = -1;
    return false;
}

}  // namespace vtl::grid
