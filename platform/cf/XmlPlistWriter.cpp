// SPDX-License-Identifier: Apache-2.0
// libplist's layout: one element a line, a tab per level, keys in byte order, only &, < and >
// escaped, reals with 17 significant digits, data in base64 lines that narrow with the depth.
#include "cf/XmlPlistWriter.h"

#include "cf/Array.h"
#include "cf/Base64.h"
#include "cf/Boolean.h"
#include "cf/Data.h"
#include "cf/Dictionary.h"
#include "cf/Number.h"
#include "cf/String.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace cf {
namespace {

constexpr std::string_view kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n";
constexpr std::string_view kFooter = "</plist>\n";
// Data lines are 76 characters at the top and 8 fewer (a tab's width) a level, down to 12.
constexpr size_t kDataLineWidth = 76;
constexpr size_t kMaxDataIndent = 8;

// Writes into a string, or (with a Measure) only counts the bytes it would write.
template <class Text>
class Out {
public:
    explicit Out(Text& text) : text_(text) { }

    bool value(const Ref& value, size_t depth);

private:
    void indent(size_t depth) { text_.append(depth, '\t'); }
    void line(size_t depth, std::string_view element)
    {
        indent(depth);
        text_ += element;
        text_ += '\n';
    }
    void escaped(std::string_view text);
    void leaf(size_t depth, std::string_view tag, std::string_view body, bool escape);
    void number(const Number& number, size_t depth);
    void data(const std::string& bytes, size_t depth);
    bool array(const Array& array, size_t depth);
    bool dictionary(const Dictionary& dictionary, size_t depth);

    Text& text_;
};

// A text that only keeps its length, to size the real one before the values are written into it:
// a string left to grow would hold two copies at once when it grows last.
class Measure {
public:
    Measure& operator+=(std::string_view text)
    {
        size_ += text.size();
        return *this;
    }
    Measure& operator+=(char) { return *this += std::string_view(" "); }
    void append(std::string_view text) { *this += text; }
    void append(size_t count, char) { size_ += count; }
    size_t size() const { return size_; }

private:
    size_t size_ = 0;
};

// Up to the first NUL character, as a C string holds it.
std::string_view cString(const std::string& text)
{
    return std::string_view(text.c_str());
}

template <class Text>
void Out<Text>::escaped(std::string_view text)
{
    size_t plainFrom = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '&' && c != '<' && c != '>') continue;
        text_.append(text.substr(plainFrom, i - plainFrom));
        text_ += c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;";
        plainFrom = i + 1;
    }
    text_.append(text.substr(plainFrom));
}

template <class Text>
void Out<Text>::leaf(size_t depth, std::string_view tag, std::string_view body, bool escape)
{
    indent(depth);
    text_ += '<';
    text_ += tag;
    text_ += '>';
    if (escape)
        escaped(body);
    else
        text_ += body;
    text_ += "</";
    text_ += tag;
    text_ += ">\n";
}

std::string_view realText(double value, char (&buffer)[32])
{
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "+infinity" : "-infinity";
    if (value == 0) return "0.0";
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17).ptr;
    return std::string_view(buffer, static_cast<size_t>(end - buffer));
}

template <class Text>
void Out<Text>::number(const Number& number, size_t depth)
{
    char buffer[32];
    if (number.isReal()) return leaf(depth, "real", realText(number.doubleValue(), buffer), false);
    auto end = std::to_chars(buffer, buffer + sizeof buffer, number.int64Value()).ptr;
    leaf(depth, "integer", std::string_view(buffer, static_cast<size_t>(end - buffer)), false);
}

template <class Text>
void Out<Text>::data(const std::string& bytes, size_t depth)
{
    line(depth, "<data>");
    const size_t lineIndent = std::min(depth, kMaxDataIndent);
    const size_t width = kDataLineWidth - 8 * lineIndent;
    if constexpr (std::is_same_v<Text, std::string>)
        base64::appendLines(text_, bytes, width, std::string(lineIndent, '\t'));
    else
        text_.append(base64::linesLength(bytes.size(), width, lineIndent), ' ');
    line(depth, "</data>");
}

template <class Text>
bool Out<Text>::array(const Array& array, size_t depth)
{
    if (array.items().empty()) {
        line(depth, "<array/>");
        return true;
    }
    line(depth, "<array>");
    for (const Ref& item : array.items())
        if (!value(item, depth + 1)) return false;
    line(depth, "</array>");
    return true;
}

// Keys that end at the same NUL character are one key to a C-string writer: the last one's value
// stands. In byte order they come one after another.
template <class Text>
bool Out<Text>::dictionary(const Dictionary& dictionary, size_t depth)
{
    if (!dictionary.otherEntries().empty()) return false;
    const auto& entries = dictionary.stringEntries();
    if (entries.empty()) {
        line(depth, "<dict/>");
        return true;
    }
    line(depth, "<dict>");
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        const std::string_view key = cString(it->first);
        auto next = std::next(it);
        if (next != entries.end() && cString(next->first) == key) {
            Measure unused;
            if (!Out<Measure>(unused).value(it->second, depth + 1)) return false;
            continue;
        }
        leaf(depth + 1, "key", key, true);
        if (!value(it->second, depth + 1)) return false;
    }
    line(depth, "</dict>");
    return true;
}

template <class Text>
bool Out<Text>::value(const Ref& value, size_t depth)
{
    if (!value) return false;
    switch (value->typeID()) {
    case TypeID::String:
        leaf(depth, "string", cString(as<String>(value)->utf8()), true);
        return true;
    case TypeID::Number:
        number(*as<Number>(value), depth);
        return true;
    case TypeID::Boolean:
        line(depth, as<Boolean>(value)->value() ? "<true/>" : "<false/>");
        return true;
    case TypeID::Data:
        data(as<Data>(value)->bytes(), depth);
        return true;
    case TypeID::Array:
        return array(*as<Array>(value), depth);
    case TypeID::Dictionary:
        return dictionary(*as<Dictionary>(value), depth);
    }
    return false;
}

} // namespace

std::optional<std::string> XmlPlistWriter::write(const Ref& root)
{
    Measure measure;
    if (!Out<Measure>(measure).value(root, 0)) return std::nullopt;
    std::string text;
    text.reserve(kHeader.size() + measure.size() + kFooter.size());
    text += kHeader;
    Out<std::string>(text).value(root, 0);
    text += kFooter;
    return text;
}

} // namespace cf
