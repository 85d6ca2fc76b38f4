#include "app/core/key_values.h"

#include <new>

namespace morvane::app {

namespace {

// Steam's own files nest three or four levels; a limit keeps hostile nesting off the call stack.
constexpr int kMaxDepth = 64;

struct Token {
    enum Kind { End, Text, Open, Close, Fault } kind = End;
    std::string text;  // Text: the token's characters, escapes resolved; Fault: what is wrong
    int line = 0;      // where it starts
};

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Hands out the tokens of the text one by one and knows the line it is on.
class Tokenizer {
public:
    explicit Tokenizer(std::string_view text) : text_(text) {}

    Token next() {
        skip_space_and_comments();
        Token token = at_ >= text_.size() ? Token{} : text_[at_] == '{' ? Token{Token::Open, {}}
                                                    : text_[at_] == '}' ? Token{Token::Close, {}}
                                                    : text_[at_] == '"' ? quoted()
                                                                        : bare();
        if (token.kind == Token::Open || token.kind == Token::Close) ++at_;
        if (token.line == 0) token.line = line_;
        return token;
    }

private:
    void advance() {
        if (text_[at_] == '\n') ++line_;
        ++at_;
    }

    void skip_space_and_comments() {
        while (at_ < text_.size()) {
            if (is_space(text_[at_])) {
                advance();
            } else if (text_[at_] == '/' && at_ + 1 < text_.size() && text_[at_ + 1] == '/') {
                while (at_ < text_.size() && text_[at_] != '\n') ++at_;
            } else {
                return;
            }
        }
    }

    Token quoted() {
        Token token{Token::Text, {}, line_};
        ++at_;  // the opening quote
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '"') return ++at_, token;
            if (c == '\\' && at_ + 1 < text_.size()) {
                const char escaped = text_[at_ + 1];
                const char resolved = escaped == '\\' ? '\\'
                                      : escaped == '"' ? '"'
                                      : escaped == 'n' ? '\n'
                                      : escaped == 't' ? '\t'
                                                       : 0;
                if (resolved) {
                    token.text += resolved;
                    at_ += 2;
                    continue;
                }
            }
            token.text += c;  // an unknown escape keeps its backslash
            advance();
        }
        return {Token::Fault, "the quoted text has no closing quote", token.line};
    }

    Token bare() {
        Token token{Token::Text, {}, line_};
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (is_space(c) || c == '{' || c == '}' || c == '"') break;
            if (c == '/' && at_ + 1 < text_.size() && text_[at_ + 1] == '/') break;
            token.text += c;
            ++at_;
        }
        return token;
    }

    std::string_view text_;
    size_t at_ = 0;
    int line_ = 1;
};

class Parser {
public:
    explicit Parser(std::string_view text) : tokens_(text) {}

    // Fills `block` with keys up to its closing brace (or the end of the text at the top level).
    bool read_block(KeyValue& block, int depth) {
        for (;;) {
            Token key = tokens_.next();
            if (key.kind == Token::Fault) return fail(key, key.text);
            if (key.kind == Token::End) return depth == 0 || fail(key, "the file ends inside a { } block");
            if (key.kind == Token::Close) return depth > 0 || fail(key, "a } closes no block");
            if (key.kind == Token::Open) return fail(key, "a { block has no key before it");

            KeyValue entry;
            entry.key = std::move(key.text);
            Token value = tokens_.next();
            if (value.kind == Token::Fault) return fail(value, value.text);
            if (value.kind == Token::End) return fail(key, "the key \"" + entry.key + "\" has no value (the file ends)");
            if (value.kind == Token::Close) return fail(key, "the key \"" + entry.key + "\" has no value before the }");
            if (value.kind == Token::Text) {
                entry.value = std::move(value.text);
            } else {
                if (depth + 1 > kMaxDepth)
                    return fail(value, "blocks are nested more than " + std::to_string(kMaxDepth) + " deep");
                entry.is_block = true;
                if (!read_block(entry, depth + 1)) return false;
            }
            block.children.push_back(std::move(entry));
        }
    }

    std::string error;

private:
    bool fail(const Token& at, const std::string& what) {
        error = "line " + std::to_string(at.line) + ": " + what;
        return false;
    }

    Tokenizer tokens_;
};

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

bool same_key(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

const KeyValue* KeyValue::find(std::string_view child_key) const {
    for (const KeyValue& child : children)
        if (same_key(child.key, child_key)) return &child;
    return nullptr;
}

std::string_view KeyValue::text_of(std::string_view child_key) const {
    for (const KeyValue& child : children)
        if (!child.is_block && same_key(child.key, child_key)) return child.value;
    return {};
}

KeyValuesResult parse_key_values(std::string_view text) {
    KeyValuesResult result;
    result.root.is_block = true;
    try {
        Parser parser(text);
        result.ok = parser.read_block(result.root, 0);
        if (!result.ok) {
            result.error = std::move(parser.error);
            result.root.children.clear();
        }
    } catch (const std::bad_alloc&) {
        result = KeyValuesResult{};
        result.error = "the file is too large to read";
    }
    return result;
}

}  // namespace morvane::app
