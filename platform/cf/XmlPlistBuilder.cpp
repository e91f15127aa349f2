// SPDX-License-Identifier: Apache-2.0
// A stack of open elements; leaves gather their text, containers take the values that close
// inside them. Numbers are taken only in the one spelling every reader reads alike.
#include "cf/XmlPlistBuilder.h"

#include "cf/Array.h"
#include "cf/Base64.h"
#include "cf/Boolean.h"
#include "cf/Data.h"
#include "cf/Dictionary.h"
#include "cf/Number.h"
#include "cf/String.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace cf {
namespace {

// Deeper than any file of ours nests.
constexpr size_t kMaxDepth = 256;

bool blank(const char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (text[i] != ' ' && text[i] != '\t' && text[i] != '\n') return false;
    return true;
}

bool digits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// -?(0|[1-9][0-9]*), no minus zero, within 64 bits.
Ref integerValue(std::string_view text)
{
    const std::string_view magnitude = text.substr(!text.empty() && text.front() == '-' ? 1 : 0);
    if (!digits(magnitude) || (magnitude.size() > 1 && magnitude.front() == '0') ||
        (magnitude == "0" && magnitude.size() != text.size()))
        return nullptr;
    int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return nullptr;
    return Number::create(value);
}

// -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?, not zero with a minus, neither overflowing
// nor underflowing.
Ref realValue(std::string_view text)
{
    std::string_view rest = text.substr(!text.empty() && text.front() == '-' ? 1 : 0);
    const size_t whole = std::min(rest.find_first_not_of("0123456789"), rest.size());
    if (whole == 0 || (whole > 1 && rest.front() == '0')) return nullptr;
    rest.remove_prefix(whole);
    if (!rest.empty() && rest.front() == '.') {
        const size_t fraction = std::min(rest.find_first_not_of("0123456789", 1), rest.size());
        if (fraction == 1) return nullptr;
        rest.remove_prefix(fraction);
    }
    if (!rest.empty() && (rest.front() == 'e' || rest.front() == 'E')) {
        rest.remove_prefix(rest.size() > 1 && (rest[1] == '+' || rest[1] == '-') ? 2 : 1);
        if (!digits(rest)) return nullptr;
        rest = {};
    }
    if (!rest.empty()) return nullptr;
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || (value == 0 && text.front() == '-')) return nullptr;
    return Number::createReal(value);
}

} // namespace

bool XmlPlistBuilder::start(const char* element, long offset)
{
    if (refused_ || isLeaf()) return false;
    if (frames_.empty()) {
        if (finished_ || std::strcmp(element, "plist") != 0) return false;
        return push(Frame(Kind::Plist), offset);
    }
    Frame& top = frames_.back();
    if (top.kind == Kind::Dict && !top.keyed) {
        if (std::strcmp(element, "key") != 0) return false;
        return push(Frame(Kind::Key), offset);
    }
    if (top.kind == Kind::Plist && top.holdsValue) return false;
    return frames_.size() <= kMaxDepth && startValue(element, offset);
}

bool XmlPlistBuilder::startValue(const char* element, long offset)
{
    if (std::strcmp(element, "dict") == 0) {
        auto dictionary = Dictionary::create();
        Frame frame(Kind::Dict, dictionary);
        frame.dictionary = dictionary.get();
        return push(std::move(frame), offset);
    }
    if (std::strcmp(element, "array") == 0) {
        auto array = Array::create();
        Frame frame(Kind::Array, array);
        frame.array = array.get();
        return push(std::move(frame), offset);
    }
    static constexpr std::pair<const char*, Kind> kLeaves[] = {{"string", Kind::String}, {"integer", Kind::Integer},
        {"real", Kind::Real}, {"true", Kind::True}, {"false", Kind::False}, {"data", Kind::Data}};
    for (const auto& [name, kind] : kLeaves)
        if (std::strcmp(element, name) == 0) return push(Frame(kind), offset);
    return false;
}

bool XmlPlistBuilder::push(Frame frame, long offset)
{
    frame.contentStart = offset;
    text_.clear();
    frames_.push_back(std::move(frame));
    return true;
}

// Outside strings and keys libplist reads references otherwise: there the bytes between the tags
// must be the text itself.
bool XmlPlistBuilder::literal(const Frame& leaf, long contentEnd) const
{
    if (leaf.kind == Kind::String || leaf.kind == Kind::Key) return true;
    const long length = leaf.contentStart == kEmptyElement ? 0 : contentEnd - leaf.contentStart;
    return length == static_cast<long>(text_.size());
}

bool XmlPlistBuilder::end(long contentEnd)
{
    if (refused_ || frames_.empty()) return false;
    Frame done = std::move(frames_.back());
    frames_.pop_back();
    if (done.kind > Kind::Array && !literal(done, contentEnd)) return false;
    switch (done.kind) {
    case Kind::Plist:
        finished_ = done.holdsValue;
        return finished_;
    case Kind::Key:
        // libplist refuses an empty key.
        if (text_.empty()) return false;
        frames_.back().key = std::move(text_);
        text_.clear();
        frames_.back().keyed = true;
        return true;
    case Kind::Dict:
        return !done.keyed && deliver(std::move(done.container));
    case Kind::Array:
        return deliver(std::move(done.container));
    default:
        return deliver(leafValue(done.kind));
    }
}

Ref XmlPlistBuilder::leafValue(Kind kind)
{
    switch (kind) {
    case Kind::String:
        return std::make_shared<String>(std::move(text_));
    case Kind::Integer:
        return integerValue(text_);
    case Kind::Real:
        return realValue(text_);
    case Kind::True:
    case Kind::False:
        return text_.empty() ? Boolean::create(kind == Kind::True) : nullptr;
    default:
        if (auto bytes = base64::decode(text_)) return Data::create(std::move(*bytes));
        return nullptr;
    }
}

bool XmlPlistBuilder::deliver(Ref value)
{
    if (!value) return false;
    Frame& parent = frames_.back();
    switch (parent.kind) {
    case Kind::Plist:
        root_ = std::move(value);
        parent.holdsValue = true;
        return true;
    case Kind::Dict:
        parent.dictionary->setOrdered(std::move(parent.key), std::move(value));
        parent.key.clear();
        parent.keyed = false;
        return true;
    default:
        parent.array->append(std::move(value));
        return true;
    }
}

bool XmlPlistBuilder::text(const char* chars, size_t length)
{
    if (refused_) return false;
    if (!isLeaf()) return blank(chars, length);
    text_.append(chars, length);
    return true;
}

bool XmlPlistBuilder::literalText(const char* chars, size_t length)
{
    if (refused_ || frames_.empty()) return false;
    const Kind kind = frames_.back().kind;
    if (kind != Kind::String && kind != Kind::Key) return false;
    text_.append(chars, length);
    return true;
}

// Inside a number, a truth value or data libplist may read a comment otherwise.
bool XmlPlistBuilder::comment() const
{
    return !isLeaf() || frames_.back().kind == Kind::String || frames_.back().kind == Kind::Key;
}

std::optional<Ref> XmlPlistBuilder::result() const
{
    if (refused_ || !finished_ || !root_) return std::nullopt;
    return root_;
}

} // namespace cf
