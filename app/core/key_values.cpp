#include "app/core/key_values.h"

#include "platform/files/input_file.h"

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

// The keys kept may take this many times the text's bytes, and a little more for a short text.
constexpr size_t kKeptBytesPerTextByte = 4;
constexpr size_t kKeptBytesForAnyText = size_t(1) << 20;

class Parser {
public:
    Parser(std::string_view text, KeepKey keep)
        : tokens_(text), keep_(keep), budget_(text.size() * kKeptBytesPerTextByte + kKeptBytesForAnyText) {}

    // Fills `block` with keys up to its closing brace (or the end of the text at the top level). A block that
    // is not kept (`kept` false) is read and checked all the same.
    bool read_block(KeyValue& block, int depth, bool kept = true) {
        for (;;) {
            Token key = tokens_.next();
            if (key.kind == Token::Fault) return fail(key, key.text);
            if (key.kind == Token::End) return depth == 0 || fail(key, "the file ends inside a { } block");
            if (key.kind == Token::Close) return depth > 0 || fail(key, "a } closes no block");
            if (key.kind == Token::Open) return fail(key, "a { block has no key before it");

            KeyValue entry;
            entry.key = std::move(key.text);
            const bool keep = kept && keep_(depth + 1, entry.key);
            Token value = tokens_.next();
            if (value.kind == Token::Fault) return fail(value, value.text);
            if (value.kind == Token::End) return fail(key, "the key \"" + visible(entry.key) + "\" has no value (the file ends)");
            if (value.kind == Token::Close) return fail(key, "the key \"" + visible(entry.key) + "\" has no value before the }");
            if (value.kind == Token::Text) {
                entry.value = std::move(value.text);
            } else {
                if (depth + 1 > kMaxDepth)
                    return fail(value, "blocks are nested more than " + std::to_string(kMaxDepth) + " deep");
                entry.is_block = true;
                if (!read_block(entry, depth + 1, keep)) return false;
                entry.children.shrink_to_fit();  // a block's spare room, times every block, was most of the memory
            }
            if (!keep) continue;
            const size_t bytes = sizeof(KeyValue) + heap_bytes(entry.key) + heap_bytes(entry.value);
            if (bytes > budget_)
                return fail(key, "it holds far more keys than its size allows for any file Steam writes");
            budget_ -= bytes;
            block.children.push_back(std::move(entry));
        }
    }

    std::string error;

private:
    bool fail(const Token& at, const std::string& what) {
        error = "line " + std::to_string(at.line) + ": " + what;
        return false;
    }

    static size_t heap_bytes(const std::string& text) { return text.capacity() > 15 ? text.capacity() + 1 : 0; }

    Tokenizer tokens_;
    KeepKey keep_;
    size_t budget_;  // bytes the kept keys may still take
};

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

bool same_key(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::string ascii_lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lower(c);
    return out;
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

KeyValuesResult parse_key_values(std::string_view text, KeepKey keep) {
    KeyValuesResult result = KeyValuesResult::made(KeyValue{});
    result.value.is_block = true;
    try {
        Parser parser(text, keep ? keep : keep_every_key);
        if (!parser.read_block(result.value, 0)) return KeyValuesResult::failed(std::move(parser.error));
    } catch (const std::bad_alloc&) {
        return KeyValuesResult::failed("the file is too large to read");
    }
    return result;
}

KeyValuesResult read_key_values(const std::filesystem::path& file, KeepKey keep) {
    constexpr uint64_t kMaxBytes = 16u << 20;
    InputRefusals say;
    say.folder = say.not_a_file = "it is not an ordinary file";
    Result<InputFile> opened = open_input_file(file, say);
    if (!opened.ok) return KeyValuesResult::failed(opened);
    InputFile& in = opened.value;
    if (in.size() > kMaxBytes) return KeyValuesResult::failed("it is far larger than any such file");
    std::vector<uint8_t> bytes;
    if (const Outcome read = in.read(size_t(in.size()), bytes); !read.ok)
        return KeyValuesResult::failed("it could not be read (" + read.error + ")");
    return parse_key_values(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), keep);
}

std::string visible(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    auto escaped = [&](unsigned char c) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        out += "\\x";
        out += kHex[c >> 4];
        out += kHex[c & 15];
    };
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            escaped(c);
            ++i;
            continue;
        }
        // A whole UTF-8 sequence passes as it is; the bytes of a broken one are shown one by one.
        const size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool whole = length > 0 && i + length <= text.size();
        for (size_t k = 1; whole && k < length; ++k) whole = (static_cast<unsigned char>(text[i + k]) >> 6) == 2;
        if (!whole) {
            escaped(c);
            ++i;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

}  // namespace morvane::app
