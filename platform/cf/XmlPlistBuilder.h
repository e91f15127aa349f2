// SPDX-License-Identifier: Apache-2.0
// The values of an XML property list, built from its parser's events in document order.
#pragma once

#include "cf/Object.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace cf {

class Array;
class Dictionary;

// Each event answers false when the document holds what libplist might read otherwise; the
// builder then takes nothing more.
class XmlPlistBuilder {
public:
    // True before the root element.
    bool atTop() const { return frames_.empty(); }
    static constexpr long kEmptyElement = -1;

    // `contentStart`: where the element's content starts in the document's bytes, or
    // kEmptyElement.
    bool start(const char* element, long contentStart);
    // `contentEnd`: where its end tag starts (not examined for an empty element).
    bool end(long contentEnd);
    // Character data, references already replaced.
    bool text(const char* chars, size_t length);
    // The text of a CDATA section.
    bool literalText(const char* chars, size_t length);
    bool comment() const;
    void refuse() { refused_ = true; }
    // The root value once the document ended and nothing was refused.
    std::optional<Ref> result() const;

private:
    enum class Kind { Plist, Dict, Array, Key, String, Integer, Real, True, False, Data };
    struct Frame {
        explicit Frame(Kind elementKind, Ref value = nullptr) : kind(elementKind), container(std::move(value)) { }

        Kind kind;
        Ref container;
        long contentStart = 0;
        Dictionary* dictionary = nullptr;
        Array* array = nullptr;
        std::string key; // a dictionary's key waiting for its value
        bool keyed = false;
        bool holdsValue = false; // the plist element's
    };

    bool startValue(const char* element, long offset);
    bool push(Frame frame, long offset);
    bool literal(const Frame& leaf, long contentEnd) const;
    Ref leafValue(Kind kind);
    bool deliver(Ref value);
    bool isLeaf() const { return !frames_.empty() && frames_.back().kind >= Kind::Key; }

    std::vector<Frame> frames_;
    std::string text_;
    Ref root_;
    bool finished_ = false;
    bool refused_ = false;
};

} // namespace cf
