// SPDX-License-Identifier: MIT
// Rules about the text of values: empty-value and edge-whitespace, and with a reference
// placeholders, line-breaks and untranslated. A value is compared with the reference string's
// value of the same number; a value the reference string lacks is compared with nothing.
#include <algorithm>

#include "checks/Placeholders.h"
#include "checks/Rule.h"

namespace vste {
namespace {

const std::u16string* ReferenceValue(const StringCheck& s, std::size_t k) {
    if (s.reference == nullptr || k >= s.reference->Values.size())
        return nullptr;
    return &s.reference->Values[k].Value;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

class EmptyValueRule : public Rule {
public:
    EmptyValueRule() : Rule("empty-value", Severity::Warning) {}

    void check(const StringCheck& s, const CheckSetup&, const FindingSink& sink) const override {
        for (std::size_t k = 0; k < s.text.Values.size(); ++k)
            if (s.text.Values[k].Value.empty())
                report(sink, s, static_cast<std::uint32_t>(k), Field::Value,
                       Message(MessageId::ValueEmpty));
    }
};

class EdgeWhitespaceRule : public Rule {
public:
    EdgeWhitespaceRule() : Rule("edge-whitespace", Severity::Warning) {}

    void check(const StringCheck& s, const CheckSetup&, const FindingSink& sink) const override {
        for (std::size_t k = 0; k < s.text.Values.size(); ++k) {
            const std::u16string& value = s.text.Values[k].Value;
            if (value.empty())
                continue;
            const std::u16string* ref = ReferenceValue(s, k);
            const bool refLeading = ref && !ref->empty() && IsBlank(ref->front());
            const bool refTrailing = ref && !ref->empty() && IsBlank(ref->back());
            const bool leading = IsBlank(value.front()) && !refLeading;
            const bool trailing = IsBlank(value.back()) && !refTrailing;
            if (!leading && !trailing)
                continue;
            Message message(leading && trailing ? MessageId::ValueBeginsAndEndsWithBlanks
                            : leading           ? MessageId::ValueBeginsWithBlanks
                                                : MessageId::ValueEndsWithBlanks);
            if (ref)
                message = Message(MessageId::UnlikeReference, {std::move(message)});
            report(sink, s, static_cast<std::uint32_t>(k), Field::Value, std::move(message));
        }
    }
};

// A rule that compares each value with the reference's value of the same number.
class ComparingRule : public Rule {
public:
    using Rule::Rule;
    bool needsReference() const override { return true; }

    void check(const StringCheck& s, const CheckSetup&, const FindingSink& sink) const override {
        for (std::size_t k = 0; k < s.text.Values.size(); ++k)
            if (const std::u16string* ref = ReferenceValue(s, k))
                compare(s, static_cast<std::uint32_t>(k), s.text.Values[k].Value, *ref, sink);
    }

protected:
    virtual void compare(const StringCheck& s, std::uint32_t k, const std::u16string& value,
                         const std::u16string& reference, const FindingSink& sink) const = 0;
};

class PlaceholdersRule : public ComparingRule {
public:
    PlaceholdersRule() : ComparingRule("placeholders", Severity::Error) {}

protected:
    void compare(const StringCheck& s, std::uint32_t k, const std::u16string& value,
                 const std::u16string& reference, const FindingSink& sink) const override {
        if (value.find(u'%') == std::u16string::npos &&
            reference.find(u'%') == std::u16string::npos)
            return;
        std::optional<Message> mismatch = PlaceholderMismatch(value, reference);
        if (mismatch)
            report(sink, s, k, Field::Value, std::move(*mismatch));
    }
};

class LineBreaksRule : public ComparingRule {
public:
    LineBreaksRule() : ComparingRule("line-breaks", Severity::Warning) {}

protected:
    void compare(const StringCheck& s, std::uint32_t k, const std::u16string& value,
                 const std::u16string& reference, const FindingSink& sink) const override {
        const auto mine = std::count(value.begin(), value.end(), u'\n');
        const auto theirs = std::count(reference.begin(), reference.end(), u'\n');
        if (mine != theirs)
            report(
                sink, s, k, Field::Value,
                Message(MessageId::LineBreaksDiffer, {Number(static_cast<std::uint64_t>(mine)),
                                                      Number(static_cast<std::uint64_t>(theirs))}));
    }
};

class UntranslatedRule : public ComparingRule {
public:
    UntranslatedRule() : ComparingRule("untranslated", Severity::Warning) {}

protected:
    void compare(const StringCheck& s, std::uint32_t k, const std::u16string& value,
                 const std::u16string& reference, const FindingSink& sink) const override {
        if (!value.empty() && value == reference)
            report(sink, s, k, Field::Value, Message(MessageId::SameAsReference));
    }
};

class MissingInReferenceRule : public Rule {
public:
    MissingInReferenceRule() : Rule("missing-in-reference", Severity::Warning) {}
    bool needsReference() const override { return true; }

    void check(const StringCheck& s, const CheckSetup&, const FindingSink& sink) const override {
        if (s.reference == nullptr)
            report(sink, s, 0, Field::Name, Message(MessageId::NotInReference));
    }
};

class OnlyInReferenceRule : public Rule {
public:
    OnlyInReferenceRule() : Rule("only-in-reference", Severity::Warning) {}
    bool needsReference() const override { return true; }

    void check(const StringCheck&, const CheckSetup&, const FindingSink&) const override {}

    void finish(const CheckSetup& setup, const FindingSink& sink) const override {
        if (setup.reference == nullptr)
            return;
        const TCSFBody& body = setup.reference->body();
        // A reference string counts as matched when the first of its name is: the index
        // matches names, not single strings.
        std::vector<bool> matched(body.size(), false);
        for (std::uint32_t j : setup.referenceMatch)
            if (j != kNoString)
                matched[j] = true;
        for (std::uint32_t j = 0; j < body.size(); ++j) {
            if (matched[setup.reference->index().first(j)])
                continue;
            sink(MakeFinding(id(), severity(), kNoString, body[j].Name, 0, Field::Name,
                             Message(MessageId::OnlyInReference)));
        }
    }
};

} // namespace

std::unique_ptr<Rule> MakeEmptyValueRule() {
    return std::make_unique<EmptyValueRule>();
}
std::unique_ptr<Rule> MakeEdgeWhitespaceRule() {
    return std::make_unique<EdgeWhitespaceRule>();
}
std::unique_ptr<Rule> MakePlaceholdersRule() {
    return std::make_unique<PlaceholdersRule>();
}
std::unique_ptr<Rule> MakeLineBreaksRule() {
    return std::make_unique<LineBreaksRule>();
}
std::unique_ptr<Rule> MakeUntranslatedRule() {
    return std::make_unique<UntranslatedRule>();
}
std::unique_ptr<Rule> MakeMissingInReferenceRule() {
    return std::make_unique<MissingInReferenceRule>();
}
std::unique_ptr<Rule> MakeOnlyInReferenceRule() {
    return std::make_unique<OnlyInReferenceRule>();
}

} // namespace vste
